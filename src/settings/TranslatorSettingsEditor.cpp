#include "settings/TranslatorSettingsEditor.h"

#include "settings/TextCase.h"

namespace korrin {
namespace {

TranslatorEditor Menu(TranslatorMenuKind kind) { return MenuEditor{TranslatorMenuOf(kind)}; }

// The AutoCAD template is kept as a full path, so the dialog opens where it is.
FileEditor AutocadTemplateEditor(const SettingsListRow& row, const TranslatorEditContext& context) {
  return {"Select Template File", "AutoCAD Template Files (*.DWT)|*.DWT", FolderOfPath(row.value, context.separator),
          row.value, FileEditor::Keeps::FullPath};
}

// Inventor templates are kept as bare file names the host looks up in its own
// template folder, so the dialog always opens there.
FileEditor InventorTemplateEditor(const char* title, const char* filter, const SettingsListRow& row,
                                  const TranslatorEditContext& context) {
  return {title, filter, WithTrailingBackslash(context.hostTemplateFolder, context.separator), row.value,
          FileEditor::Keeps::FileName};
}

bool IsYesOrNo(const std::string& value) { return EqualsIgnoringCase(value, "YES") || EqualsIgnoringCase(value, "NO"); }

InputEditor InputBoxFor(const SettingsListRow& row) { return {"Enter value for\r" + row.key, row.key, row.value}; }

std::string ValueOfMenuItem(const SettingsListRow& row, const TranslatorEditor& editor, const MenuItemChosen& chosen) {
  const auto* menu = std::get_if<MenuEditor>(&editor);
  if (menu == nullptr || chosen.index >= menu->menu.items.size()) return row.value;
  const TranslatorMenuItem& item = menu->menu.items[chosen.index];
  return item.enabled ? item.value : row.value;
}

std::string ValueOfFile(const SettingsListRow& row, const TranslatorEditor& editor, const FileChosen& chosen,
                        char separator) {
  const auto* file = std::get_if<FileEditor>(&editor);
  if (file == nullptr || chosen.path.empty()) return row.value;
  return file->keeps == FileEditor::Keeps::FileName ? FileNameOfPath(chosen.path, separator) : chosen.path;
}

// Answers that are used as given when the editor gives them and they are not empty.
template <typename Editor>
std::string ValueAsGiven(const SettingsListRow& row, const TranslatorEditor& editor, const std::string& given) {
  if (!std::holds_alternative<Editor>(editor) || given.empty()) return row.value;
  return given;
}

}  // namespace

TranslatorEditor TranslatorEditorFor(const SettingsListRow& row, const TranslatorEditContext& context) {
  using Kind = TranslatorMenuKind;
  if (row.section) return NoEditor{};
  const std::string name = ToUpperAscii(row.key);
  if (name == "AUTOCAD TEMPLATE") return AutocadTemplateEditor(row, context);
  if (name == "AUTOCAD VERSION") return MenuEditor{AutocadVersionMenu(context.hostVersion, context.exportPattern)};
  if (name == "DESTINATION 2D DATA") return Menu(Kind::Destination2D);
  if (name == "DESTINATION DIRECTORY") return FolderEditor{};
  if (name == "PART TEMPLATE")
    return InventorTemplateEditor("Select Inventor Part template", "Inventor Part Files (*.IPT)|*.IPT", row, context);
  // Kept as it is: the assembly dialog shares the part dialog's title.
  if (name == "ASSEMBLY TEMPLATE")
    return InventorTemplateEditor("Select Inventor Part template", "Inventor Assembly Files (*.IAM)|*.IAM", row,
                                  context);
  if (name == "DRAWING TEMPLATE")
    return InventorTemplateEditor("Select Inventor Drawing template", "Inventor Drawing Files (*.IDW)|*.IDW", row,
                                  context);
  if (name == "FILE UNITS") return Menu(Kind::FileUnits);
  if (name == "TRANSLATION TYPE") return Menu(Kind::TranslationType);
  if (name == "UNSUPPORTED PART FEATURES") return Menu(Kind::UnsupportedPartFeatures);
  if (IsYesOrNo(row.value)) return Menu(Kind::YesNo);
  return InputBoxFor(row);
}

std::string TranslatorValueAfterEdit(const SettingsListRow& row, const TranslatorEditor& editor,
                                     const TranslatorEditAnswer& answer, char separator) {
  if (const auto* item = std::get_if<MenuItemChosen>(&answer)) return ValueOfMenuItem(row, editor, *item);
  if (const auto* file = std::get_if<FileChosen>(&answer)) return ValueOfFile(row, editor, *file, separator);
  if (const auto* folder = std::get_if<FolderChosen>(&answer))
    return ValueAsGiven<FolderEditor>(row, editor, folder->path);
  if (const auto* text = std::get_if<TextEntered>(&answer)) return ValueAsGiven<InputEditor>(row, editor, text->text);
  return row.value;  // cancelled
}

}  // namespace korrin
