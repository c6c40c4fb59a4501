// Korrin.ini and the settings line rule under it: any bytes read as the
// program settings file, then written and read again.
#include <cstdint>

#include "FuzzInput.h"
#include "settings/ProgramSettings.h"
#include "settings/SettingsLine.h"

namespace korrin::fuzz {
namespace {

void SplitEveryLine(std::string_view bytes) {
  std::size_t start = 0;
  while (start <= bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(start, end - start);
    const KeyValue split = SplitKeyValue(line);
    const bool hasEquals = line.find('=') != std::string_view::npos;
    Require((hasEquals ? split.key + "=" + split.value : split.key) == line, "a split line joins back whole");
    Require(KeysEqual(split.key, split.key), "a key equals itself");
    start = end + 1;
  }
}

}  // namespace
}  // namespace korrin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korrin;
  using namespace korrin::fuzz;
  const std::string_view bytes = InputBytes(data, size);
  SplitEveryLine(bytes);

  const std::filesystem::path file = WriteScratchFile(kProgramSettingsFileName, bytes);
  const ProgramPlace place{file.parent_path().string(), "/tmp"};
  AnsweringDialogs dialogs;
  ProgramSettings first;
  ReadProgramSettings(place, first, dialogs);
  Require(dialogs.messages.size() <= 11, "at most ten invalid lines and one count are shown");

  Require(static_cast<bool>(WriteProgramSettings(place, first)), "the settings file is written back");
  ProgramSettings second;
  ReadProgramSettings(place, second, dialogs);
  Require(first == second, "written settings read back the same");
  return 0;
}
