#include "print/PaperMapping.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <utility>

#include "host/HostCodes.h"
#include "print/PaperSizeFile.h"
#include "print/PaperSizeRow.h"
#include "settings/PathConversion.h"
#include "settings/TextCase.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

struct PaperId {
  std::string_view name;
  std::int32_t id;
};

// The host's paper ids; Custom takes its size from the print manager.
constexpr std::array<PaperId, 19> kPaperIds{{
    {"10x14", 14337},  {"A2", 14339},        {"A3", 14340},     {"A4", 14341},      {"A4Small", 14342},
    {"A5", 14343},     {"B4", 14344},        {"B5", 14345},     {"C", 14346},       {"D", 14347},
    {"E", 14348},      {"Executive", 14349}, {"Folio", 14350},  {"Ledger", 14351},  {"Legal", 14352},
    {"Letter", 14353}, {"Quarto", 14354},    {"Custom", host::kCustomPaperSize}, {"Default", 14356},
}};

// A standard sheet, smaller side first, in centimetres rounded to one
// decimal. Most sheets also match in a second form, cut to whole
// centimetres.
struct SheetSize {
  const char* name;
  float shorter;
  float longer;
};

// Tried in order; the first that matches names the sheet.
constexpr std::array<SheetSize, 21> kSheetSizes{{
    {"A4", 21.0f, 29.7f}, {"A4", 21.0f, 29.0f}, {"B", 21.6f, 29.7f},  {"B", 27.9f, 43.2f},   {"B", 27.0f, 43.0f},
    {"C", 43.2f, 55.9f},  {"C", 43.0f, 55.0f},  {"D", 55.9f, 86.4f},  {"D", 55.0f, 86.0f},   {"E", 86.4f, 111.8f},
    {"E", 86.0f, 111.0f}, {"F", 71.1f, 101.6f}, {"F", 71.0f, 101.0f}, {"A0", 84.1f, 118.9f}, {"A0", 84.0f, 118.0f},
    {"A1", 59.4f, 84.1f}, {"A1", 59.0f, 84.0f}, {"A2", 42.0f, 59.4f}, {"A2", 42.0f, 59.0f},  {"A3", 29.7f, 42.0f},
    {"A3", 29.0f, 42.0f},
}};

constexpr const char* kCustomPaperName = "Custom";

bool IsNoPaper(const std::string& medium) {
  const std::string upper = ToUpperAscii(medium);
  return upper.find("POSTSCRIPT") != std::string::npos || upper.find("SCREEN") != std::string::npos;
}

bool HoldsPaper(const std::vector<std::string>& names, const std::string& nameWithoutSpaces) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& held) {
    return EqualsIgnoringCase(WithoutSpaces(held), nameWithoutSpaces);
  });
}

// Appends the definitions file's papers that the list does not hold yet.
void AddDefinedPapers(std::vector<std::string>& names, const std::string& paperFile, Dialogs& dialogs) {
  const TextFileRead read = ReadTextFile(PathFromText(paperFile));
  for (const std::string& line : read.lines) {
    if (IsPaperSizeComment(line)) continue;
    std::string name = SplitPaperSizeLine(line).name;
    if (!HoldsPaper(names, WithoutSpaces(name))) names.push_back(std::move(name));
  }
  if (!read.complete()) {
    dialogs.ShowMessage("Error reading Papersize definition file: \r" + read.failure.description);
  }
}

// Rounds half to even at one decimal, then holds the value as the sheet
// table does, so table entries compare exactly.
float RoundedToTenths(double centimetres) { return static_cast<float>(std::nearbyint(centimetres * 10.0) / 10.0); }

}  // namespace

std::vector<std::string> GetPrinterMedia(const Printers& printers, const std::string& printerName) {
  const std::string printer = printerName.empty() ? printers.DefaultPrinter() : printerName;
  std::vector<std::string> media = printers.SupportedMedia(printer);
  std::erase_if(media, IsNoPaper);
  return media;
}

std::vector<std::string> BuildPaperList(const Printers& printers, const std::string& printerName,
                                        bool showPrinterSupported, const std::string& paperFile, Dialogs& dialogs) {
  std::vector<std::string> names = GetPrinterMedia(printers, printerName);
  if (showPrinterSupported) return names;
  std::error_code ignored;
  if (!std::filesystem::exists(PathFromText(paperFile), ignored) && !CreateDefaultPaperSizeFile(paperFile, dialogs)) return names;
  AddDefinedPapers(names, paperFile, dialogs);
  return names;
}

std::int32_t PaperIdOf(std::string_view name) {
  for (const PaperId& paper : kPaperIds) {
    if (paper.name == name) return paper.id;
  }
  return 0;
}

std::string PaperNameForSheetSize(double widthCm, double heightCm) {
  const float width = RoundedToTenths(widthCm);
  const float height = RoundedToTenths(heightCm);
  const float shorter = std::min(width, height);
  const float longer = std::max(width, height);
  for (const SheetSize& sheet : kSheetSizes) {
    if (sheet.shorter == shorter && sheet.longer == longer) return sheet.name;
  }
  return kCustomPaperName;
}

}  // namespace korrin
