#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Dialogs.h"
#include "ports/EventPump.h"

// What the fuzz targets share: the input as bytes, as a file, and ports that
// answer without a user.
namespace korrin::fuzz {

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

// Says yes and OK to every question and cancels every chooser, so each path
// a parser's failures take is walked; the messages are counted, not shown.
class AnsweringDialogs final : public Dialogs {
 public:
  void ShowMessage(const std::string&) override { ++messages; }
  bool AskYesNo(const std::string&) override { return true; }
  bool AskOkCancel(const std::string&) override { return true; }
  std::optional<std::string> ChooseFile(const FileRequest&) override { return std::nullopt; }
  std::optional<std::string> BrowseForFolder(const std::string&) override { return std::nullopt; }
  std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }

  int messages = 0;
};

class IdleEventPump final : public EventPump {
 public:
  void Yield() override {}
};

// Ends the process loudly when a property every input must keep is broken:
// libFuzzer keeps the input that did it, the replay test names it.
void Require(bool holds, const char* what);

}  // namespace korrin::fuzz
