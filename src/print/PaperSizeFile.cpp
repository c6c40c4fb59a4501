#include "print/PaperSizeFile.h"

#include <algorithm>
#include <optional>

#include "settings/PathConversion.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

// The spellings below are the ones stored files and users know; "format" is
// lower-case in the first two on purpose.
const std::vector<std::string>& DefaultPaperSizeLines() {
  static const std::vector<std::string> lines{
      "A4;210;297;Inventor Standard format",
      "A3;420;297;Inventor Standard format",
      "A2;594;420;Inventor Standard Format",
      "A1;841;594;ISO Standard",
      "A0;1189;841;ISO Standard",
      "Letter;215.9;279.4;Inventor Standard Format",
      "A Sheet;279.4;215.9;Inventor Standard Format",
      "B;431.8;279.4;Inventor Standard Format",
      "C;558.8;431.8;Inventor Standard Format",
      "D;863.6;558.8;Inventor Standard Format",
      "E Sheet;1117.6;863.6;Inventor Standard Format",
  };
  return lines;
}

// The lookups' wording of a failed open or read.
void ShowLookupReadFailure(const Failure& failure, Dialogs& dialogs) {
  dialogs.ShowMessage("Error reading paperdefinitionfil: \r" + failure.description);
}

// Reads the file for a lookup: nothing when it cannot be opened, else the
// lines read whole; either failure is reported.
std::optional<std::vector<std::string>> ReadForLookup(const std::string& file, Dialogs& dialogs) {
  TextFileRead read = ReadTextFile(PathFromText(file));
  if (!read.complete()) ShowLookupReadFailure(read.failure, dialogs);
  if (read.outcome == TextFileRead::Outcome::OpenFailed) return std::nullopt;
  return std::move(read.lines);
}

bool HasName(const PaperSizeRow& row, const std::string& wantedWithoutSpaces) {
  return WithoutSpaces(row.name) == wantedWithoutSpaces;
}

std::optional<PaperSizeRow> FirstRowNamed(const std::vector<std::string>& lines, std::string_view name) {
  const std::string wanted = WithoutSpaces(name);
  for (const std::string& line : lines) {
    PaperSizeRow row = SplitPaperSizeLine(line);
    if (HasName(row, wanted)) return row;
  }
  return std::nullopt;
}

std::string FieldOfFirstRowNamed(const std::string& file, std::string_view name, std::string PaperSizeRow::*field,
                                 Dialogs& dialogs) {
  TextFileRead read = ReadTextFile(PathFromText(file));
  if (!read.complete()) ShowLookupReadFailure(read.failure, dialogs);
  if (const std::optional<PaperSizeRow> row = FirstRowNamed(read.lines, name)) return (*row).*field;
  // Only a file read to its end proves the paper is not defined.
  return read.complete() ? "0" : "";
}

std::string WithDecimalPoints(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

}  // namespace

std::string PaperSizeFilePath(std::string_view programFolder, char separator) {
  return WithTrailingBackslash(programFolder, separator) + kPaperSizeFileName;
}

std::string PaperWidthOf(const std::string& file, std::string_view name, Dialogs& dialogs) {
  return FieldOfFirstRowNamed(file, name, &PaperSizeRow::width, dialogs);
}

std::string PaperHeightOf(const std::string& file, std::string_view name, Dialogs& dialogs) {
  return FieldOfFirstRowNamed(file, name, &PaperSizeRow::height, dialogs);
}

PaperSizeDisplay PaperSizeDisplayOf(const std::string& file, std::string_view name, Dialogs& dialogs) {
  PaperSizeDisplay display;
  const std::optional<std::vector<std::string>> lines = ReadForLookup(file, dialogs);
  if (!lines) return display;
  const std::string wanted = WithoutSpaces(name);
  for (const std::string& line : *lines) {
    const PaperSizeRow row = SplitPaperSizeLine(line);
    if (!HasName(row, wanted)) continue;
    display.width = WithDecimalPoints(row.width);
    display.height = WithDecimalPoints(row.height);
  }
  return display;
}

std::vector<PaperSizeRow> LoadPaperSizeList(const std::string& file, Dialogs& dialogs) {
  const TextFileRead read = ReadTextFile(PathFromText(file));
  if (read.outcome == TextFileRead::Outcome::OpenFailed) return {};
  std::vector<PaperSizeRow> rows;
  for (const std::string& line : read.lines) {
    if (!IsPaperSizeComment(line)) rows.push_back(SplitPaperSizeLine(line));
  }
  if (read.outcome == TextFileRead::Outcome::ReadFailed) {
    dialogs.ShowMessage("Error reading Papersize definition file: \r" + read.failure.description);
  }
  return rows;
}

PaperSizeEditorList LoadPaperSizesForEditor(const std::string& file, Dialogs& dialogs) {
  const TextFileRead read = ReadTextFile(PathFromText(file));
  if (read.outcome == TextFileRead::Outcome::OpenFailed) return {};
  PaperSizeEditorList list;
  list.codePage = CodePageOfLines(read.lines);
  for (const std::string& line : read.lines) {
    if (!IsPaperSizeComment(line)) list.rows.push_back({SplitPaperSizeLine(TextOfFileBytes(line, list.codePage)), line});
  }
  if (read.outcome == TextFileRead::Outcome::ReadFailed) {
    dialogs.ShowMessage("Error reading Papersize definition file: \r" + read.failure.description);
  }
  return list;
}

std::optional<std::string> PaperSizeLineToWrite(const PaperSizeRow& shown, const std::optional<std::string>& readLine,
                                                FileCodePage codePage) {
  if (readLine && SplitPaperSizeLine(TextOfFileBytes(*readLine, codePage)) == shown) return *readLine;
  return FileBytesOfText(JoinPaperSizeLine(shown), codePage);
}

bool SavePaperSizeList(const std::string& file, const std::vector<PaperSizeRow>& rows, Dialogs& dialogs) {
  std::vector<std::string> lines;
  lines.reserve(rows.size());
  for (const PaperSizeRow& row : rows) lines.push_back(JoinPaperSizeLine(row));
  return SavePaperSizeLines(file, lines, dialogs);
}

bool SavePaperSizeLines(const std::string& file, const std::vector<std::string>& lines, Dialogs& dialogs) {
  if (lines.empty()) return true;
  if (const Status written = WriteTextFile(PathFromText(file), lines); !written) {
    dialogs.ShowMessage("Error writing Papersize definition file: \r" + written.failure().description);
    return false;
  }
  return true;
}

bool CreateDefaultPaperSizeFile(const std::string& file, Dialogs& dialogs) {
  dialogs.ShowMessage("Default paperdefinition file: " + file + " does not exist, creating new...");
  if (const Status written = WriteTextFile(PathFromText(file), DefaultPaperSizeLines()); !written) {
    dialogs.ShowMessage("Error rewriting paperdefinitionfile: " + written.failure().description);
    return false;
  }
  return true;
}

}  // namespace korrin
