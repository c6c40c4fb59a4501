#include "ModelAcad.h"

#include "host/ChannelFailures.h"

namespace korrin::testing {
namespace {

Failure NoDocument() { return Failure{host::kUnspecifiedFailure, "No document is open"}; }

}  // namespace

Status ModelAcad::SetVisible(bool on) {
  visible = on;
  return {};
}

Result<bool> ModelAcad::IsQuiescent() {
  if (busyReadsLeft_ > 0) {
    --busyReadsLeft_;
    return false;
  }
  return true;
}

Result<std::int32_t> ModelAcad::DocumentCount() { return static_cast<std::int32_t>(open_.size()); }

Status ModelAcad::OpenDocument(const std::string& fullFileName) {
  if (!ModelFileExists(fullFileName)) {
    return Failure{host::kUnspecifiedFailure, "File not found: " + fullFileName};
  }
  open_.push_back({fullFileName, false, true, false});
  busyReadsLeft_ = busyReadsAfterOpen;
  return {};
}

Status ModelAcad::SetLineweightDisplay(bool on) {
  if (open_.empty()) return NoDocument();
  open_.back().lineweightDisplay = on;
  return {};
}

Status ModelAcad::Update() {
  if (!open_.empty()) open_.back().updated = true;
  return {};
}

// A saved drawing gets a line saying how it was saved, so a test sees the
// file AutoCAD wrote.
Status ModelAcad::CloseActiveDocument(bool saveChanges) {
  if (open_.empty()) return NoDocument();
  Closed document = open_.back();
  open_.pop_back();
  document.saved = saveChanges;
  if (saveChanges) {
    Status written = WriteModelFile(document.fullFileName,
                                    {"model acad drawing", std::string("lineweight display: ") +
                                                               (document.lineweightDisplay ? "on" : "off")});
    if (!written) return written;
  }
  closed.push_back(std::move(document));
  return {};
}

}  // namespace korrin::testing
