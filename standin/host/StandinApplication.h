#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "HandleTable.h"
#include "PagePainter.h"
#include "PrintManagerState.h"
#include "PrintSubmission.h"
#include "ProcessEnding.h"
#include "StandinSettings.h"
#include "TranslatorCatalogue.h"
#include "ViewsHelper.h"
#include "documents/StandinDocument.h"
#include "host/Application.h"

namespace korrin::standin {

// The stand-in CAD host: one running instance, driven through the host
// interface. It opens its own document files and the exchange formats,
// saves, exports through its translator add-ins and writes real files.
// After Quit every call fails as a host that has gone away.
class StandinApplication final : public host::Application, public host::Documents, public host::Sheets,
                                 public host::Translators, public host::PrintManagers {
 public:
  // Without an ending the instance ends as one inside the caller's program
  // does (EndingInsideProgram).
  // The views' helper, when given, runs while any open drawing computes views.
  StandinApplication(StandinSettings settings, std::shared_ptr<FirstOpenRecord> firstOpens,
                     std::shared_ptr<ProcessEnding> ending = nullptr, ViewsHelper* viewsHelper = nullptr);

  bool quit() const { return quit_; }
  // Every page printed so far, in order.
  const std::vector<PrintSubmission>& printSubmissions() const { return printSubmissions_; }
  // Ends the instance as an ended process does: no documents saved, every
  // later call fails.
  void Terminate();

  // Application
  host::Documents& documents() override { return *this; }
  host::Sheets& sheets() override { return *this; }
  host::Translators& translators() override { return *this; }
  host::PrintManagers& printManagers() override { return *this; }
  Status SetStartUpSetting(host::StartUpSetting setting, bool value) override;
  Status Quit() override;
  Result<std::int32_t> DocumentCount() override;
  Result<host::DocumentHandle> OpenDocument(const std::string& fullFileName, bool visible) override;
  Result<host::DocumentHandle> ActiveDocument() override;
  Result<std::int32_t> ActiveDocumentType() override;
  Result<host::ViewHandle> ActiveView() override;
  Result<host::WindowHandle> ViewWindow(host::ViewHandle view) override;
  Status SaveAsBitmap(host::ViewHandle view, const std::string& fileName, std::int32_t width,
                      std::int32_t height) override;
  Result<host::ViewExtents> ViewWindowExtents(host::ViewHandle view) override;
  Status SetDisplayMode(host::ViewHandle view, std::int32_t displayMode) override;
  Status UpdateView(host::ViewHandle view) override;
  Status SetCameraOrientation(host::ViewHandle view, std::int32_t orientation) override;
  Result<host::WindowPlacement> GetWindowPlacement(host::WindowHandle window) override;
  Status SetWindowPlacement(host::WindowHandle window, const host::WindowPlacement& placement) override;
  Status ShowWindow(host::WindowHandle window, std::int32_t showCommand) override;
  Result<std::int32_t> CommandState() override;
  Status StartCommand(std::int32_t command) override;
  Status PostFileName(std::int32_t postType, const std::string& fileName) override;
  Result<std::string> ActiveEnvironmentName() override;
  Result<std::string> UserName() override;
  Result<std::vector<host::AddInEntry>> AddIns() override;
  Status ActivateAddIn(host::AddInHandle addIn) override;
  Result<host::ContextHandle> NewTranslationContext(std::int32_t kind) override;
  Result<host::OptionMapHandle> NewOptionMap() override;
  Result<host::DataMediumHandle> NewDataMedium(const std::string& fileName) override;
  Result<std::int32_t> OptionCount(host::OptionMapHandle map) override;
  Result<std::string> OptionName(host::OptionMapHandle map, std::int32_t number) override;
  Result<host::OptionValue> GetOption(host::OptionMapHandle map, const std::string& name) override;
  Status SetOption(host::OptionMapHandle map, const std::string& name, const host::OptionValue& value) override;

  // Documents
  Result<std::string> FullFileName(host::DocumentHandle document) override;
  Result<std::int32_t> DocumentType(host::DocumentHandle document) override;
  Status Save(host::DocumentHandle document) override;
  Status SaveAs(host::DocumentHandle document, const std::string& fullFileName, bool copy) override;
  Status Close(host::DocumentHandle document, std::optional<bool> skipSave) override;
  Result<std::int32_t> SheetCount(host::DocumentHandle drawing) override;
  Result<host::SheetHandle> Sheet(host::DocumentHandle drawing, std::int32_t number) override;
  Result<host::SheetHandle> ActiveSheet(host::DocumentHandle drawing) override;
  Result<std::vector<host::ReferencedFile>> ReferencedFiles(host::DocumentHandle document) override;
  Result<host::DocumentHandle> ReferencedDocument(host::DescriptorHandle descriptor) override;

  // Sheets
  Status Activate(host::SheetHandle sheet) override;
  Result<double> Width(host::SheetHandle sheet) override;
  Result<double> Height(host::SheetHandle sheet) override;
  Result<std::int32_t> SizeCode(host::SheetHandle sheet) override;
  Result<bool> HasBorder(host::SheetHandle sheet) override;
  Status DeleteBorder(host::SheetHandle sheet) override;
  Result<bool> HasTitleBlock(host::SheetHandle sheet) override;
  Status DeleteTitleBlock(host::SheetHandle sheet) override;
  Result<std::int32_t> StatusWord(host::SheetHandle sheet) override;
  Result<bool> ExcludedFromPrinting(host::SheetHandle sheet) override;

  // Translators
  Result<bool> HasSaveCopyAsOptions(host::AddInHandle translator, host::DocumentHandle document,
                                    host::ContextHandle context, host::OptionMapHandle options) override;
  Status SaveCopyAs(host::AddInHandle translator, host::DocumentHandle document, host::ContextHandle context,
                    host::OptionMapHandle options, host::DataMediumHandle medium) override;
  Result<bool> HasOpenOptions(host::AddInHandle translator, host::DataMediumHandle medium,
                              host::ContextHandle context, host::OptionMapHandle options) override;
  Result<host::DocumentHandle> Open(host::AddInHandle translator, host::DataMediumHandle medium,
                                    host::ContextHandle context, host::OptionMapHandle options) override;

  // PrintManagers
  Result<host::PrintManagerHandle> PrintManager(host::DocumentHandle document) override;
  Status SetPrinter(host::PrintManagerHandle manager, const std::string& printer) override;
  Result<std::int32_t> Orientation(host::PrintManagerHandle manager) override;
  Status SetOrientation(host::PrintManagerHandle manager, std::int32_t orientation) override;
  Result<std::int32_t> PaperSize(host::PrintManagerHandle manager) override;
  Status SetPaperSize(host::PrintManagerHandle manager, std::int32_t paper) override;
  Status SetCustomPaperWidth(host::PrintManagerHandle manager, double width) override;
  Status SetCustomPaperHeight(host::PrintManagerHandle manager, double height) override;
  Status SetColorMode(host::PrintManagerHandle manager, std::int32_t colorMode) override;
  Status PrintToFile(host::PrintManagerHandle manager, const std::string& fileName) override;
  Status SubmitPrint(host::PrintManagerHandle manager) override;
  Status SetPrintMode(host::PrintManagerHandle manager, std::int32_t mode) override;
  Status SetPrintRange(host::PrintManagerHandle manager, std::int32_t range) override;
  Result<double> Scale(host::PrintManagerHandle manager) override;
  Status SetScale(host::PrintManagerHandle manager, double scale) override;
  Result<bool> Rotate90Degrees(host::PrintManagerHandle manager) override;
  Status SetRotate90Degrees(host::PrintManagerHandle manager, bool rotate) override;

 private:
  struct LoadedDocument {
    StandinDocument model;
    std::string fullFileName;  // empty while never saved
    std::string folder;        // where its references are relative to
    std::string name;          // file name without extension, for an unsaved one its source's
    std::vector<host::SheetHandle> sheets;
    std::vector<std::int32_t> computingReadsLeft;
    std::size_t activeSheet = 0;
    host::ViewHandle view;
    bool changed = false;
    // A document loaded because another refers to it: not in the open
    // list, closed with the document that loaded it.
    host::DocumentHandle loadedFor;
    std::vector<host::DescriptorHandle> descriptors;  // one per reference, made on first use
    // An imported model not yet saved as documents of its own.
    std::optional<ModelNode> importedModel;
    host::PrintManagerHandle printManager;  // made on first use
  };
  struct SheetPlace {
    host::DocumentHandle document;
    std::size_t index = 0;
  };
  struct ViewState {
    host::DocumentHandle document;
    host::WindowHandle window;
    std::int32_t displayMode = 0;
    std::int32_t cameraOrientation = 0;
  };
  struct WindowState {
    host::WindowPlacement placement;
    std::int32_t lastShowCommand = 0;
  };
  struct AddInState {
    AddInDescription description;
    bool active = false;
  };
  using OptionEntries = std::vector<std::pair<std::string, host::OptionValue>>;

  Status Running() const;
  // Starts or ends the views' helper as the open drawings need it.
  void UpdateViewsHelper();
  Result<LoadedDocument*> FindDocument(host::DocumentHandle document);
  Result<std::pair<LoadedDocument*, StandinSheet*>> FindSheet(host::SheetHandle sheet);
  host::DocumentHandle AddDocument(StandinDocument model, std::string fullFileName, std::string folder,
                                   std::string name);
  Result<host::DocumentHandle> OpenStandinDocument(const std::string& path);
  Result<host::DocumentHandle> ImportModel(const std::string& path);
  // A DWG or DXF container of that kind, or a real DXF file, read into a
  // new, never-saved drawing.
  Result<host::DocumentHandle> ImportDrawing(const std::string& path, std::string_view kind);
  Status WriteDocument(LoadedDocument& document, const std::string& path);
  Status ExportCopy(LoadedDocument& document, const std::string& path);
  // Parts and assemblies as XGL meshes, ZGL when compressed.
  Status ExportMeshes(LoadedDocument& document, const std::string& path, bool compressed);
  Status Translate(const AddInState& translator, LoadedDocument& document, const OptionEntries& options,
                   const std::string& path);
  // The drawing as a DXF file: its sheets with the views of the models it
  // refers to, in the version the translator settings file asks for.
  Status ExportDrawingDxf(const LoadedDocument& drawing, const OptionEntries& options, const std::string& path) const;
  Result<ModelNode> ModelOf(const LoadedDocument& document) const;
  // The parts and assemblies a drawing refers to; a reference that does not
  // read as one is left out.
  std::vector<ModelNode> ReferencedModels(const LoadedDocument& drawing) const;
  // What the document's view shows, for a page or a bitmap: a drawing's
  // active sheet placed on the page as asked, any other document's model in
  // its view's display mode from its camera. A document with no model fails
  // with the refusal in front of the reason.
  Result<PagePainter> ActiveViewPainter(const LoadedDocument& document, const SheetOnPaper& onPaper, const Ink& ink,
                                        const std::string& refusal);
  Result<PrintManagerState*> FindPrintManager(host::PrintManagerHandle manager);
  // A drawing's print manager, for one of the settings only it has.
  Result<PrintManagerState*> FindDrawingPrintManager(host::PrintManagerHandle manager, const std::string& setting);
  PrintSubmission SubmissionOf(const LoadedDocument& document, const PrintManagerState& state, bool toFile,
                               const std::string& destination, double paperWidth, double paperHeight) const;
  void BusyFor(std::int32_t milliseconds);
  // The faults on purpose of an open and of a save; a failure ends the call.
  Status OpenFaults(const std::string& path, const StandinFaults& faults);
  Status SaveFaults(const StandinFaults& faults);
  Status Hang(const StandinHang& hang);
  // What the caller sees of an ending that came back: a failure leaves the
  // instance gone, every later call failing as on a host that ended.
  Status Ended(std::optional<Failure> seen);
  // An add-in that is a translator of this running host.
  Result<AddInState*> FindTranslator(host::AddInHandle translator);
  void FillOptions(OptionEntries& entries, const std::vector<TranslatorOption>& options) const;

  StandinSettings settings_;
  std::shared_ptr<FirstOpenRecord> firstOpens_;
  std::shared_ptr<ProcessEnding> ending_;
  ViewsHelper* viewsHelper_ = nullptr;
  bool quit_ = false;
  bool endedByFault_ = false;
  bool startUpSettings_[2] = {false, false};
  std::chrono::steady_clock::time_point busyUntil_{};
  std::string postedFileName_;

  std::uint64_t counter_ = 0;
  HandleTable<host::DocumentHandle, LoadedDocument> documents_{counter_, "document"};
  HandleTable<host::SheetHandle, SheetPlace> sheetPlaces_{counter_, "sheet"};
  HandleTable<host::ViewHandle, ViewState> views_{counter_, "view"};
  HandleTable<host::WindowHandle, WindowState> windows_{counter_, "window"};
  HandleTable<host::AddInHandle, AddInState> addIns_{counter_, "add-in"};
  HandleTable<host::ContextHandle, std::int32_t> contexts_{counter_, "translation context"};
  HandleTable<host::OptionMapHandle, OptionEntries> optionMaps_{counter_, "option map"};
  HandleTable<host::DataMediumHandle, std::string> media_{counter_, "data medium"};
  HandleTable<host::PrintManagerHandle, PrintManagerState> printManagers_{counter_, "print manager"};
  std::vector<PrintSubmission> printSubmissions_;
  std::map<std::uint64_t, std::pair<host::DocumentHandle, std::size_t>> descriptorPlaces_;
  std::vector<host::AddInHandle> addInOrder_;
  std::vector<host::DocumentHandle> openOrder_;  // the active document is the last
};

}  // namespace korrin::standin
