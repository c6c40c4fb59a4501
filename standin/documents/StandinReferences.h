#pragma once

#include <filesystem>
#include <vector>

#include "documents/StandinDocument.h"

namespace korrin::standin {

// The file a reference names: its path taken from the folder of the
// document at documentPath, with "." and ".." steps folded away as text
// (links are not followed), so "../parts/a.ipt" from "/s/asm/top.iam" is
// "/s/parts/a.ipt".
std::filesystem::path ResolveReference(const std::filesystem::path& documentPath, const StandinReference& reference);

// Every reference of the document resolved so, in the document's order.
std::vector<std::filesystem::path> ResolveReferences(const std::filesystem::path& documentPath,
                                                     const StandinDocument& document);

}  // namespace korrin::standin
