#include "print/PrintRun.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "formats/ValueConversion.h"
#include "host/HostCodes.h"
#include "print/PaperMapping.h"
#include "print/PaperSizeFile.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

constexpr double kBestFitMargin = 0.97;
constexpr const char* kOldHostTag = "REGISTRYVERSION5.2";

// The PRINTER options of one document, read once as numbers.
struct PrintOptions {
  std::string printer;
  std::string paper;
  int range = 0;
  int from = 0;
  int to = 0;
  bool rotate90 = false;
  int scaleMode = 0;
  double customScale = 1;
  int copies = 0;
  bool collate = true;
  bool color = false;
  bool printToFile = false;
  bool fitNone = false;
  int renderMethod = 0;
};

struct SheetSize {
  double width = 0;  // centimetres
  double height = 0;
  std::int32_t code = 0;
};

// Paper sizes in the definitions file are millimetres; "." and "," both
// read as the decimal point, so a file reads the same under every locale.
double Millimetres(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  return ToReal(text).value_or(0);
}

class DocumentPrint {
 public:
  DocumentPrint(PrintSetup& setup, std::string outputBase)
      : setup_(setup), host_(setup.host), printing_(setup.host.printManagers()), base_(std::move(outputBase)),
        oldHost_(ToUpperAscii(setup.registryVersionTag) == kOldHostTag) {}

  PrintOutcome Run() {
    if (!PaperDefined()) return outcome_;
    ReadOptions();
    PrintActiveDocument();
    // A failure no line has named yet still reaches the log.
    if (pending_) Fail("Printing failed: " + pending_->description);
    return outcome_;
  }

 private:
  void PrintActiveDocument() {
    auto document = host_.ActiveDocument();
    auto type = host_.ActiveDocumentType();
    if (!document || !type) {
      Keep(document ? type.failure() : document.failure());
      return;
    }
    document_ = document.value();
    switch (type.value()) {
      case host::kDrawingDocument:
        PrintDrawing();
        break;
      case host::kUnknownDocument:
      case host::kPartDocument:
      case host::kAssemblyDocument:
      case host::kPresentationDocument:
      case host::kDesignElementDocument:
      case host::kSatFileDocument:
        PrintModel();
        break;
      default:
        break;
    }
  }

  std::string Option(const char* key) const {
    std::string value;
    setup_.options.GetExportOption(key, value);
    return value;
  }
  int Number(const char* key) const { return ToInt16(Option(key)).value_or(0); }

  template <typename T>
  std::optional<T> Take(Result<T> result) {
    if (result) return result.value();
    Keep(result.failure());
    return std::nullopt;
  }
  void Keep(const Status& status) {
    if (!status) Keep(status.failure());
  }
  void Keep(const Failure& failure) {
    if (!pending_) pending_ = failure;
    if (!outcome_.failure) outcome_.failure = failure;
  }
  void Stop(const std::string& line) {
    setup_.services.logLine(line);
    if (outcome_.problem.empty()) outcome_.problem = line;
  }
  // Names the pending failure in the log once.
  void Fail(const std::string& line) {
    setup_.services.logLine(line);
    pending_.reset();
  }

  // Step 1: the chosen paper must be defined before anything is printed.
  bool PaperDefined() {
    const std::string paper = Option("PrinterPapersize");
    const double width = Millimetres(PaperWidthOf(setup_.paperFile, paper, setup_.dialogs));
    const double height = Millimetres(PaperHeightOf(setup_.paperFile, paper, setup_.dialogs));
    if (width > 0 && height > 0) return true;
    // A negative size would reach the host as a negative scale or paper.
    const char* message = width == 0 || height == 0 ? kPaperNotDefined : kPaperNotPositive;
    setup_.dialogs.ShowMessage(message);
    setup_.abort.Raise();
    outcome_.problem = message;
    return false;
  }

