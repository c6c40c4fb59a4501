#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/Dialogs.h"

namespace korrin::bench {

// Answers every box with Yes or OK, and keeps the messages: a measured
// operation that showed one went wrong somewhere.
class AgreeingDialogs final : public Dialogs {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string&) override { return true; }
  bool AskOkCancel(const std::string&) override { return true; }
  std::optional<std::string> ChooseFile(const FileRequest&) override { return std::nullopt; }
  std::optional<std::string> BrowseForFolder(const std::string&) override { return std::nullopt; }
  std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }

  std::vector<std::string> messages;
};

}  // namespace korrin::bench
