#pragma once

#include <cstdint>
#include <string>

#include "ports/Result.h"

namespace korrin::host {

// AutoCAD as the program drives it after a drawing export and after DWG and
// DXF runs: its open documents, the active one among them, and its idle
// state. Every call returns its value or a failure with AutoCAD's number and
// description; none throws. Calls come from the user-interface thread.
class Acad {
 public:
  virtual ~Acad() = default;

  virtual Status SetVisible(bool visible) = 0;
  // True while AutoCAD waits for input and runs no command.
  virtual Result<bool> IsQuiescent() = 0;

  virtual Result<std::int32_t> DocumentCount() = 0;
  // Opens a drawing file and makes it the active document.
  virtual Status OpenDocument(const std::string& fullFileName) = 0;
  // The active document's lineweight display preference.
  virtual Status SetLineweightDisplay(bool on) = 0;
  // The application's argument-less update call, made once before a
  // finished document is closed.
  virtual Status Update() = 0;
  // Closes the active document, saving its changes or not; the next open
  // document becomes the active one.
  virtual Status CloseActiveDocument(bool saveChanges) = 0;
};

}  // namespace korrin::host
