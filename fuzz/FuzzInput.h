#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "bench/AgreeingDialogs.h"
#include "ports/EventPump.h"

// What the fuzz targets share: the input as bytes, as a file, and ports that
// answer without a user (the benchmarks' dialogs, which say yes and OK to
// every question, so each path a parser's failures take is walked).
namespace korrin::fuzz {

using AnsweringDialogs = bench::AgreeingDialogs;

inline std::string_view InputBytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A folder of this process's own, made on first use and removed when the
// process ends, so parallel fuzzing jobs never share their files.
const std::filesystem::path& ScratchFolder();

// Writes the bytes as the file name in the scratch folder, replacing what an
// earlier input left there, and returns its path. Aborts when the file
// cannot be written: every later input would test nothing.
std::filesystem::path WriteScratchFile(std::string_view name, std::string_view bytes);

// Splits the bytes at each NUL, keeping empty parts: one argument each.
std::vector<std::string> SplitAtNul(std::string_view bytes);

class IdleEventPump final : public EventPump {
 public:
  void Yield() override {}
};

// Ends the process loudly when a property every input must keep is broken:
// libFuzzer keeps the input that did it, the replay test names it.
void Require(bool holds, const char* what);

}  // namespace korrin::fuzz
