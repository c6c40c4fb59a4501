#pragma once

#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host/HostCodes.h"
#include "support/FakeHost.h"

namespace korrin::testing {

// A host with one open document whose print manager records every call as
// a line ("paper 14341", "rotate 1", "submit 2" for the active sheet 2), so
// a test reads what a print run asked for, in order. Getters give back what
// was set last.
class FakePrintHost final : public UnsupportedHost {
 public:
  struct SheetData {
    double width = 0;
    double height = 0;
    std::int32_t code = 0;
    bool excluded = false;
  };

  std::int32_t type = host::kDrawingDocument;
  std::vector<SheetData> sheetData;
  std::int32_t viewWidth = 800;
  std::int32_t viewHeight = 600;
  std::string fullFileName = "/in/plan.idw";
  std::vector<std::string> calls;
  int activeSheet = 1;
  // Every call of the print manager fails with this when set.
  std::optional<Failure> printFailure;
  // Picks the calls that fail, by their line ("submit 2") or, for what the
  // print manager reads back, "get scale", "get rotate", "get orientation",
  // "get paper", and "manager" for the print manager itself.
  std::function<std::optional<Failure>(const std::string& call)> fail;

  // Host calls the print run makes outside the print manager.
  Result<host::DocumentHandle> ActiveDocument() override { return host::DocumentHandle{1}; }
  Result<std::int32_t> ActiveDocumentType() override { return type; }
  Result<std::string> FullFileName(host::DocumentHandle) override { return fullFileName; }
  Result<std::int32_t> SheetCount(host::DocumentHandle) override { return static_cast<std::int32_t>(sheetData.size()); }
  Result<host::SheetHandle> Sheet(host::DocumentHandle, std::int32_t number) override {
    if (number < 1 || number > static_cast<std::int32_t>(sheetData.size())) return Failure{-1, "no such sheet"};
    return host::SheetHandle{static_cast<std::uint64_t>(number)};
  }
  Status Activate(host::SheetHandle sheet) override {
    activeSheet = static_cast<int>(sheet.value);
    return {};
  }
  Result<double> Width(host::SheetHandle sheet) override { return Data(sheet).width; }
  Result<double> Height(host::SheetHandle sheet) override { return Data(sheet).height; }
  Result<std::int32_t> SizeCode(host::SheetHandle sheet) override { return Data(sheet).code; }
  Result<bool> ExcludedFromPrinting(host::SheetHandle sheet) override { return Data(sheet).excluded; }
  Result<host::ViewHandle> ActiveView() override { return host::ViewHandle{1}; }
  Result<host::ViewExtents> ViewWindowExtents(host::ViewHandle) override {
    return host::ViewExtents{0, 0, viewHeight, viewWidth};
  }
  Status SetDisplayMode(host::ViewHandle, std::int32_t mode) override { return Record("display", mode); }
  Status UpdateView(host::ViewHandle) override { return Record("update", ""); }
  Status SetCameraOrientation(host::ViewHandle, std::int32_t orientation) override {
    return Record("camera", orientation);
  }

  // The print manager.
  Result<host::PrintManagerHandle> PrintManager(host::DocumentHandle) override {
    if (auto failure = Failing("manager")) return *failure;
    return host::PrintManagerHandle{7};
  }
  Status SetPrinter(host::PrintManagerHandle, const std::string& printer) override { return Record("printer", printer); }
  Result<std::int32_t> Orientation(host::PrintManagerHandle) override {
    if (auto failure = Failing("get orientation")) return *failure;
    return Number("orientation");
  }
  Status SetOrientation(host::PrintManagerHandle, std::int32_t value) override { return Record("orientation", value); }
  Result<std::int32_t> PaperSize(host::PrintManagerHandle) override {
    if (auto failure = Failing("get paper")) return *failure;
    return Number("paper");
  }
  Status SetPaperSize(host::PrintManagerHandle, std::int32_t paper) override { return Record("paper", paper); }
  Status SetCustomPaperWidth(host::PrintManagerHandle, double width) override { return Record("width", width); }
  Status SetCustomPaperHeight(host::PrintManagerHandle, double height) override { return Record("height", height); }
  Status SetColorMode(host::PrintManagerHandle, std::int32_t mode) override { return Record("color", mode); }
  Status PrintToFile(host::PrintManagerHandle, const std::string& file) override { return Record("file", file); }
  Status SubmitPrint(host::PrintManagerHandle) override {
    return Record("submit", type == host::kDrawingDocument ? std::to_string(activeSheet) : "view");
  }
  Status SetPrintMode(host::PrintManagerHandle, std::int32_t mode) override { return Record("mode", mode); }
  Status SetPrintRange(host::PrintManagerHandle, std::int32_t range) override { return Record("range", range); }
  Result<double> Scale(host::PrintManagerHandle) override {
    if (auto failure = Failing("get scale")) return *failure;
    std::istringstream text(Last("scale", "0"));  // the classic locale, whatever the test's C locale
    double scale = 0;
    text >> scale;
    return scale;
  }
  Status SetScale(host::PrintManagerHandle, double scale) override { return Record("scale", scale); }
  Result<bool> Rotate90Degrees(host::PrintManagerHandle) override {
    if (auto failure = Failing("get rotate")) return *failure;
    return Last("rotate", "0") == "1";
  }
  Status SetRotate90Degrees(host::PrintManagerHandle, bool rotate) override { return Record("rotate", rotate); }

