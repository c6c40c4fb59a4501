#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/Acad.h"

namespace korrin::standin {

// AutoCAD as the stand-in runs it: served by korrin-host's AutoCAD mode, or
// inside a test's process. It opens
// the DWG and DXF containers the stand-in's translators write, keeps each
// document's lineweight display preference, and when a document is closed
// with its changes saved writes the container back with the preference and
// the save recorded. After Exit every call fails as on a host that has gone
// away.
class StandinAcad final : public host::Acad {
 public:
  // Reads of IsQuiescent that answer false after each open, so the callers'
  // wait loops run: counted in reads, never in time.
  static constexpr int kBusyReadsAfterOpen = 3;

  // What the user closing AutoCAD, or its process ending, does: open
  // documents are dropped unsaved.
  void Exit();
  bool exited() const { return exited_; }
  bool visible() const { return visible_; }

  Status SetVisible(bool visible) override;
  Result<bool> IsQuiescent() override;
  Result<std::int32_t> DocumentCount() override;
  Status OpenDocument(const std::string& fullFileName) override;
  Status SetLineweightDisplay(bool on) override;
  Status Update() override;
  Status CloseActiveDocument(bool saveChanges) override;

 private:
  struct OpenDrawing {
    std::string path;
    std::vector<std::string> lines;  // as read, less the lines a save writes anew
    bool lineweightDisplay = true;
    bool updated = false;  // Update was called while it was active
  };

  Status Running() const;
  Result<OpenDrawing*> Active();
  static std::vector<std::string> SavedLines(const OpenDrawing& drawing);

  std::vector<OpenDrawing> documents_;  // the active one last
  int busyReadsLeft_ = 0;
  bool visible_ = false;
  bool exited_ = false;
};

}  // namespace korrin::standin
