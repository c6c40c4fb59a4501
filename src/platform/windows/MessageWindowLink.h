#pragma once

#include <chrono>

#include "ports/WindowLink.h"

namespace korrin {

// The window link of Windows: FindWindowW by the title, then the first child
// window (at any depth, in the system's order) of the box class whose text
// is empty, which gets the text through WM_SETTEXT. Every message is sent
// with a time-out taken from one deadline for the whole call, so a watcher
// that stopped answering costs at most that long, and counts as no window.
class MessageWindowLink final : public WindowLink {
 public:
  static constexpr std::chrono::milliseconds kDefaultTimeout{2000};

  explicit MessageWindowLink(std::chrono::milliseconds timeout = kDefaultTimeout) : timeout_(timeout) {}

  TextDelivery SetTextOfEmptyBox(const std::string& windowTitle, const std::string& boxClass,
                                 const std::string& text) override;

 private:
  std::chrono::milliseconds timeout_;
};

}  // namespace korrin