  void ReadOptions() {
    options_.printer = Option("PrinterPrinter");
    options_.paper = Option("PrinterPapersize");
    options_.range = Number("PrinterPrintRange");
    options_.from = Number("PrinterSheetrangeFrom");
    options_.to = Number("PrinterSheetRangeTo");
    options_.rotate90 = Number("PrinterRotate90Deg") == 1;
    options_.scaleMode = Number("PrinterScale");
    options_.customScale = ToReal(Option("PrinterCustomScale")).value_or(1);
    options_.copies = Number("PrinterCopies");
    options_.collate = Number("PrinterCollate") != 0;
    options_.color = ToFlag(Option("PrinterColormode")).value_or(false);
    options_.printToFile = Number("PrinterPrintToFile") != 0;
    options_.fitNone = Number("PrinterFitNoneIDW") == 1;
    options_.renderMethod = Number("PrinterRendermethod");
  }

  // The paper's size from the definitions, in centimetres.
  std::pair<double, double> PaperSize(const std::string& paper) {
    return {Millimetres(PaperWidthOf(setup_.paperFile, paper, setup_.dialogs)) / 10,
            Millimetres(PaperHeightOf(setup_.paperFile, paper, setup_.dialogs)) / 10};
  }

  void SetPaper(const std::string& paper) {
    const std::int32_t id = PaperIdOf(paper);
    Keep(printing_.SetPaperSize(manager_, id != 0 ? id : host::kCustomPaperSize));
  }

  void SetCustomPaperWhenCustom(double width, double height) {
    if (Take(printing_.PaperSize(manager_)) != host::kCustomPaperSize) return;
    Keep(printing_.SetCustomPaperWidth(manager_, width));
    Keep(printing_.SetCustomPaperHeight(manager_, height));
  }

  bool Submit() {
    const Status submitted = printing_.SubmitPrint(manager_);
    if (submitted) {
      ++outcome_.submitted;
    } else {
      Keep(submitted);
    }
    return static_cast<bool>(submitted);
  }

  // --- Drawings -------------------------------------------------------------

  void PrintDrawing() {
    PrintSheets();
    if (notPrinted_.empty()) return;
    std::string line = "Sheets not printed:";
    for (std::size_t i = 0; i < notPrinted_.size(); ++i) line += (i == 0 ? " " : ", ") + std::to_string(notPrinted_[i]);
    Stop(line);
  }

  void NotPrinted(int sheet) {
    if (std::find(notPrinted_.begin(), notPrinted_.end(), sheet) == notPrinted_.end()) notPrinted_.push_back(sheet);
  }

  void PrintSheets() {
    auto manager = Take(printing_.PrintManager(document_));
    if (!manager) return;
    manager_ = *manager;
    Keep(printing_.SetPrinter(manager_, options_.printer));
    Keep(printing_.SetPrintRange(manager_, host::kDrawingPrintRange));
    ReadSheetSizes();
    if (unreadFile_) {
      // Without the table neither the sheets nor their sizes are known.
      Stop("Sheets not printed: " + *unreadFile_);
      return;
    }
    const int count = static_cast<int>(sizes_.size());
    int first = 0;
    int last = 0;
    switch (options_.range) {
      case 1:
        first = last = 1;
        break;
      case 2:
        first = 1;
        last = count;
        break;
      case 3:
        // A "from" below the first sheet starts at the first sheet.
        first = std::max(1, std::min(options_.from, count));
        last = std::min(options_.to, count);
        break;
      default:
        // Guessing which sheets were meant could put a stack of large sheets
        // on a plotter: nothing is printed.
        Stop("Print range " + Option("PrinterPrintRange") + " is none of 1, 2 and 3: nothing printed");
        return;
    }
    const bool oneSheet = first == last;
    if (!options_.collate) {
      for (int sheet = first; sheet <= last && sheet >= 1; ++sheet) {
        if (!SheetJob(sheet, oneSheet)) return;
      }
      return;
    }
    const int copies = options_.copies;
    for (int copy = 0; copy < copies; ++copy) {
      for (int sheet = first; sheet <= last && sheet >= 1; ++sheet) {
        if (!SheetJob(sheet, oneSheet)) return;
      }
    }
  }

