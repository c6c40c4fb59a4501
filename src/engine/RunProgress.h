#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "filelist/ConversionList.h"

namespace korrin {

using WallClock = std::chrono::system_clock;

// The sum of the sizes of every entry of the list, in bytes, whatever entry
// a run starts from. Sums are 64-bit, so lists of more than 2 GiB add up. A
// file whose size cannot be read (removed after it was listed) counts as 0,
// so the progress of the others still shows.
std::int64_t TotalFileSize(const ConversionList& list);
// The size of one file; 0 when it cannot be read.
std::int64_t FileSizeOf(const std::string& path);

// Whole seconds from start to now; nothing when now is earlier than start
// (the clock was set back), so the caller keeps its last value.
std::optional<std::int64_t> ElapsedSeconds(WallClock::time_point start, WallClock::time_point now);
// The elapsed time as "h:mm:ss" (hours as many as there are), or "ERROR"
// when now is earlier than start.
std::string ElapsedTime(WallClock::time_point start, WallClock::time_point now);

// The three progress controls after an entry.
struct ProgressDisplay {
  int barValue = 0;
  std::string percentText;   // "33.3 %", one decimal with the given separator
  std::string timeLeftText;  // "hh:mm:ss"; more hour digits past 99 hours

  bool operator==(const ProgressDisplay&) const = default;
};

// The display after an entry, from the seconds elapsed and the bytes done
// (the entry just processed included) out of the total; the remaining bytes
// are assumed to take as long per byte as the bytes done. Nothing when it
// cannot be worked out (no bytes done, no total): the controls keep their
// state.
std::optional<ProgressDisplay> ProgressAfterEntry(std::int64_t elapsedSeconds, std::int64_t doneBytes,
                                                  std::int64_t totalBytes, char decimalSeparator = '.');

// A duration as "hh:mm:ss", with at least two hour digits.
std::string ClockText(std::int64_t seconds);

}  // namespace korrin
