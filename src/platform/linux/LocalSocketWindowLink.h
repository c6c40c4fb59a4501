#pragma once

#include <chrono>

#include "ports/WindowLink.h"

namespace korrin {

// The window link of Linux: connects to the window's socket in the window
// folder (see WindowFolder.h) and asks it to take the text. A missing socket,
// a socket nothing listens on, and a window that does not answer within the
// time-out all count as no window.
class LocalSocketWindowLink final : public WindowLink {
 public:
  static constexpr std::chrono::milliseconds kDefaultTimeout{2000};

  explicit LocalSocketWindowLink(std::chrono::milliseconds timeout = kDefaultTimeout) : timeout_(timeout) {}

  TextDelivery SetTextOfEmptyBox(const std::string& windowTitle, const std::string& boxClass,
                                 const std::string& text) override;

 private:
  std::chrono::milliseconds timeout_;
};

}  // namespace korrin