  // The calls of one kind, in order.
  std::vector<std::string> Calls(const std::string& kind) const {
    std::vector<std::string> found;
    for (const std::string& call : calls) {
      if (call.rfind(kind + " ", 0) == 0) found.push_back(call.substr(kind.size() + 1));
    }
    return found;
  }

 private:
  SheetData& Data(host::SheetHandle sheet) { return sheetData.at(sheet.value - 1); }

  template <typename Value>
  Status Record(const std::string& kind, const Value& value) {
    std::ostringstream line;
    line.precision(15);
    line << kind << " " << value;
    calls.push_back(line.str());
    values_[kind] = line.str().substr(kind.size() + 1);
    if (printFailure && kind != "display" && kind != "update" && kind != "camera") return *printFailure;
    if (auto failure = Failing(line.str())) return *failure;
    return {};
  }
  std::optional<Failure> Failing(const std::string& call) const { return fail ? fail(call) : std::nullopt; }
  std::string Last(const std::string& kind, const std::string& otherwise) const {
    const auto found = values_.find(kind);
    return found == values_.end() ? otherwise : found->second;
  }
  Result<std::int32_t> Number(const std::string& kind) const { return std::stoi(Last(kind, "0")); }

  std::map<std::string, std::string> values_;
};

// The document reader an old host's print run reads sheet sizes through: it
// opens any file as a drawing of the given sheets and counts what it did.
class FakeSheetReader final : public host::Apprentice {
 public:
  struct Record {
    std::vector<std::string> opened;
    int closed = 0;
  };
  FakeSheetReader(std::vector<FakePrintHost::SheetData> sheets, std::shared_ptr<Record> record,
                  std::optional<Failure> openFailure = std::nullopt)
      : sheets_(std::move(sheets)), record_(std::move(record)), openFailure_(std::move(openFailure)) {}

  Result<host::DocumentHandle> Open(const std::string& file) override {
    record_->opened.push_back(file);
    if (openFailure_) return *openFailure_;
    return host::DocumentHandle{3};
  }
  Status CloseAll() override {
    ++record_->closed;
    return {};
  }
  Result<std::int32_t> SheetCount(host::DocumentHandle) override { return static_cast<std::int32_t>(sheets_.size()); }
  Result<double> SheetWidth(host::DocumentHandle, std::int32_t number) override { return At(number).width; }
  Result<double> SheetHeight(host::DocumentHandle, std::int32_t number) override { return At(number).height; }
  Result<std::int32_t> SheetSizeCode(host::DocumentHandle, std::int32_t number) override { return At(number).code; }

  Result<host::Release> SoftwareVersion() override { return None(); }
  Result<std::string> ActiveProjectFile() override { return None(); }
  Result<bool> NeedsMigrating(host::DocumentHandle) override { return None(); }
  Result<std::int32_t> ComputeStatus(host::DocumentHandle) override { return None(); }
  Result<host::Release> CreatingRelease(host::DocumentHandle) override { return None(); }
  Result<std::vector<host::ReferencedFile>> ReferencedFiles(host::DocumentHandle) override { return None(); }
  Result<host::DocumentHandle> ReferencedDocument(host::DescriptorHandle) override { return None(); }

 private:
  static Failure None() { return {-1, "not read by a print run"}; }
  const FakePrintHost::SheetData& At(std::int32_t number) const {
    return sheets_.at(static_cast<std::size_t>(number - 1));
  }

  std::vector<FakePrintHost::SheetData> sheets_;
  std::shared_ptr<Record> record_;
  std::optional<Failure> openFailure_;
};

}  // namespace korrin::testing
