#pragma once

#include <chrono>
#include <string>

namespace korrin::host {

// A deadline in seconds for a failure's text: whole seconds as "30"; below a
// whole second it keeps its tenths ("0.5"), so a short test deadline does not
// read as "0 s".
std::string SecondsText(std::chrono::milliseconds deadline);

}  // namespace korrin::host
