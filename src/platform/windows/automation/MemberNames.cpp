#include "platform/windows/automation/MemberNames.h"

#include <array>
#include <cwchar>
#include <utility>

#include "host/DispatchMembers.h"

namespace korrin {
namespace {

namespace m = host::members;

constexpr std::array<std::pair<std::int32_t, const wchar_t*>, 12> kNames{{
    {m::kSaveAsBitmap, L"SaveAsBitmap"},
    {m::kPrintToFile, L"PrintToFile"},
    {m::kAcadVisible, L"Visible"},
    {m::kAcadDocuments, L"Documents"},
    {m::kAcadActiveDocument, L"ActiveDocument"},
    {m::kAcadGetAcadState, L"GetAcadState"},
    {m::kAcadUpdate, L"Update"},
    {m::kAcadIsQuiescent, L"IsQuiescent"},
    {m::kAcadOpen, L"Open"},
    {m::kAcadClose, L"Close"},
    {m::kAcadPreferences, L"Preferences"},
    {m::kAcadLineWeightDisplay, L"LineWeightDisplay"},
}};

}  // namespace

const wchar_t* MemberName(std::int32_t member) {
  for (const auto& [id, name] : kNames) {
    if (id == member) return name;
  }
  return nullptr;
}

std::optional<std::int32_t> MemberNamed(const wchar_t* name) {
  for (const auto& [id, known] : kNames) {
    if (_wcsicmp(known, name) == 0) return id;
  }
  return std::nullopt;
}

// The own range spans the ids from its base up to the next 2^24; the
// host's collections have ids above it (the count).
constexpr std::int32_t kOwnMemberEnd = m::kOwnMemberBase + 0x1000000;

bool IsNamedMember(std::int32_t member) { return member >= m::kOwnMemberBase && member < kOwnMemberEnd; }

}  // namespace korrin
