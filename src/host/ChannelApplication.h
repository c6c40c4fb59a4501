#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "host/Application.h"
#include "host/ChannelCalls.h"
#include "host/ChannelDocuments.h"
#include "host/ChannelPrintManagers.h"
#include "host/ChannelSheets.h"
#include "host/ChannelTranslators.h"

namespace korrin::host {

// A host application behind a dispatch channel: every call of the typed
// interface becomes one or a few invokes on the host's objects, each with
// the deadline of its weight. The application's own collection objects
// (documents, add-ins, command manager, transient objects) live as long as
// the application, so each is fetched once and its reference kept: every
// call through one of them is then a single round trip. What changes as
// the host works (the active document, view and environment) is fetched on
// each use. The add-ins are the host's from its start to its end, so their
// items and names are read once; later walks ask the count alone.
class ChannelApplication : public Application {
 public:
  ChannelApplication(std::shared_ptr<DispatchChannel> channel, CallDeadlines deadlines);

  Documents& documents() override { return documents_; }
  Sheets& sheets() override { return sheets_; }
  Translators& translators() override { return translators_; }
  PrintManagers& printManagers() override { return printManagers_; }

  Status SetStartUpSetting(StartUpSetting setting, bool value) override;
  Status Quit() override;

  Result<std::int32_t> DocumentCount() override;
  Result<DocumentHandle> OpenDocument(const std::string& fullFileName, bool visible) override;
  Result<DocumentHandle> ActiveDocument() override;
  Result<std::int32_t> ActiveDocumentType() override;

  Result<ViewHandle> ActiveView() override;
  Result<WindowHandle> ViewWindow(ViewHandle view) override;
  Status SaveAsBitmap(ViewHandle view, const std::string& fileName, std::int32_t width,
                      std::int32_t height) override;
  Result<ViewExtents> ViewWindowExtents(ViewHandle view) override;
  Status SetDisplayMode(ViewHandle view, std::int32_t displayMode) override;
  Status UpdateView(ViewHandle view) override;
  Status SetCameraOrientation(ViewHandle view, std::int32_t orientation) override;
  Result<WindowPlacement> GetWindowPlacement(WindowHandle window) override;
  Status SetWindowPlacement(WindowHandle window, const WindowPlacement& placement) override;
  Status ShowWindow(WindowHandle window, std::int32_t showCommand) override;

  Result<std::int32_t> CommandState() override;
  Status StartCommand(std::int32_t command) override;
  Status PostFileName(std::int32_t postType, const std::string& fileName) override;

  Result<std::string> ActiveEnvironmentName() override;
  Result<std::string> UserName() override;

  Result<std::vector<AddInEntry>> AddIns() override;
  Status ActivateAddIn(AddInHandle addIn) override;

  Result<ContextHandle> NewTranslationContext(std::int32_t kind) override;
  Result<OptionMapHandle> NewOptionMap() override;
  Result<DataMediumHandle> NewDataMedium(const std::string& fileName) override;
  Result<std::int32_t> OptionCount(OptionMapHandle map) override;
  Result<std::string> OptionName(OptionMapHandle map, std::int32_t number) override;
  Result<OptionValue> GetOption(OptionMapHandle map, const std::string& name) override;
  Status SetOption(OptionMapHandle map, const std::string& name, const OptionValue& value) override;

 private:
  Result<ObjectReference> Child(std::int32_t member);
  // A collection of the application, fetched on its first use.
  Result<ObjectReference> Collection(std::int32_t member);

  ChannelCalls calls_;
  std::map<std::int32_t, ObjectReference> collections_;
  std::optional<std::vector<AddInEntry>> addIns_;
  ChannelDocuments documents_{calls_};
  ChannelSheets sheets_{calls_};
  ChannelTranslators translators_{calls_};
  ChannelPrintManagers printManagers_{calls_};
};

// The window placement as an array of six 32-bit integers (flags, show
// command, left, top, right, bottom), and back.
DispatchValue PlacementValue(const WindowPlacement& placement);
Result<WindowPlacement> PlacementFrom(const Result<DispatchValue>& value);

}  // namespace korrin::host