  // Step 4: every sheet's size, read before the sheets are printed.
  void ReadSheetSizes() {
    if (oldHost_) {
      ReadSheetSizesFromFile();
      return;
    }
    host::Documents& documents = host_.documents();
    host::Sheets& sheets = host_.sheets();
    const std::int32_t count = Take(documents.SheetCount(document_)).value_or(0);
    for (std::int32_t number = 1; number <= count; ++number) {
      const auto sheet = Take(documents.Sheet(document_, number));
      if (!sheet) {
        sizes_.push_back({});
        continue;
      }
      Keep(sheets.Activate(*sheet));
      sizes_.push_back({Take(sheets.Width(*sheet)).value_or(0), Take(sheets.Height(*sheet)).value_or(0),
                        Take(sheets.SizeCode(*sheet)).value_or(0)});
    }
    if (auto first = Take(documents.Sheet(document_, 1))) Keep(sheets.Activate(*first));
  }

  // An old host reports its sheet sizes only through the document reader.
  void ReadSheetSizesFromFile() {
    WithReader([this](host::Apprentice& reader, host::DocumentHandle drawing) {
      const std::int32_t sheets = Take(reader.SheetCount(drawing)).value_or(0);
      for (std::int32_t number = 1; number <= sheets; ++number) sizes_.push_back(ReadSheet(reader, drawing, number));
    });
    if (sizes_.empty()) sizes_.push_back({});
  }

  SheetSize ReadSheet(host::Apprentice& reader, host::DocumentHandle drawing, std::int32_t number) {
    return {Take(reader.SheetWidth(drawing, number)).value_or(0), Take(reader.SheetHeight(drawing, number)).value_or(0),
            Take(reader.SheetSizeCode(drawing, number)).value_or(0)};
  }

  // Opens the drawing's file with a new reader, hands it to the work, and
  // closes it again. When the file could not be opened, unreadFile_ says so;
  // the reader's failure is no failure of a print call.
  template <typename Work>
  bool WithReader(Work work) {
    const auto name = Take(host_.documents().FullFileName(document_));
    if (!name) {
      unreadFile_ = "the drawing's file name could not be read for its sheet sizes";
      return false;
    }
    auto reader = setup_.connector.NewApprentice();
    auto drawing = reader ? reader.value()->Open(*name) : Result<host::DocumentHandle>(reader.failure());
    if (!drawing || !drawing.value()) {
      const std::string reason = drawing ? "it gives no document" : drawing.failure().description;
      unreadFile_ = "the sheet sizes of " + *name + " could not be read (" + reason + ")";
      if (reader) (void)reader.value()->CloseAll();
      return false;
    }
    work(*reader.value(), drawing.value());
    (void)reader.value()->CloseAll();
    return true;
  }

  SheetSize SheetFromTable(int number) const {
    const auto index = static_cast<std::size_t>(number - 1);
    return index < sizes_.size() ? sizes_[index] : SheetSize{};
  }

  SheetSize SheetNow(int number) {
    if (oldHost_) {
      SheetSize size;
      WithReader([&](host::Apprentice& reader, host::DocumentHandle drawing) {
        size = ReadSheet(reader, drawing, number);
      });
      return size;
    }
    const auto sheet = Take(host_.documents().Sheet(document_, number));
    if (!sheet) return {};
    return {Take(host_.sheets().Width(*sheet)).value_or(0), Take(host_.sheets().Height(*sheet)).value_or(0),
            Take(host_.sheets().SizeCode(*sheet)).value_or(0)};
  }

