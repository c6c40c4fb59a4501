#pragma once

#include <cstdint>

#include "host/HostValues.h"

namespace korrin::standin {

// A view window's frame: its client area is this much narrower and lower
// than the window.
inline constexpr std::int32_t kFrameWidth = 12;
inline constexpr std::int32_t kFrameHeight = 31;
// Where a new view window opens: normal, with a 1024 x 768 client area.
inline constexpr host::WindowPlacement kFirstPlacement{0, 1, 0, 0, 1024 + kFrameWidth, 768 + kFrameHeight};

}  // namespace korrin::standin
