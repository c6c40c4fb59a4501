#pragma once

#include <string>
#include <vector>

#include "ModelFiles.h"
#include "host/Acad.h"

namespace korrin::testing {

// AutoCAD held in memory: opens drawing files that exist, keeps each open
// document's lineweight display switch and update, and records every close.
class ModelAcad final : public host::Acad {
 public:
  struct Closed {
    std::string fullFileName;
    bool saved = false;
    bool lineweightDisplay = true;
    bool updated = false;

    bool operator==(const Closed&) const = default;
  };

  // Reads of IsQuiescent that answer false after each open.
  int busyReadsAfterOpen = 0;
  bool visible = false;
  std::vector<Closed> closed;

  Status SetVisible(bool on) override;
  Result<bool> IsQuiescent() override;
  Result<std::int32_t> DocumentCount() override;
  Status OpenDocument(const std::string& fullFileName) override;
  Status SetLineweightDisplay(bool on) override;
  Status Update() override;
  Status CloseActiveDocument(bool saveChanges) override;

 private:
  std::vector<Closed> open_;  // the active one last
  int busyReadsLeft_ = 0;
};

}  // namespace korrin::testing
