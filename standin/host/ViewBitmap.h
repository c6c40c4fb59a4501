#pragma once

#include <cstdint>
#include <string>

#include "GeometryExchange.h"
#include "ports/Result.h"

namespace korrin::standin {

// Writes a bitmap of a document's view, width by height pixels, replacing
// the file atomically.
Status WriteViewBitmap(const std::string& fileName, std::int32_t width, std::int32_t height,
                       const std::string& documentName, const ModelNode& model);

}  // namespace korrin::standin
