#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korrin {

// The folder the AutoCAD templates are taken from when nothing else is
// configured and the folder text is left empty.
inline constexpr const char* kFallbackAcadTemplateFolder = "e:\\Orvik\\OrvTemplates\\";

// One row of the template table: a sheet size and the AutoCAD template
// that replaces the host's border and title block on it.
struct AcadTemplateRow {
  std::string sizeName;    // "A3"
  std::string horizontal;  // millimetres, as the table shows them
  std::string vertical;
  std::string templateFile;  // the folder text followed by the file name

  bool operator==(const AcadTemplateRow&) const = default;
};

// A check box of the setup: ticked or not, and whether the user may change it.
struct SetupSwitch {
  bool checked = false;
  bool enabled = true;
};

// How drawings exported to DWG are finished in AutoCAD: whether the
// lineweights are kept, whether the host's border and title block give way
// to an AutoCAD template, and which template goes with which sheet size.
// One setup lives for a program session; nothing of it is saved.
class AcadTemplateSetup {
 public:
  explicit AcadTemplateSetup(std::string defaultFolder = kFallbackAcadTemplateFolder);

  // "Keep Lineweight": when clear and enabled, AutoCAD removes the
  // lineweights after the export. Enabled only while the export format is DWG.
  SetupSwitch keepLineweight{true, true};
  // "Delete and Replace Inventor Border and Title block": offered (enabled)
  // only while the lineweights are removed, since only that pass opens the
  // drawings in AutoCAD. The run's decision step sets it by the same rule.
  SetupSwitch replaceTitleBlock{false, false};

  // "Keep Lineweight" ticked or cleared by the user; the replace option
  // follows.
  void SetKeepLineweight(bool checked);
  // "Keep Lineweight" enabled and clear.
  bool StripsLineweights() const { return keepLineweight.enabled && !keepLineweight.checked; }

  const std::string& folder() const { return folder_; }
  const std::string& defaultFolder() const { return defaultFolder_; }
  // Takes a new folder text, the default one when empty, and rebuilds the
  // table. The text is used as given: a folder without a trailing separator
  // runs into the file names.
  void SetFolder(const std::string& text);
  const std::vector<AcadTemplateRow>& rows() const { return rows_; }

  // Follows the export format the user chose; the replace option follows.
  void ExportPatternChanged(const std::string& exportPattern);

  // The first row whose sizes, read as numbers, are the sheet's width and
  // height in millimetres rounded to whole numbers.
  std::optional<AcadTemplateRow> RowForSheet(double widthMillimetres, double heightMillimetres) const;

 private:
  std::string defaultFolder_;
  std::string folder_;
  std::vector<AcadTemplateRow> rows_;
};

}  // namespace korrin
