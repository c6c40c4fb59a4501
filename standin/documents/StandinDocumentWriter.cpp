#include "documents/StandinDocumentWriter.h"

#include "documents/DocumentKeys.h"
#include "documents/DocumentNumbers.h"
#include "documents/DocumentParser.h"
#include "documents/DocumentWords.h"
#include "documents/QuotedText.h"
#include "documents/StandinDocumentFailures.h"
#include "settings/TextFile.h"

namespace korrin::standin {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string YesNo(bool value) { return value ? kYesWord : kNoWord; }

std::string Vector(const StandinVector& vector) {
  return DecimalText(vector.x) + " " + DecimalText(vector.y) + " " + DecimalText(vector.z);
}

void AppendHeader(const StandinDocument& document, std::vector<std::string>& lines) {
  lines.push_back(kDocumentSignature);
  lines.push_back(std::string(kFormatKey) + " " + std::to_string(kDocumentFormatVersion));
  lines.push_back(std::string(kTypeKey) + " " + DocumentTypeWord(document.type));
  lines.push_back(std::string(kReleaseKey) + " " + std::to_string(document.release.majorNumber) + " " +
                  std::to_string(document.release.minorNumber));
  lines.push_back(std::string(kStatusKey) + " " + ComputeStatusWord(document.computeStatus));
  lines.push_back(std::string(kNeedsMigratingKey) + " " + YesNo(document.needsMigrating));
  lines.push_back(std::string(kEnvironmentKey) + " " + QuotedText(document.environment));
  if (!document.description.empty()) {
    lines.push_back(std::string(kDescriptionKey) + " " + QuotedText(document.description));
  }
}

std::string PlacementText(const StandinPlacement& placement) {
  return std::string(" ") + kTranslationWord + " " + Vector(placement.translationMillimetres) + " " +
         kRotationAxisWord + " " + Vector(placement.rotationAxis) + " " + kRotationAngleWord + " " +
         DecimalText(placement.rotationDegrees);
}

void AppendReferences(const StandinDocument& document, std::vector<std::string>& lines) {
  for (const StandinReference& reference : document.references) {
    std::string line = std::string(kReferenceKey) + " " + QuotedText(reference.path);
    if (reference.placement) line += PlacementText(*reference.placement);
    lines.push_back(std::move(line));
  }
}

std::string SheetLine(const StandinSheet& sheet) {
  return std::string(kSheetKey) + " " + QuotedText(sheet.name) + " " + kSheetWidthWord + " " +
         DecimalText(sheet.widthCentimetres) + " " + kSheetHeightWord + " " + DecimalText(sheet.heightCentimetres) +
         " " + kSheetSizeCodeWord + " " + std::to_string(sheet.sizeCode) + " " + kSheetBorderWord + " " +
         YesNo(sheet.border) + " " + kSheetTitleBlockWord + " " + YesNo(sheet.titleBlock) + " " + kSheetExcludedWord +
         " " + YesNo(sheet.excludedFromPrinting) + " " + kSheetComputingReadsWord + " " +
         std::to_string(sheet.computingReads);
}

void AppendSheets(const StandinDocument& document, std::vector<std::string>& lines) {
  for (const StandinSheet& sheet : document.sheets) lines.push_back(SheetLine(sheet));
}

void AppendFault(const char* key, const std::optional<StandinFault>& fault, std::vector<std::string>& lines) {
  if (!fault) return;
  lines.push_back(std::string(key) + " " + std::to_string(fault->number) + " " + QuotedText(fault->description));
}

void AppendBusyTime(const char* key, std::int32_t milliseconds, std::vector<std::string>& lines) {
  if (milliseconds != 0) lines.push_back(std::string(key) + " " + std::to_string(milliseconds));
}

void AppendCrash(const char* key, bool crash, std::vector<std::string>& lines) {
  if (crash) lines.push_back(key);
}

void AppendHang(const char* key, const std::optional<StandinHang>& hang, std::vector<std::string>& lines) {
  if (!hang) return;
  lines.push_back(std::string(key) + " " +
                  (hang->milliseconds ? std::to_string(*hang->milliseconds) : std::string(kForeverWord)));
}

void AppendFaults(const StandinFaults& faults, std::vector<std::string>& lines) {
  AppendFault(kFailFirstOpenKey, faults.failFirstOpen, lines);
  AppendFault(kFailEveryOpenKey, faults.failEveryOpen, lines);
  AppendFault(kFailEverySaveKey, faults.failEverySave, lines);
  AppendCrash(kCrashFirstOpenKey, faults.crashFirstOpen, lines);
  AppendCrash(kCrashEveryOpenKey, faults.crashEveryOpen, lines);
  AppendCrash(kCrashEverySaveKey, faults.crashEverySave, lines);
  AppendHang(kHangFirstOpenKey, faults.hangFirstOpen, lines);
  AppendHang(kHangEveryOpenKey, faults.hangEveryOpen, lines);
  AppendHang(kHangEverySaveKey, faults.hangEverySave, lines);
  if (faults.exitFirstOpen) lines.push_back(std::string(kExitFirstOpenKey) + " " + std::to_string(*faults.exitFirstOpen));
  AppendBusyTime(kBusyAfterOpenKey, faults.busyAfterOpenMilliseconds, lines);
  AppendBusyTime(kBusyAfterSaveKey, faults.busyAfterSaveMilliseconds, lines);
}

// Each line of the geometry (split at LF) behind the prefix, so a text that
// ends with LF ends with a line holding the prefix alone.
void AppendGeometry(const std::string& geometry, std::vector<std::string>& lines) {
  if (geometry.empty()) return;
  lines.push_back(kGeometryKey);
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = geometry.find('\n', start);
    lines.push_back(kGeometryLinePrefix + geometry.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  lines.push_back(kGeometryEndLine);
}

Failure NamingPath(const std::filesystem::path& path, long number, const std::string& description) {
  return {number, path.string() + ": " + description};
}

std::vector<std::string> DocumentLines(const StandinDocument& document) {
  std::vector<std::string> lines;
  AppendHeader(document, lines);
  AppendReferences(document, lines);
  AppendSheets(document, lines);
  AppendFaults(document.faults, lines);
  AppendGeometry(document.geometry, lines);
  return lines;
}

}  // namespace

std::string StandinDocumentText(const StandinDocument& document) {
  std::string text;
  for (const std::string& line : DocumentLines(document)) text += line + kLineEnd;
  return text;
}

Status WriteStandinDocument(const std::filesystem::path& path, const StandinDocument& document) {
  const std::vector<std::string> lines = DocumentLines(document);
  if (const Result<StandinDocument> readBack = DocumentParser(lines).Parse(); !readBack) {
    return NamingPath(path, kInvalidStandinDocument,
                      "not written, as it would not read back: " + readBack.failure().description);
  }
  Result<FileReplacement> replacement = FileReplacement::Start(path);
  if (!replacement) return NamingPath(path, replacement.failure().number, replacement.failure().description);
  if (Status written = replacement.value().Commit(lines); !written) {
    return NamingPath(path, written.failure().number, written.failure().description);
  }
  return {};
}

}  // namespace korrin::standin