  // Step 7, for one sheet; false when printing of the document stops.
  bool SheetJob(int number, bool oneSheet) {
    const auto sheet = Take(host_.documents().Sheet(document_, number));
    if (sheet) Keep(host_.sheets().Activate(*sheet));
    if (const std::string problem = setup_.services.checkDrawingReady(); !problem.empty()) {
      Stop(problem);
      return false;
    }
    const SheetSize size = options_.collate ? SheetNow(number) : SheetFromTable(number);
    double width = size.width;
    double height = size.height;
    if (unreadFile_) {
      setup_.services.logLine("Sheet " + std::to_string(number) + " not printed: " + *unreadFile_);
      unreadFile_.reset();
      NotPrinted(number);
      return true;
    }
    if (width <= 0 || height <= 0) {
      // No size to fit or to choose a paper by: the sheet is left out.
      setup_.services.logLine("Sheet " + std::to_string(number) + " has no size: not printed");
      NotPrinted(number);
      return true;
    }
    std::string paper = options_.paper;
    if (options_.scaleMode == 1) paper = PaperNameForSheetSize(width, height);
    SetPaper(paper);
    Keep(printing_.SetPrintMode(manager_, host::kDrawingPrintMode));
    Keep(printing_.SetColorMode(manager_, options_.color ? host::kColorPrint : host::kGrayScalePrint));
    auto [paperWidth, paperHeight] = PaperSize(paper);
    if (width <= height) {
      Keep(printing_.SetRotate90Degrees(manager_, false));
    } else {
      Keep(printing_.SetRotate90Degrees(manager_, true));
      std::swap(width, height);
    }
    if (!options_.fitNone && options_.scaleMode != 1 && options_.rotate90) {
      // Unknown how the sheet lies, it is not turned further.
      if (const auto turned = Take(printing_.Rotate90Degrees(manager_))) {
        Keep(printing_.SetRotate90Degrees(manager_, !*turned));
        std::swap(width, height);
      }
    }
    SetScale(width, height, paperWidth, paperHeight);
    SetCustomPaperWhenCustom(paperWidth, paperHeight);
    const int copies = options_.copies == 0 ? 1 : options_.copies;
    const bool excluded = sheet && Take(host_.sheets().ExcludedFromPrinting(*sheet)).value_or(false);
    if (excluded) return true;
    NameTheOutput(number, oneSheet);
    bool printed = true;
    for (int copy = 0; copy < (options_.collate ? 1 : copies); ++copy) {
      printed = Submit() && printed;
      setup_.services.yield();
    }
    if (!printed) NotPrinted(number);
    if (pending_) Fail("Print of sheet " + std::to_string(number) + " finished with errors: " + pending_->description);
    return true;
  }

  void SetScale(double width, double height, double& paperWidth, double& paperHeight) {
    if (options_.scaleMode == 1) {
      paperWidth = width;
      paperHeight = height;
      Keep(printing_.SetScale(manager_, 1.0));
      return;
    }
    if (paperWidth > paperHeight) std::swap(paperWidth, paperHeight);
    // The settings window keeps "Best fit selected paper" in PrinterFitNoneIDW.
    if (options_.scaleMode == 2 || options_.fitNone) {
      const double across = paperWidth / width;
      const double down = paperHeight / height;
      Keep(printing_.SetScale(manager_, across <= down ? across : down));
      if (const auto fitted = Take(printing_.Scale(manager_))) {
        Keep(printing_.SetScale(manager_, *fitted * kBestFitMargin));
      }
    } else {
      Keep(printing_.SetScale(manager_, options_.customScale));
    }
  }

  void NameTheOutput(int number, bool oneSheet) {
    const bool toFile = options_.printToFile && !oldHost_;
    if (oneSheet) {
      if (toFile) Keep(printing_.PrintToFile(manager_, options_.collate ? base_ : base_ + ".prn"));
      setup_.services.notifyWatcher(base_);
      return;
    }
    const std::string numbered = base_ + "_" + std::to_string(number);
    if (toFile) Keep(printing_.PrintToFile(manager_, numbered + ".prn"));
    setup_.services.notifyWatcher(numbered);
  }

