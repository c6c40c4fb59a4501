#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>

#include "documents/FirstOpenRecord.h"
#include "documents/StandinDocument.h"
#include "GeometryExchange.h"

namespace korrin::standin {

using Clock = std::function<std::chrono::steady_clock::time_point()>;

// Where the medium one of the three STL resolutions sits; meshes without
// options of their own (XGL, ZGL) are made at it.
inline constexpr int kMediumStlResolution = 1;

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


}  // namespace korrin::standin
