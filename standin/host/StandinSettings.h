#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>

#include "documents/StandinDocument.h"
#include "GeometryExchange.h"

namespace korrin::standin {

using Clock = std::function<std::chrono::steady_clock::time_point()>;

// What a stand-in host is started with: its release, what it read from its
// registry at start, and where it gets time and geometry from.
struct StandinSettings {
  StandinRelease release{7, 0};
  std::string userName;
  // The three STL resolutions (high, medium, low), as numbers of facets per
  // model diagonal: higher is finer.
  std::int32_t stlResolutions[3] = {20000, 6300, 2000};
  std::string acisVersion = "7";
  ImportRepair igesImport;
  ImportRepair stepImport;
  Clock now = [] { return std::chrono::steady_clock::now(); };
  GeometryExchange* geometry = nullptr;  // no geometry translators without it
};

// Remembers, for the whole life of the program, which files were opened,
// so a document can fail its first open only, even when the host was
// restarted in between.
class OpenHistory {
 public:
  // How many times the file was opened before (by its full name).
  int Record(const std::string& fullFileName) { return opens_[fullFileName]++; }

 private:
  std::map<std::string, int> opens_;
};

}  // namespace korrin::standin
