#pragma once

#include <filesystem>
#include <string_view>

#include "documents/StandinDocument.h"
#include "ports/Result.h"

namespace korrin::standin {

// Reads a stand-in document from its text; lines may end with CR LF or LF.
// A text that is no such document, or a damaged one, gives a failure whose
// number is one of StandinDocumentFailures.h and whose description says what
// is wrong and where ("line 7: the sheet width "29,7" is not a number").
Result<StandinDocument> ParseStandinDocument(std::string_view text);

// Reads the document file at path. Every failure's description starts with
// the path; one that could not be opened or read keeps the system's number.
Result<StandinDocument> ReadStandinDocument(const std::filesystem::path& path);

}  // namespace korrin::standin
