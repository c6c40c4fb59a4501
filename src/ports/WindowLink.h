#pragma once

#include <string>

namespace korrin {

// What became of a text handed to another program's window.
enum class TextDelivery {
  Delivered,
  NoWindow,    // no window with that title runs
  NoEmptyBox,  // the window has no box of that class, or its box still holds a text
};

// Hands texts to a window of another program of the desktop session, the way
// the program talks to its companion watcher: find the top-level window by
// its title, find its first text box of the given class that is empty, and
// set that box's text. A box that still holds a text does not take another.
class WindowLink {
 public:
  virtual ~WindowLink() = default;

  // Never blocks for long: a window that does not answer counts as missing.
  virtual TextDelivery SetTextOfEmptyBox(const std::string& windowTitle, const std::string& boxClass,
                                         const std::string& text) = 0;
};

}  // namespace korrin
