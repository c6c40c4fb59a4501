#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ModelFiles.h"
#include "host/Application.h"
#include "host/HostCodes.h"

namespace korrin::testing {

// The print settings of one document's print manager, as a submission found
// them.
struct ModelPrintSettings {
  std::string printer;
  std::int32_t orientation = 0;
  std::int32_t paperSize = 0;
  double customWidth = 0;
  double customHeight = 0;
  std::int32_t colorMode = 0;
  std::string printToFile;  // empty: on the printer
  std::int32_t printMode = 0;
  std::int32_t printRange = 0;
  double scale = 1.0;
  bool rotate90Degrees = false;
};

// One submitted print: the document, the sheet printed (a drawing's active
// sheet counted from 1; 0 for the active view of any other document).
struct ModelPrint {
  std::string document;
  std::int32_t sheet = 0;
  ModelPrintSettings settings;
};

// A CAD host held in memory, without geometry: documents opened by file name
// with their type from the extension, a drawing's sheets, one view per
// document, the command manager, the translator add-ins (by display name)
// that write small text files, transient objects, and print managers that
// record what they printed. What it knows about each file comes from the
// shared ModelFiles; everything else has a default, so a whole run works
// without scripting. Files it writes hold a few lines saying what was
// written from what, so a test can read them back.
//
// Handles of every kind come from one counter and are never reused; a
// handle of a closed document, or of anything of it, fails every call with
// the disconnection failure. After Quit every call fails so.
class ModelHost final : public host::Application, public host::Documents, public host::Sheets,
                        public host::Translators, public host::PrintManagers {
 public:
  // Nonzero command state the host reports while a command runs.
  static constexpr std::int32_t kCommandRunning = host::kCommandStateIdle + 1;

  explicit ModelHost(ModelFiles& files);

  // --- What a test sets ---
  host::Release release{7, 0};
  std::string userName = "Model User";
  // The active environment; none: named after the active document's type.
  std::optional<std::string> environment;
  // Reads of the command state that answer kCommandRunning after each
  // started command.
  int commandBusyReads = 0;
  std::optional<Failure> quitFailure;

  // --- What a test reads back ---
  bool quit() const { return quit_; }
  std::vector<ModelPrint> printed;
  std::vector<std::int32_t> startedCommands;
  std::map<host::StartUpSetting, bool> startUpSettings;
  // Full file names of the open documents, the active one last.
  std::vector<std::string> OpenFileNames() const;

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

  Result<bool> HasSaveCopyAsOptions(host::AddInHandle translator, host::DocumentHandle document,
                                    host::ContextHandle context, host::OptionMapHandle options) override;
  Status SaveCopyAs(host::AddInHandle translator, host::DocumentHandle document, host::ContextHandle context,
                    host::OptionMapHandle options, host::DataMediumHandle medium) override;
  Result<bool> HasOpenOptions(host::AddInHandle translator, host::DataMediumHandle medium,
                              host::ContextHandle context, host::OptionMapHandle options) override;
  Result<host::DocumentHandle> Open(host::AddInHandle translator, host::DataMediumHandle medium,
                                    host::ContextHandle context, host::OptionMapHandle options) override;

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
  struct Document {
    std::uint64_t handle = 0;
    std::string fullFileName;  // empty until saved, for one a translator made
    std::int32_t type = 0;
    ModelFile file;
    std::vector<std::uint64_t> sheets;  // handles, in the drawing's order
    std::size_t activeSheet = 0;
    std::uint64_t view = 0;
    std::uint64_t window = 0;
    std::uint64_t printManager = 0;
    ModelPrintSettings print;
  };
  struct SheetPlace {
    std::uint64_t document = 0;
    std::size_t index = 0;
  };
  struct Translator {
    std::uint64_t handle = 0;
    std::string displayName;
    bool translates = true;
  };
  using OptionEntries = std::vector<std::pair<std::string, host::OptionValue>>;

  std::uint64_t NextHandle() { return ++lastHandle_; }
  Status Running() const;
  Result<Document*> Find(std::uint64_t document);
  Result<Document*> OfView(std::uint64_t view);
  Result<Document*> OfWindow(std::uint64_t window);
  Result<Document*> OfPrintManager(std::uint64_t manager);
  Result<Document*> DrawingOfPrintManager(std::uint64_t manager);
  Result<ModelSheet*> FindSheet(std::uint64_t sheet);
  Result<const Translator*> FindTranslator(std::uint64_t addIn) const;
  Result<OptionEntries*> FindOptions(std::uint64_t map);
  Result<std::string> MediumFile(std::uint64_t medium) const;
  Status CheckContext(std::uint64_t context) const;
  host::DocumentHandle Add(std::string fullFileName, std::int32_t type, ModelFile file);
  Status WriteDocument(const Document& document, const std::string& fullFileName) const;

  ModelFiles& files_;
  std::uint64_t lastHandle_ = 0;
  bool quit_ = false;
  std::vector<Document> documents_;  // open, the active one last
  std::map<std::uint64_t, SheetPlace> sheetPlaces_;
  std::map<std::uint64_t, std::string> descriptors_;
  std::vector<Translator> addIns_;
  std::map<std::uint64_t, std::int32_t> contexts_;
  std::map<std::uint64_t, OptionEntries> optionMaps_;
  std::map<std::uint64_t, std::string> media_;
  std::map<std::uint64_t, host::WindowPlacement> placements_;
  std::string postedFileName_;
  int busyReadsLeft_ = 0;
};

// An option value as the files the model writes show it: a Boolean as
// "True"/"False", a number as written, a text as it is.
std::string OptionText(const host::OptionValue& value);

}  // namespace korrin::testing
