#pragma once

#include <filesystem>
#include <string>

#include "documents/StandinDocument.h"
#include "ports/Result.h"

namespace korrin::standin {

// The document's file text, every line ended with CR LF. For a document that
// follows the format's rules, ParseStandinDocument gives it back equal.
std::string StandinDocumentText(const StandinDocument& document);

// Replaces the file at path with the document, atomically: a failed write
// leaves the old file. A document that would not read back (a sheet in a
// part, an empty reference path, a zero rotation axis ...) is not written:
// the failure is kInvalidStandinDocument with the reader's description. Every
// failure's description starts with the path.
Status WriteStandinDocument(const std::filesystem::path& path, const StandinDocument& document);

}  // namespace korrin::standin
