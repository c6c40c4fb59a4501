#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/HostConnector.h"

namespace korrin::testing {

// A host whose every call fails as "not supported": fakes override the few
// calls their test relies on, so a call the test did not expect shows up as
// a failure instead of a made-up value.
class UnsupportedHost : public host::Application, public host::Documents, public host::Sheets,
                        public host::Translators, public host::PrintManagers {
 public:
  static Failure NotSupported() { return Failure{-1, "not supported by this fake host"}; }

  host::Documents& documents() override { return *this; }
  host::Sheets& sheets() override { return *this; }
  host::Translators& translators() override { return *this; }
  host::PrintManagers& printManagers() override { return *this; }

  Status SetStartUpSetting(host::StartUpSetting, bool) override { return NotSupported(); }
  Status Quit() override { return NotSupported(); }
  Result<std::int32_t> DocumentCount() override { return NotSupported(); }
  Result<host::DocumentHandle> OpenDocument(const std::string&, bool) override { return NotSupported(); }
  Result<host::DocumentHandle> ActiveDocument() override { return NotSupported(); }
  Result<std::int32_t> ActiveDocumentType() override { return NotSupported(); }
  Result<host::ViewHandle> ActiveView() override { return NotSupported(); }
  Result<host::WindowHandle> ViewWindow(host::ViewHandle) override { return NotSupported(); }
  Status SaveAsBitmap(host::ViewHandle, const std::string&, std::int32_t, std::int32_t) override {
    return NotSupported();
  }
  Result<host::ViewExtents> ViewWindowExtents(host::ViewHandle) override { return NotSupported(); }
  Status SetDisplayMode(host::ViewHandle, std::int32_t) override { return NotSupported(); }
  Status UpdateView(host::ViewHandle) override { return NotSupported(); }
  Status SetCameraOrientation(host::ViewHandle, std::int32_t) override { return NotSupported(); }
  Result<host::WindowPlacement> GetWindowPlacement(host::WindowHandle) override { return NotSupported(); }
  Status SetWindowPlacement(host::WindowHandle, const host::WindowPlacement&) override { return NotSupported(); }
  Status ShowWindow(host::WindowHandle, std::int32_t) override { return NotSupported(); }
  Result<std::int32_t> CommandState() override { return NotSupported(); }
  Status StartCommand(std::int32_t) override { return NotSupported(); }
  Status PostFileName(std::int32_t, const std::string&) override { return NotSupported(); }
  Result<std::string> ActiveEnvironmentName() override { return NotSupported(); }
  Result<std::string> UserName() override { return NotSupported(); }
  Result<std::vector<host::AddInEntry>> AddIns() override { return NotSupported(); }
  Status ActivateAddIn(host::AddInHandle) override { return NotSupported(); }
  Result<host::ContextHandle> NewTranslationContext(std::int32_t) override { return NotSupported(); }
  Result<host::OptionMapHandle> NewOptionMap() override { return NotSupported(); }
  Result<host::DataMediumHandle> NewDataMedium(const std::string&) override { return NotSupported(); }
  Result<std::int32_t> OptionCount(host::OptionMapHandle) override { return NotSupported(); }
  Result<std::string> OptionName(host::OptionMapHandle, std::int32_t) override { return NotSupported(); }
  Result<host::OptionValue> GetOption(host::OptionMapHandle, const std::string&) override { return NotSupported(); }
  Status SetOption(host::OptionMapHandle, const std::string&, const host::OptionValue&) override {
    return NotSupported();
  }

  Result<std::string> FullFileName(host::DocumentHandle) override { return NotSupported(); }
  Result<std::int32_t> DocumentType(host::DocumentHandle) override { return NotSupported(); }
  Status Save(host::DocumentHandle) override { return NotSupported(); }
  Status SaveAs(host::DocumentHandle, const std::string&, bool) override { return NotSupported(); }
  Status Close(host::DocumentHandle, std::optional<bool>) override { return NotSupported(); }
  Result<std::int32_t> SheetCount(host::DocumentHandle) override { return NotSupported(); }
  Result<host::SheetHandle> Sheet(host::DocumentHandle, std::int32_t) override { return NotSupported(); }
  Result<host::SheetHandle> ActiveSheet(host::DocumentHandle) override { return NotSupported(); }
  Result<std::vector<host::ReferencedFile>> ReferencedFiles(host::DocumentHandle) override { return NotSupported(); }
  Result<host::DocumentHandle> ReferencedDocument(host::DescriptorHandle) override { return NotSupported(); }

  Status Activate(host::SheetHandle) override { return NotSupported(); }
  Result<double> Width(host::SheetHandle) override { return NotSupported(); }
  Result<double> Height(host::SheetHandle) override { return NotSupported(); }
  Result<std::int32_t> SizeCode(host::SheetHandle) override { return NotSupported(); }
  Result<bool> HasBorder(host::SheetHandle) override { return NotSupported(); }
  Status DeleteBorder(host::SheetHandle) override { return NotSupported(); }
  Result<bool> HasTitleBlock(host::SheetHandle) override { return NotSupported(); }
  Status DeleteTitleBlock(host::SheetHandle) override { return NotSupported(); }
  Result<std::int32_t> StatusWord(host::SheetHandle) override { return NotSupported(); }
  Result<bool> ExcludedFromPrinting(host::SheetHandle) override { return NotSupported(); }

  Result<bool> HasSaveCopyAsOptions(host::AddInHandle, host::DocumentHandle, host::ContextHandle,
                                    host::OptionMapHandle) override {
    return NotSupported();
  }
  Status SaveCopyAs(host::AddInHandle, host::DocumentHandle, host::ContextHandle, host::OptionMapHandle,
                    host::DataMediumHandle) override {
    return NotSupported();
  }
  Result<bool> HasOpenOptions(host::AddInHandle, host::DataMediumHandle, host::ContextHandle,
                              host::OptionMapHandle) override {
    return NotSupported();
  }
  Result<host::DocumentHandle> Open(host::AddInHandle, host::DataMediumHandle, host::ContextHandle,
                                    host::OptionMapHandle) override {
    return NotSupported();
  }

  Result<host::PrintManagerHandle> PrintManager(host::DocumentHandle) override { return NotSupported(); }
  Status SetPrinter(host::PrintManagerHandle, const std::string&) override { return NotSupported(); }
  Result<std::int32_t> Orientation(host::PrintManagerHandle) override { return NotSupported(); }
  Status SetOrientation(host::PrintManagerHandle, std::int32_t) override { return NotSupported(); }
  Result<std::int32_t> PaperSize(host::PrintManagerHandle) override { return NotSupported(); }
  Status SetPaperSize(host::PrintManagerHandle, std::int32_t) override { return NotSupported(); }
  Status SetCustomPaperWidth(host::PrintManagerHandle, double) override { return NotSupported(); }
  Status SetCustomPaperHeight(host::PrintManagerHandle, double) override { return NotSupported(); }
  Status SetColorMode(host::PrintManagerHandle, std::int32_t) override { return NotSupported(); }
  Status PrintToFile(host::PrintManagerHandle, const std::string&) override { return NotSupported(); }
  Status SubmitPrint(host::PrintManagerHandle) override { return NotSupported(); }
  Status SetPrintMode(host::PrintManagerHandle, std::int32_t) override { return NotSupported(); }
  Status SetPrintRange(host::PrintManagerHandle, std::int32_t) override { return NotSupported(); }
  Result<double> Scale(host::PrintManagerHandle) override { return NotSupported(); }
  Status SetScale(host::PrintManagerHandle, double) override { return NotSupported(); }
  Result<bool> Rotate90Degrees(host::PrintManagerHandle) override { return NotSupported(); }
  Status SetRotate90Degrees(host::PrintManagerHandle, bool) override { return NotSupported(); }
};

// A host with a list of open documents: the active one is the last opened;
// closing removes it unless the test made it refuse. Quit can be refused too.
class FakeSessionHost final : public UnsupportedHost {
 public:
  std::vector<std::uint64_t> open;
  std::set<std::uint64_t> refuseClose;
  bool refuseQuit = false;
  int quitCalls = 0;
  std::function<void()> onQuit;  // what else ends with the host
  std::vector<std::optional<bool>> closeArguments;

