#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korrin {

// The local path a shortcut file (the system's shell link format) points
// to: its local base path followed by its common path suffix, taken from
// the wide-character copies when the file has them. Nothing when the bytes
// are not a shell link or the link holds no local path (a network-only
// target, say). Every offset is checked: a damaged file gives nothing.
std::optional<std::string> ShellLinkLocalTarget(std::string_view bytes);

}  // namespace korrin
