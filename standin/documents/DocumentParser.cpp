#include "documents/DocumentParser.h"

#include <array>
#include <limits>

#include "documents/DocumentKeys.h"
#include "documents/DocumentWords.h"
#include "documents/QuotedText.h"
#include "documents/SheetLine.h"
#include "documents/StandinDocumentFailures.h"

namespace korrin::standin {
namespace {

constexpr std::size_t kSignatureLine = 1;
constexpr std::size_t kFormatLine = 2;
constexpr std::int32_t kNoMinimum = std::numeric_limits<std::int32_t>::min();

Failure Damaged(std::string description) { return {kDamagedStandinDocument, std::move(description)}; }

std::string LinePrefix(std::size_t line) { return "line " + std::to_string(line) + ": "; }

bool IsDriveLetter(char character) {
  return (character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z');
}

// Absolute here or on the host's own system ("\x", "C:x").
bool IsAbsolutePath(std::string_view path) {
  if (path.front() == '/' || path.front() == '\\') return true;
  return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

bool IsGeometryEnd(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  const std::size_t last = line.find_last_not_of(" \t");
  return first != std::string_view::npos && line.substr(first, last - first + 1) == kGeometryEndLine;
}

}  // namespace

Result<StandinDocument> DocumentParser::Parse() {
  Status status = ReadSignature();
  if (status) status = ReadFormatVersion();
  if (status) status = ReadKeyLines();
  if (status) status = CheckRequiredLines();
  if (status) status = CheckContentsFitType();
  if (!status) return status.failure();
  return document_;
}

Status DocumentParser::ReadSignature() {
  if (lines_.empty() || lines_.front() != kDocumentSignature) {
    return Failure{kNotAStandinDocument,
                   "not a stand-in document (the first line is not " + QuotedText(kDocumentSignature) + ")"};
  }
  next_ = kSignatureLine;
  return {};
}

Status DocumentParser::ReadFormatVersion() {
  if (lines_.size() < kFormatLine) return Damaged("the format version line is missing");
  LineTokens line(lines_[next_++], kFormatLine);
  line.Keyword(kFormatKey);
  const std::int32_t version = line.WholeNumber("format version", 1);
  // Checked before the rest of the line: a later version may add to it.
  if (line.ok() && version > kDocumentFormatVersion) {
    return Failure{kNewerStandinFormat, "format version " + std::to_string(version) +
                                            " is newer than this host reads (" +
                                            std::to_string(kDocumentFormatVersion) + ")"};
  }
  line.End();
  return line.status();
}

Status DocumentParser::ReadKeyLines() {
  while (next_ < lines_.size()) {
    LineTokens line(lines_[next_], next_ + 1);
    ++next_;
    if (line.IsBlankOrComment()) continue;
    if (Status status = ReadKeyLine(line); !status) return status;
  }
  return {};
}

Status DocumentParser::ReadKeyLine(LineTokens& line) {
  const std::string key = line.Word("key");
  if (!line.ok()) return line.status();
  const KeyReader* reader = FindKeyReader(key);
  if (reader == nullptr) return Damaged(LinePrefix(line.number()) + "unknown key " + ShownText(key));
  const auto [first, isFirst] = keyLines_.emplace(reader->key, line.number());
  if (!isFirst && !reader->repeatable) {
    return Damaged(LinePrefix(line.number()) + "a second " + QuotedText(reader->key) + " line (the first is line " +
                   std::to_string(first->second) + ")");
  }
  return (this->*reader->read)(line);
}

const DocumentParser::KeyReader* DocumentParser::FindKeyReader(std::string_view key) {
  static const std::array<KeyReader, 21> kReaders{{
      {kTypeKey, false, &DocumentParser::ReadType},
      {kReleaseKey, false, &DocumentParser::ReadRelease},
      {kStatusKey, false, &DocumentParser::ReadStatus},
      {kNeedsMigratingKey, false, &DocumentParser::ReadNeedsMigrating},
      {kEnvironmentKey, false, &DocumentParser::ReadEnvironment},
      {kDescriptionKey, false, &DocumentParser::ReadDescription},
      {kReferenceKey, true, &DocumentParser::ReadReference},
      {kSheetKey, true, &DocumentParser::ReadSheet},
      {kFailFirstOpenKey, false, &DocumentParser::ReadFailFirstOpen},
      {kFailEveryOpenKey, false, &DocumentParser::ReadFailEveryOpen},
      {kFailEverySaveKey, false, &DocumentParser::ReadFailEverySave},
      {kCrashFirstOpenKey, false, &DocumentParser::ReadCrashFirstOpen},
      {kCrashEveryOpenKey, false, &DocumentParser::ReadCrashEveryOpen},
      {kCrashEverySaveKey, false, &DocumentParser::ReadCrashEverySave},
      {kHangFirstOpenKey, false, &DocumentParser::ReadHangFirstOpen},
      {kHangEveryOpenKey, false, &DocumentParser::ReadHangEveryOpen},
      {kHangEverySaveKey, false, &DocumentParser::ReadHangEverySave},
      {kExitFirstOpenKey, false, &DocumentParser::ReadExitFirstOpen},
      {kBusyAfterOpenKey, false, &DocumentParser::ReadBusyAfterOpen},
      {kBusyAfterSaveKey, false, &DocumentParser::ReadBusyAfterSave},
      {kGeometryKey, false, &DocumentParser::ReadGeometry},
  }};
  for (const KeyReader& reader : kReaders) {
    if (reader.key == key) return &reader;
  }
  return nullptr;
}

Status DocumentParser::CheckRequiredLines() const {
  for (const std::string_view key : {kTypeKey, kReleaseKey}) {
    if (!keyLines_.contains(key)) return Damaged("the " + QuotedText(key) + " line is missing");
  }
  return {};
}

Status DocumentParser::CheckContentsFitType() const {
  const DocumentType type = document_.type;
  if (const auto sheet = keyLines_.find(kSheetKey); sheet != keyLines_.end() && type != DocumentType::Drawing) {
    return TypeMismatch(sheet->second, "only a drawing has sheets");
  }
  if (type == DocumentType::Drawing && document_.sheets.empty()) return Damaged("a drawing needs at least one sheet");
  if (firstPlacementLine_ != 0 && type != DocumentType::Assembly) {
    return TypeMismatch(firstPlacementLine_, "only an assembly places its references");
  }
  if (const auto geometry = keyLines_.find(kGeometryKey); geometry != keyLines_.end() && type != DocumentType::Part) {
    return TypeMismatch(geometry->second, "only a part carries geometry");
  }
  return {};
}

Failure DocumentParser::TypeMismatch(std::size_t line, std::string_view rule) const {
  return Damaged(LinePrefix(line) + std::string(rule) + " (the type is " +
                 QuotedText(DocumentTypeWord(document_.type)) + ")");
}

Status DocumentParser::ReadType(LineTokens& line) {
  const std::string word = line.Word("document type");
  const std::optional<DocumentType> type = DocumentTypeFromWord(word);
  if (line.ok() && !type) line.Fail("unknown document type " + ShownText(word));
  if (type) document_.type = *type;
  line.End();
  return line.status();
}

Status DocumentParser::ReadRelease(LineTokens& line) {
  document_.release.majorNumber = line.WholeNumber("release major number", 0);
  document_.release.minorNumber = line.WholeNumber("release minor number", 0);
  line.End();
  return line.status();
}

Status DocumentParser::ReadStatus(LineTokens& line) {
  const std::string word = line.Word("compute status");
  const std::optional<ComputeStatus> status = ComputeStatusFromWord(word);
  if (line.ok() && !status) line.Fail("unknown compute status " + ShownText(word));
  if (status) document_.computeStatus = *status;
  line.End();
  return line.status();
}

Status DocumentParser::ReadNeedsMigrating(LineTokens& line) {
  document_.needsMigrating = line.YesNo("needs-migrating value");
  line.End();
  return line.status();
}

Status DocumentParser::ReadEnvironment(LineTokens& line) {
  document_.environment = line.Text("environment");
  line.End();
  return line.status();
}

Status DocumentParser::ReadDescription(LineTokens& line) {
  document_.description = line.Text("description");
  line.End();
  return line.status();
}

Status DocumentParser::ReadReference(LineTokens& line) {
  StandinReference reference;
  reference.path = line.Text("reference path");
  CheckReferencePath(line, reference.path);
  if (!line.AtEnd()) {
    reference.placement = ReadPlacement(line);
    if (firstPlacementLine_ == 0) firstPlacementLine_ = line.number();
  }
  line.End();
  document_.references.push_back(std::move(reference));
  return line.status();
}

void DocumentParser::CheckReferencePath(LineTokens& line, const std::string& path) {
  if (!line.ok()) return;
  if (path.empty()) return line.Fail("the reference path is empty");
  if (IsAbsolutePath(path)) {
    return line.Fail("the reference path " + ShownText(path) + " is absolute; it must be relative to the document");
  }
  if (path.find('\0') != std::string::npos) line.Fail("the reference path " + ShownText(path) + " holds a NUL byte");
}

StandinPlacement DocumentParser::ReadPlacement(LineTokens& line) {
  StandinPlacement placement;
  line.Keyword(kTranslationWord);
  placement.translationMillimetres.x = line.Decimal("translation x");
  placement.translationMillimetres.y = line.Decimal("translation y");
  placement.translationMillimetres.z = line.Decimal("translation z");
  line.Keyword(kRotationAxisWord);
  placement.rotationAxis.x = line.Decimal("rotation axis x");
  placement.rotationAxis.y = line.Decimal("rotation axis y");
  placement.rotationAxis.z = line.Decimal("rotation axis z");
  if (line.ok() && placement.rotationAxis == StandinVector{0, 0, 0}) line.Fail("the rotation axis has no direction");
  line.Keyword(kRotationAngleWord);
  placement.rotationDegrees = line.Decimal("rotation angle");
  return placement;
}

Status DocumentParser::ReadSheet(LineTokens& line) {
  StandinSheet sheet = ReadSheetFrame(line);
  line.Keyword(kSheetExcludedWord);
  sheet.excludedFromPrinting = line.YesNo("sheet excluded-from-printing value");
  line.Keyword(kSheetComputingReadsWord);
  sheet.computingReads = line.WholeNumber("sheet computing reads", 0);
  line.End();
  document_.sheets.push_back(std::move(sheet));
  return line.status();
}

StandinFault DocumentParser::ReadFault(LineTokens& line) {
  StandinFault fault;
  fault.number = line.WholeNumber("fault number", kNoMinimum);
  fault.description = line.Text("fault description");
  line.End();
  return fault;
}

Status DocumentParser::ReadFailFirstOpen(LineTokens& line) {
  document_.faults.failFirstOpen = ReadFault(line);
  return line.status();
}

Status DocumentParser::ReadFailEveryOpen(LineTokens& line) {
  document_.faults.failEveryOpen = ReadFault(line);
  return line.status();
}

Status DocumentParser::ReadFailEverySave(LineTokens& line) {
  document_.faults.failEverySave = ReadFault(line);
  return line.status();
}

Status DocumentParser::ReadCrashFirstOpen(LineTokens& line) {
  line.End();
  document_.faults.crashFirstOpen = line.ok();
  return line.status();
}

Status DocumentParser::ReadCrashEveryOpen(LineTokens& line) {
  line.End();
  document_.faults.crashEveryOpen = line.ok();
  return line.status();
}

Status DocumentParser::ReadCrashEverySave(LineTokens& line) {
  line.End();
  document_.faults.crashEverySave = line.ok();
  return line.status();
}

StandinHang DocumentParser::ReadHang(LineTokens& line) {
  StandinHang hang;
  LineTokens ahead = line;
  if (ahead.Word("hang time") == kForeverWord) {
    line = ahead;
  } else {
    hang.milliseconds = line.WholeNumber("hang time", 0);
  }
  line.End();
  return hang;
}

Status DocumentParser::ReadHangFirstOpen(LineTokens& line) {
  document_.faults.hangFirstOpen = ReadHang(line);
  return line.status();
}

Status DocumentParser::ReadHangEveryOpen(LineTokens& line) {
  document_.faults.hangEveryOpen = ReadHang(line);
  return line.status();
}

Status DocumentParser::ReadHangEverySave(LineTokens& line) {
  document_.faults.hangEverySave = ReadHang(line);
  return line.status();
}

Status DocumentParser::ReadExitFirstOpen(LineTokens& line) {
  const std::int32_t status = line.WholeNumber("exit status", 0);
  if (line.ok() && status > 255) line.Fail("the exit status " + std::to_string(status) + " is over 255");
  line.End();
  if (line.ok()) document_.faults.exitFirstOpen = status;
  return line.status();
}

Status DocumentParser::ReadBusyAfterOpen(LineTokens& line) {
  document_.faults.busyAfterOpenMilliseconds = line.WholeNumber("busy time after an open", 0);
  line.End();
  return line.status();
}

Status DocumentParser::ReadBusyAfterSave(LineTokens& line) {
  document_.faults.busyAfterSaveMilliseconds = line.WholeNumber("busy time after a save", 0);
  line.End();
  return line.status();
}

Status DocumentParser::ReadGeometry(LineTokens& line) {
  line.End();
  if (!line.ok()) return line.status();
  return ReadGeometryLines(line.number());
}

// The block's lines, each without its prefix, joined with LF.
Status DocumentParser::ReadGeometryLines(std::size_t startLine) {
  std::string geometry;
  bool firstLine = true;
  while (next_ < lines_.size()) {
    const std::string& text = lines_[next_++];
    if (!text.empty() && text.front() == kGeometryLinePrefix) {
      if (!firstLine) geometry += '\n';
      geometry.append(text, 1);
      firstLine = false;
    } else if (IsGeometryEnd(text)) {
      document_.geometry = std::move(geometry);
      return {};
    } else {
      return Damaged(LinePrefix(next_) + "a line of the geometry block that starts at line " +
                     std::to_string(startLine) + " does not start with " +
                     QuotedText(std::string(1, kGeometryLinePrefix)));
    }
  }
  return Damaged("the geometry block that starts at line " + std::to_string(startLine) + " has no end");
}

}  // namespace korrin::standin
