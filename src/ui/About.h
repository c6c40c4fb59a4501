#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPlainTextEdit;

namespace korrin {

// The help text of the About box, one line per entry; the trailing blanks
// of some lines belong to the text.
inline constexpr std::array<const char*, 19> kAboutHelpLines{
    "The program imports and exports various filetypes supported by Autodesk Inventor.",
    "",
    "1:",
    "Drag files/folders from Explorer to the right panel. Files not having the extension used in \"Import from "
    "Format\" are filtered.",
    "2:",
    "Select files from drive/folder on the left panels, use CTRL / SHIFT, and move to the right panel.",
    "3:",
    "Create a TXT-file ( via notepad or similar), containing drive/directory/filenames and drag this file into the "
    "right panel.",
    "The program veryfies whether the files inside exists or not and ignores non-existing.",
    "",
    "The same file can only be selected one time",
    "",
    "It's possible to select a specific export-directory. If not specified, the exported files are placed in the "
    "same directory ",
    "as ",
    "the source file.",
    "",
    "Some import fileformats kan be either PART or ASSEMBLIES.",
    "Allthough the export options only indicates \"assembly\" formats, the program will use Inventors filetype "
    "information ( ",
    "part/assembly) and use this for export.",
};

// The About box: the product, its release and how to fill the list.
class About final : public QDialog {
  Q_OBJECT

 public:
  explicit About(QWidget* parent = nullptr);

  // Shows the box with the release number the program reports.
  void ShowRelease(const QString& version);

 private:
  QLabel* version_;
  QPlainTextEdit* help_;
};

}  // namespace korrin
