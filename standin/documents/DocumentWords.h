#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "documents/ComputeStatus.h"
#include "documents/DocumentType.h"

namespace korrin::standin {

// The words a document file spells the host's codes with ("part",
// "up-to-date"). A code outside the list has no word; its number is given
// instead, which no reader takes.
std::string DocumentTypeWord(DocumentType type);
std::optional<DocumentType> DocumentTypeFromWord(std::string_view word);

std::string ComputeStatusWord(ComputeStatus status);
std::optional<ComputeStatus> ComputeStatusFromWord(std::string_view word);

}  // namespace korrin::standin