  Status Quit() override {
    ++quitCalls;
    if (refuseQuit) return Failure{-2147417848, "The object invoked has disconnected from its clients."};
    open.clear();
    if (onQuit) onQuit();
    return {};
  }
  Result<std::int32_t> DocumentCount() override { return static_cast<std::int32_t>(open.size()); }
  Result<host::DocumentHandle> ActiveDocument() override {
    if (open.empty()) return Failure{-2147467259, "No active document"};
    return host::DocumentHandle{open.back()};
  }
  Status Close(host::DocumentHandle document, std::optional<bool> skipSave) override {
    closeArguments.push_back(skipSave);
    if (refuseClose.contains(document.value)) return Failure{-2147467259, "The document refused to close"};
    std::erase(open, document.value);
    return {};
  }
};

// Hands out the host a test set up: running is found by GetRunning (when
// set), create is handed out by Create (when set).
class FakeConnector final : public host::HostConnector {
 public:
  std::shared_ptr<host::Application> running;
  std::shared_ptr<host::Application> create;
  // Makes the document reader NewApprentice hands out; none: it fails.
  std::function<std::unique_ptr<host::Apprentice>()> makeApprentice;
  int getRunningCalls = 0;
  int createCalls = 0;

  Result<std::shared_ptr<host::Application>> GetRunning() override {
    ++getRunningCalls;
    if (!running) return Failure{-2147221021, "Operation unavailable"};
    return running;
  }
  Result<std::shared_ptr<host::Application>> Create() override {
    ++createCalls;
    if (!create) return Failure{-2147221005, "Invalid class string"};
    running = create;
    return create;
  }
  Result<std::unique_ptr<host::Apprentice>> NewApprentice() override {
    if (makeApprentice) return makeApprentice();
    return Failure{-1, "no document reader in this fake"};
  }
};

}  // namespace korrin::testing