  // --- Every other document ---------------------------------------------------

  void PrintModel() {
    auto view = Take(host_.ActiveView());
    if (!view) return;
    const auto extents = Take(host_.ViewWindowExtents(*view));
    double height = extents ? extents->height : 0;
    double width = extents ? extents->width : 0;
    auto manager = Take(printing_.PrintManager(document_));
    if (!manager) return;
    manager_ = *manager;
    ShowTheView(*view);
    Keep(printing_.SetPrinter(manager_, options_.printer));
    SetPaper(options_.paper);
    if (!PaperSupported()) {
      Stop("Custom papersize: ( " + options_.paper + " ) not supported on this printer: " + options_.printer);
      return;
    }
    Keep(printing_.SetColorMode(manager_, options_.color ? host::kColorPrint : host::kGrayScalePrint));
    auto [paperWidth, paperHeight] = PaperSize(options_.paper);
    if (width <= height) {
      Keep(printing_.SetOrientation(manager_, host::kPortraitOrientation));
    } else {
      Keep(printing_.SetOrientation(manager_, host::kLandscapeOrientation));
      std::swap(width, height);
    }
    if (!options_.fitNone) {
      if (const auto orientation = Take(printing_.Orientation(manager_))) {
        Keep(printing_.SetOrientation(manager_, *orientation == host::kLandscapeOrientation
                                                    ? host::kPortraitOrientation
                                                    : host::kLandscapeOrientation));
        std::swap(width, height);
      }
    }
    SetCustomPaperWhenCustom(paperWidth, paperHeight);
    const int copies = options_.copies == 0 ? 1 : options_.copies;
    setup_.services.notifyWatcher(base_ + ".prn");
    for (int copy = 1; copy <= copies; ++copy) {
      if (options_.printToFile && !oldHost_) Keep(printing_.PrintToFile(manager_, base_ + ".prn"));
      Submit();
      if (pending_) {
        Fail("Print no: " + std::to_string(copy) + " finished with errors: " + pending_->description);
      } else {
        setup_.services.logLine("Print no: " + std::to_string(copy) + " finished");
      }
    }
    setup_.services.yield();
  }

  void ShowTheView(host::ViewHandle view) {
    constexpr int kIsometricBit = 128;
    const int mode = options_.renderMethod & 127;
    const std::int32_t display = mode == 1   ? host::kWireframeDisplay
                                 : mode == 2 ? host::kShadedDisplay
                                 : mode == 3 ? host::kHiddenEdgesDisplay
                                             : 0;
    if (display != 0) {
      Keep(host_.SetDisplayMode(view, display));
      Keep(host_.UpdateView(view));
    }
    if ((options_.renderMethod & kIsometricBit) != 0) {
      Keep(host_.SetCameraOrientation(view, host::kIsometricViewOrientation));
    }
  }

  // A printer that publishes no media takes every paper.
  bool PaperSupported() const {
    const std::vector<std::string> media = GetPrinterMedia(setup_.printers, options_.printer);
    if (media.empty()) return true;
    return std::any_of(media.begin(), media.end(),
                       [this](const std::string& name) { return EqualsIgnoringCase(name, options_.paper); });
  }

  PrintSetup& setup_;
  host::Application& host_;
  host::PrintManagers& printing_;
  std::string base_;
  bool oldHost_ = false;
  PrintOptions options_;
  host::DocumentHandle document_;
  host::PrintManagerHandle manager_;
  std::vector<SheetSize> sizes_;
  // Why the drawing's file could not be read through the document reader.
  std::optional<std::string> unreadFile_;
  // Sheets asked for and not printed, in the order they came up.
  std::vector<int> notPrinted_;
  std::optional<Failure> pending_;
  PrintOutcome outcome_;
};

}  // namespace

PrintOutcome PrintDocument(PrintSetup& setup, const std::string& outputBasePath) {
  return DocumentPrint(setup, outputBasePath).Run();
}

}  // namespace korrin
