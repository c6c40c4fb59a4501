#include "documents/DocumentWords.h"

#include <array>
#include <utility>

namespace korrin::standin {
namespace {

constexpr std::array<std::pair<DocumentType, std::string_view>, 5> kTypeWords{{
    {DocumentType::Part, "part"},
    {DocumentType::Assembly, "assembly"},
    {DocumentType::Drawing, "drawing"},
    {DocumentType::Presentation, "presentation"},
    {DocumentType::DesignElement, "design-element"},
}};

constexpr std::array<std::pair<ComputeStatus, std::string_view>, 7> kStatusWords{{
    {ComputeStatus::Unknown, "unknown"},
    {ComputeStatus::UpToDate, "up-to-date"},
    {ComputeStatus::OutOfDate, "out-of-date"},
    {ComputeStatus::DriverLost, "driver-lost"},
    {ComputeStatus::InError, "in-error"},
    {ComputeStatus::Deleted, "deleted"},
    {ComputeStatus::CannotCompute, "cannot-compute"},
}};

template <typename Code, std::size_t Count>
std::string WordOf(const std::array<std::pair<Code, std::string_view>, Count>& words, Code code) {
  for (const auto& [listed, word] : words) {
    if (listed == code) return std::string(word);
  }
  return std::to_string(static_cast<std::int32_t>(code));
}

template <typename Code, std::size_t Count>
std::optional<Code> CodeOf(const std::array<std::pair<Code, std::string_view>, Count>& words, std::string_view word) {
  for (const auto& [code, listed] : words) {
    if (listed == word) return code;
  }
  return std::nullopt;
}

}  // namespace

std::string DocumentTypeWord(DocumentType type) { return WordOf(kTypeWords, type); }

std::optional<DocumentType> DocumentTypeFromWord(std::string_view word) { return CodeOf(kTypeWords, word); }

std::string ComputeStatusWord(ComputeStatus status) { return WordOf(kStatusWords, status); }

std::optional<ComputeStatus> ComputeStatusFromWord(std::string_view word) { return CodeOf(kStatusWords, word); }

}  // namespace korrin::standin
