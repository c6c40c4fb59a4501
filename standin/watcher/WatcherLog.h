#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <utility>

#include "ports/Result.h"

namespace korrin::standin {

// The watcher's log: one line per text, "YYYY-MM-DD HH:MM:SS<TAB>text",
// in local time.
class WatcherLog {
 public:
  explicit WatcherLog(std::string path) : path_(std::move(path)) {}

  // Appends the line with a single write, so lines of two watchers writing at
  // once never interleave.
  Status Append(std::string_view text, std::time_t when) const;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The log line for a text received at that time, line break included.
std::string WatcherLogLine(std::string_view text, std::time_t when);

}  // namespace korrin::standin
