#pragma once

#include <cstdint>
#include <optional>

namespace korrin {

// The published name of a member the host reaches by name only (AutoCAD's
// automation interface, the view's bitmap, the print manager's file); null
// for members called by their dispatch id, and for members that are no
// automation member at all.
const wchar_t* MemberName(std::int32_t member);

// The member a published name stands for, ignoring case as automation
// does; nullopt for a name of no member the program calls by name.
std::optional<std::int32_t> MemberNamed(const wchar_t* name);

// Whether the member is called by its name rather than its id.
bool IsNamedMember(std::int32_t member);

}  // namespace korrin
