#include "StandinApplication.h"

#include "DocumentPictures.h"
#include "StandinFailures.h"
#include "ViewBitmap.h"
#include "ViewWindowFrame.h"
#include "host/HostCodes.h"

namespace korrin::standin {
namespace {

// The command state while a command or a background computation runs.
constexpr std::int32_t kCommandStateBusy = 2049;
// How long the save-copy command keeps the host busy after writing.
constexpr std::chrono::milliseconds kCommandDuration{50};
constexpr const char* kNoDocumentEnvironment = "ZeroDoc";
// A model's view on the screen, and a drawing's sheet lying on the desk.
const QColor kViewBackground(236, 240, 246);
const QColor kPaperColour(255, 255, 255);
const QColor kDeskColour(128, 128, 128);

}  // namespace

StandinApplication::StandinApplication(StandinSettings settings, std::shared_ptr<FirstOpenRecord> firstOpens,
                                       std::shared_ptr<ProcessEnding> ending, ViewsHelper* viewsHelper)
    : settings_(std::move(settings)),
      firstOpens_(std::move(firstOpens)),
      ending_(ending ? std::move(ending) : std::make_shared<EndingInsideProgram>()),
      viewsHelper_(viewsHelper) {
  for (const AddInDescription& description : StandinAddIns()) {
    addInOrder_.push_back(addIns_.Add(AddInState{description, false}));
  }
}

Status StandinApplication::Running() const {
  if (endedByFault_) return ServerUnavailable();
  if (quit_) return Disconnected();
  return {};
}

Status StandinApplication::SetStartUpSetting(host::StartUpSetting setting, bool value) {
  if (Status running = Running(); !running) return running;
  startUpSettings_[setting == host::StartUpSetting::First ? 0 : 1] = value;
  return {};
}

Status StandinApplication::Quit() {
  if (Status running = Running(); !running) return running;
  Terminate();
  return {};
}

void StandinApplication::Terminate() {
  quit_ = true;
  documents_.Clear();
  printManagers_.Clear();
  openOrder_.clear();
  UpdateViewsHelper();
}

void StandinApplication::UpdateViewsHelper() {
  if (viewsHelper_ == nullptr) return;
  bool needed = false;
  for (const auto& [value, document] : documents_) {
    for (const std::int32_t left : document.computingReadsLeft) needed = needed || left > 0;
  }
  viewsHelper_->SetNeeded(needed);
}

Result<std::int32_t> StandinApplication::DocumentCount() {
  if (Status running = Running(); !running) return running.failure();
  return static_cast<std::int32_t>(openOrder_.size());
}

Result<host::DocumentHandle> StandinApplication::ActiveDocument() {
  if (Status running = Running(); !running) return running.failure();
  if (openOrder_.empty()) return Unspecified("No document is active.");
  return openOrder_.back();
}

Result<std::int32_t> StandinApplication::ActiveDocumentType() {
  auto active = ActiveDocument();
  if (!active) return active.failure();
  return DocumentType(active.value());
}

Result<host::ViewHandle> StandinApplication::ActiveView() {
  auto active = ActiveDocument();
  if (!active) return active.failure();
  auto document = FindDocument(active.value());
  if (!document) return document.failure();
  return document.value()->view;
}

Result<host::WindowHandle> StandinApplication::ViewWindow(host::ViewHandle view) {
  if (Status running = Running(); !running) return running.failure();
  auto found = views_.Find(view);
  if (!found) return found.failure();
  return found.value()->window;
}

Status StandinApplication::SaveAsBitmap(host::ViewHandle view, const std::string& fileName, std::int32_t width,
                                        std::int32_t height) {
  if (Status running = Running(); !running) return running;
  auto found = views_.Find(view);
  if (!found) return found.failure();
  auto document = FindDocument(found.value()->document);
  if (!document) return document.failure();
  if (width < 0 || height < 0) return InvalidArgument("The bitmap size must not be negative.");
  // A size of 0 takes the view window's, as the host's own bitmap save does.
  if (width == 0 || height == 0) {
    auto extents = ViewWindowExtents(view);
    if (!extents) return extents.failure();
    if (width == 0) width = extents.value().width;
    if (height == 0) height = extents.value().height;
  }
  const LoadedDocument& shown = *document.value();
  const bool drawing = shown.model.type == standin::DocumentType::Drawing;
  // The title block's text needs the fonts of a QGuiApplication.
  if (drawing && !CanDrawText()) {
    return Unspecified("The stand-in host draws a drawing's sheet only in a program that has a QGuiApplication.");
  }
  auto painter = ActiveViewPainter(shown, SheetOnPaper{}, Ink(false),
                                   "The stand-in host cannot draw a bitmap of this document: ");
  if (!painter) return painter.failure();
  const BitmapPage page =
      drawing ? BitmapPage{SheetMillimetres(shown.model.sheets[shown.activeSheet]), kPaperColour, kDeskColour}
              : BitmapPage{ViewPageOf(width, height), kViewBackground, kViewBackground};
  return WriteViewBitmap(fileName, width, height, page, painter.value());
}

Result<host::ViewExtents> StandinApplication::ViewWindowExtents(host::ViewHandle view) {
  auto window = ViewWindow(view);
  if (!window) return window.failure();
  auto placement = GetWindowPlacement(window.value());
  if (!placement) return placement.failure();
  const host::WindowPlacement& frame = placement.value();
  return host::ViewExtents{frame.top, frame.left, frame.bottom - frame.top - kFrameHeight,
                           frame.right - frame.left - kFrameWidth};
}

Status StandinApplication::SetDisplayMode(host::ViewHandle view, std::int32_t displayMode) {
  if (Status running = Running(); !running) return running;
  auto found = views_.Find(view);
  if (!found) return found.failure();
  if (displayMode != host::kWireframeDisplay && displayMode != host::kShadedDisplay &&
      displayMode != host::kHiddenEdgesDisplay) {
    return InvalidArgument("Unknown display mode " + std::to_string(displayMode) + ".");
  }
  found.value()->displayMode = displayMode;
  return {};
}

Status StandinApplication::UpdateView(host::ViewHandle view) {
  if (Status running = Running(); !running) return running;
  auto found = views_.Find(view);
  if (!found) return found.failure();
  return {};
}

Status StandinApplication::SetCameraOrientation(host::ViewHandle view, std::int32_t orientation) {
  if (Status running = Running(); !running) return running;
  auto found = views_.Find(view);
  if (!found) return found.failure();
  found.value()->cameraOrientation = orientation;
  return {};
}

Result<host::WindowPlacement> StandinApplication::GetWindowPlacement(host::WindowHandle window) {
  if (Status running = Running(); !running) return running.failure();
  auto found = windows_.Find(window);
  if (!found) return found.failure();
  return found.value()->placement;
}

Status StandinApplication::SetWindowPlacement(host::WindowHandle window, const host::WindowPlacement& placement) {
  if (Status running = Running(); !running) return running;
  auto found = windows_.Find(window);
  if (!found) return found.failure();
  if (placement.right <= placement.left || placement.bottom <= placement.top) {
    return InvalidArgument("A window placement needs a rectangle of some size.");
  }
  found.value()->placement = placement;
  return {};
}

Status StandinApplication::ShowWindow(host::WindowHandle window, std::int32_t showCommand) {
  if (Status running = Running(); !running) return running;
  auto found = windows_.Find(window);
  if (!found) return found.failure();
  found.value()->lastShowCommand = showCommand;
  found.value()->placement.showCommand = showCommand;
  return {};
}

Result<std::int32_t> StandinApplication::CommandState() {
  if (Status running = Running(); !running) return running.failure();
  return settings_.now() < busyUntil_ ? kCommandStateBusy : host::kCommandStateIdle;
}

Status StandinApplication::StartCommand(std::int32_t command) {
  if (Status running = Running(); !running) return running;
  if (command != host::kSaveCopyAsCommand) {
    return InvalidArgument("The stand-in host has no command " + std::to_string(command) + ".");
  }
  // Without a posted name the dialog would wait for a person; the stand-in
  // has no dialog, so it refuses instead of hanging.
  if (postedFileName_.empty()) return Unspecified("Save Copy As needs a file name posted first.");
  const std::string fileName = std::exchange(postedFileName_, "");
  auto view = ActiveView();
  if (!view) return view.failure();
  auto extents = ViewWindowExtents(view.value());
  if (!extents) return extents.failure();
  Status saved = SaveAsBitmap(view.value(), fileName, extents.value().width, extents.value().height);
  busyUntil_ = settings_.now() + kCommandDuration;
  return saved;
}

Status StandinApplication::PostFileName(std::int32_t postType, const std::string& fileName) {
  if (Status running = Running(); !running) return running;
  if (postType != host::kFileNamePostType) {
    return InvalidArgument("The stand-in host takes no private event " + std::to_string(postType) + ".");
  }
  postedFileName_ = fileName;
  return {};
}

Result<std::string> StandinApplication::ActiveEnvironmentName() {
  if (Status running = Running(); !running) return running.failure();
  if (openOrder_.empty()) return std::string(kNoDocumentEnvironment);
  auto document = FindDocument(openOrder_.back());
  if (!document) return document.failure();
  return document.value()->model.environment;
}

Result<std::string> StandinApplication::UserName() {
  if (Status running = Running(); !running) return running.failure();
  return settings_.userName;
}

Result<std::vector<host::AddInEntry>> StandinApplication::AddIns() {
  if (Status running = Running(); !running) return running.failure();
  std::vector<host::AddInEntry> entries;
  for (const host::AddInHandle handle : addInOrder_) {
    entries.push_back({handle, addIns_.Find(handle).value()->description.displayName});
  }
  return entries;
}

Status StandinApplication::ActivateAddIn(host::AddInHandle addIn) {
  if (Status running = Running(); !running) return running;
  auto found = addIns_.Find(addIn);
  if (!found) return found.failure();
  found.value()->active = true;
  return {};
}

Result<host::ContextHandle> StandinApplication::NewTranslationContext(std::int32_t kind) {
  if (Status running = Running(); !running) return running.failure();
  return contexts_.Add(kind);
}

Result<host::OptionMapHandle> StandinApplication::NewOptionMap() {
  if (Status running = Running(); !running) return running.failure();
  return optionMaps_.Add({});
}

Result<host::DataMediumHandle> StandinApplication::NewDataMedium(const std::string& fileName) {
  if (Status running = Running(); !running) return running.failure();
  return media_.Add(fileName);
}

Result<std::int32_t> StandinApplication::OptionCount(host::OptionMapHandle map) {
  if (Status running = Running(); !running) return running.failure();
  auto found = optionMaps_.Find(map);
  if (!found) return found.failure();
  return static_cast<std::int32_t>(found.value()->size());
}

Result<std::string> StandinApplication::OptionName(host::OptionMapHandle map, std::int32_t number) {
  if (Status running = Running(); !running) return running.failure();
  auto found = optionMaps_.Find(map);
  if (!found) return found.failure();
  OptionEntries& entries = *found.value();
  if (number < 1 || static_cast<std::size_t>(number) > entries.size()) {
    return InvalidArgument("The option map has no entry " + std::to_string(number) + ".");
  }
  return entries[static_cast<std::size_t>(number) - 1].first;
}

Result<host::OptionValue> StandinApplication::GetOption(host::OptionMapHandle map, const std::string& name) {
  if (Status running = Running(); !running) return running.failure();
  auto found = optionMaps_.Find(map);
  if (!found) return found.failure();
  for (const auto& [entryName, value] : *found.value()) {
    if (entryName == name) return value;
  }
  return InvalidArgument("The option map has no entry named \"" + name + "\".");
}

Status StandinApplication::SetOption(host::OptionMapHandle map, const std::string& name,
                                     const host::OptionValue& value) {
  if (Status running = Running(); !running) return running;
  auto found = optionMaps_.Find(map);
  if (!found) return found.failure();
  for (auto& [entryName, entryValue] : *found.value()) {
    if (entryName == name) {
      entryValue = value;
      return {};
    }
  }
  found.value()->emplace_back(name, value);
  return {};
}

Status StandinApplication::Ended(std::optional<Failure> seen) {
  if (!seen) return {};
  Terminate();
  endedByFault_ = true;
  return *seen;
}

Status StandinApplication::Hang(const StandinHang& hang) {
  std::optional<std::chrono::milliseconds> duration;
  if (hang.milliseconds) duration = std::chrono::milliseconds(*hang.milliseconds);
  return Ended(ending_->Hang(duration));
}

Status StandinApplication::OpenFaults(const std::string& path, const StandinFaults& faults) {
  const bool hasFirstFault = faults.hangFirstOpen || faults.crashFirstOpen || faults.exitFirstOpen || faults.failFirstOpen;
  if (hasFirstFault && !firstOpens_->Contains(path)) {
    // Recorded before the fault acts: a crash leaves no time afterwards.
    if (Status recorded = firstOpens_->Add(path); !recorded) {
      return Unspecified("The stand-in host cannot record the first open of \"" + path +
                         "\": " + recorded.failure().description);
    }
    if (faults.hangFirstOpen) {
      if (Status answered = Hang(*faults.hangFirstOpen); !answered) return answered;
    }
    if (faults.crashFirstOpen) return Ended(ending_->Crash(CrashSignal()));
    if (faults.exitFirstOpen) return Ended(ending_->Exit(*faults.exitFirstOpen));
    if (faults.failFirstOpen) return Failure{faults.failFirstOpen->number, faults.failFirstOpen->description};
    return {};
  }
  if (faults.hangEveryOpen) {
    if (Status answered = Hang(*faults.hangEveryOpen); !answered) return answered;
  }
  if (faults.crashEveryOpen) return Ended(ending_->Crash(CrashSignal()));
  if (faults.failEveryOpen) return Failure{faults.failEveryOpen->number, faults.failEveryOpen->description};
  return {};
}

Status StandinApplication::SaveFaults(const StandinFaults& faults) {
  if (faults.hangEverySave) {
    if (Status answered = Hang(*faults.hangEverySave); !answered) return answered;
  }
  if (faults.crashEverySave) return Ended(ending_->Crash(CrashSignal()));
  if (faults.failEverySave) return Failure{faults.failEverySave->number, faults.failEverySave->description};
  return {};
}

void StandinApplication::BusyFor(std::int32_t milliseconds) {
  if (milliseconds <= 0) return;
  busyUntil_ = std::max(busyUntil_, settings_.now() + std::chrono::milliseconds(milliseconds));
}

}  // namespace korrin::standin
