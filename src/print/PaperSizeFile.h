#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Dialogs.h"
#include "print/PaperSizeRow.h"
#include "settings/FileCodePage.h"
#include "settings/PathText.h"

namespace korrin {

// The paper size definitions file in the program folder: one paper a line,
// name;width mm;height mm;description, and comment lines starting with ";".
// Every function here takes the file's full path and reports its own
// failures through dialogs.
inline constexpr const char* kPaperSizeFileName = "papersizes.ini";

std::string PaperSizeFilePath(std::string_view programFolder, char separator = kNativeSeparator);

// Lookups match a name when both are equal once stripped of their spaces,
// case included ("A Sheet" is "ASheet", "a4" is not "A4"). Comment lines are
// not skipped: their name is empty, so only an empty name finds them.

// The width (height) text of the first line of that name, exactly as written;
// "0" when no line has it. A file that cannot be opened is reported and gives
// "". A read that fails part way is reported and gives what the lines read
// whole hold: the first of them with that name, else "" as for no file.
std::string PaperWidthOf(const std::string& file, std::string_view name, Dialogs& dialogs);
std::string PaperHeightOf(const std::string& file, std::string_view name, Dialogs& dialogs);

// Width and height as the settings window shows them for a paper.
struct PaperSizeDisplay {
  std::string width;
  std::string height;

  bool operator==(const PaperSizeDisplay&) const = default;
};

// The last line of that name wins, its decimal commas shown as points; both
// stay empty when no line has it or the file cannot be read. Read failures
// are reported as for PaperWidthOf, the lines read whole still counting.
PaperSizeDisplay PaperSizeDisplayOf(const std::string& file, std::string_view name, Dialogs& dialogs);

// The papers of the file in its order, comment lines left out. A file that
// cannot be opened gives no rows and no message; a read that fails part way
// is reported and keeps the rows read whole.
std::vector<PaperSizeRow> LoadPaperSizeList(const std::string& file, Dialogs& dialogs);

// The papers as the paper size editor holds them: each row's fields as text
// (UTF-8; a file that is no UTF-8 is read as Windows-1252) with the line it
// was read from, and the code page the file was read in. Failures as for
// LoadPaperSizeList.
struct PaperSizeEditorRow {
  PaperSizeRow row;
  std::string line;  // the file's bytes

  bool operator==(const PaperSizeEditorRow&) const = default;
};
struct PaperSizeEditorList {
  std::vector<PaperSizeEditorRow> rows;
  FileCodePage codePage = FileCodePage::Utf8;
};
PaperSizeEditorList LoadPaperSizesForEditor(const std::string& file, Dialogs& dialogs);

// The line the editor writes for a row: the line it was read from, byte for
// byte, while the row still shows what that line gave (a line with more than
// four fields keeps them); else the fields joined and written in the code
// page. Nothing when a character has no byte in the code page.
std::optional<std::string> PaperSizeLineToWrite(const PaperSizeRow& shown, const std::optional<std::string>& readLine,
                                                FileCodePage codePage);

// Replaces the file with these lines, as SavePaperSizeList does.
bool SavePaperSizeLines(const std::string& file, const std::vector<std::string>& lines, Dialogs& dialogs);

// Replaces the file with one line per row (comments it had are gone). No rows
// leave the file as it is: an emptied list is taken for one that was never
// loaded, not for a wish to lose every paper. False when writing failed
// (reported; the file is then still the previous one).
bool SavePaperSizeList(const std::string& file, const std::vector<PaperSizeRow>& rows, Dialogs& dialogs);

// Writes the papers the program starts with, after telling the user so.
// False when writing failed (reported).
bool CreateDefaultPaperSizeFile(const std::string& file, Dialogs& dialogs);

}  // namespace korrin
