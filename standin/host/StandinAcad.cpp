#include "StandinAcad.h"

#include <algorithm>

#include "ContainerReader.h"
#include "HostPaths.h"
#include "StandinFailures.h"
#include "settings/TextFile.h"

namespace korrin::standin {
namespace {

// The lines a save writes anew, after all the others.
constexpr const char* kLineweightDisplayKey = "lineweight-display";
constexpr const char* kUpdatedBeforeSaveKey = "updated-before-save";
constexpr const char* kSavedByKey = "saved-by";
constexpr const char* kSavedByAcad = "AutoCAD";

bool HasKey(const std::string& line, const char* key) { return line.starts_with(std::string(key) + " "); }

bool IsWrittenBySave(const std::string& line) {
  return HasKey(line, kLineweightDisplayKey) || HasKey(line, kUpdatedBeforeSaveKey) || HasKey(line, kSavedByKey);
}

std::string OnOff(bool on) { return on ? "on" : "off"; }

}  // namespace

void StandinAcad::Exit() {
  exited_ = true;
  documents_.clear();
  busyReadsLeft_ = 0;
}

Status StandinAcad::Running() const {
  if (exited_) return Disconnected();
  return {};
}

Result<StandinAcad::OpenDrawing*> StandinAcad::Active() {
  if (Status running = Running(); !running) return running.failure();
  if (documents_.empty()) return Unspecified("No drawing is open in AutoCAD.");
  return &documents_.back();
}

Status StandinAcad::SetVisible(bool visible) {
  if (Status running = Running(); !running) return running;
  visible_ = visible;
  return {};
}

Result<bool> StandinAcad::IsQuiescent() {
  if (Status running = Running(); !running) return running.failure();
  if (busyReadsLeft_ == 0) return true;
  --busyReadsLeft_;
  return false;
}

Result<std::int32_t> StandinAcad::DocumentCount() {
  if (Status running = Running(); !running) return running.failure();
  return static_cast<std::int32_t>(documents_.size());
}

Status StandinAcad::OpenDocument(const std::string& path) {
  if (Status running = Running(); !running) return running;
  const auto open = std::find_if(documents_.begin(), documents_.end(),
                                 [&path](const OpenDrawing& drawing) { return drawing.path == path; });
  if (open != documents_.end()) {
    // Opening an open drawing activates it.
    std::rotate(open, open + 1, documents_.end());
    busyReadsLeft_ = kBusyReadsAfterOpen;
    return {};
  }
  auto read = ReadContainer(path);
  if (!read) return Unspecified("AutoCAD cannot open \"" + path + "\": " + read.failure().description);
  if (read.value().kind != "DWG" && read.value().kind != "DXF") {
    return Unspecified("AutoCAD cannot open \"" + path + "\": it holds " + read.value().kind + ", not a drawing");
  }
  OpenDrawing drawing{path, {}, true, false};
  for (std::string& line : read.value().lines) {
    if (HasKey(line, kLineweightDisplayKey)) {
      drawing.lineweightDisplay = line != std::string(kLineweightDisplayKey) + " off";
    }
    if (!IsWrittenBySave(line)) drawing.lines.push_back(std::move(line));
  }
  documents_.push_back(std::move(drawing));
  busyReadsLeft_ = kBusyReadsAfterOpen;
  return {};
}

Status StandinAcad::SetLineweightDisplay(bool on) {
  auto active = Active();
  if (!active) return active.failure();
  active.value()->lineweightDisplay = on;
  return {};
}

// The update belongs to the application, not a document; it is recorded on
// the drawing active at the time, so a save shows whether one came first.
Status StandinAcad::Update() {
  if (Status running = Running(); !running) return running;
  if (!documents_.empty()) documents_.back().updated = true;
  return {};
}

std::vector<std::string> StandinAcad::SavedLines(const OpenDrawing& drawing) {
  std::vector<std::string> lines = drawing.lines;
  lines.push_back(std::string(kLineweightDisplayKey) + " " + OnOff(drawing.lineweightDisplay));
  lines.push_back(std::string(kUpdatedBeforeSaveKey) + " " + (drawing.updated ? "yes" : "no"));
  lines.push_back(std::string(kSavedByKey) + " " + kSavedByAcad);
  return lines;
}

Status StandinAcad::CloseActiveDocument(bool saveChanges) {
  auto active = Active();
  if (!active) return active.failure();
  if (saveChanges) {
    if (Status saved = WriteTextFile(active.value()->path, SavedLines(*active.value())); !saved) {
      return Unspecified("AutoCAD cannot save \"" + active.value()->path + "\": " + saved.failure().description);
    }
  }
  documents_.pop_back();
  return {};
}

}  // namespace korrin::standin
