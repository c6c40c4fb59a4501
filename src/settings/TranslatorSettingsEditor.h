#pragma once

#include <string>
#include <variant>

#include "settings/PathText.h"
#include "settings/SettingsList.h"
#include "settings/TranslatorSettingsMenus.h"

namespace korrin {

// What the editor window knows beyond the row when a setting is edited.
struct TranslatorEditContext {
  std::string hostTemplateFolder;  // where the host keeps its part, assembly and drawing templates
  std::string hostVersion;         // the host's registry version text ("RegistryVersion7.0")
  std::string exportPattern;       // the export format's pattern ("*.DXF", "*.DWG")
  char separator = kNativeSeparator;
};

// The editors a row can get. The window shows the one chosen and hands its
// answer to TranslatorValueAfterEdit.
struct NoEditor {
  bool operator==(const NoEditor&) const = default;
};

struct MenuEditor {
  TranslatorMenu menu;

  bool operator==(const MenuEditor&) const = default;
};

struct FileEditor {
  // What the setting keeps of the chosen file.
  enum class Keeps { FullPath, FileName };

  std::string title;
  std::string filter;  // "Description (*.EXT)|*.EXT"
  std::string startFolder;
  std::string fileName;
  Keeps keeps = Keeps::FullPath;

  bool operator==(const FileEditor&) const = default;
};

struct FolderEditor {
  bool operator==(const FolderEditor&) const = default;
};

struct InputEditor {
  std::string prompt;
  std::string title;
  std::string defaultText;

  bool operator==(const InputEditor&) const = default;
};

using TranslatorEditor = std::variant<NoEditor, MenuEditor, FileEditor, FolderEditor, InputEditor>;

// The editor of a row: the known names first (compared ignoring case), then
// the yes/no menu for a value of "Yes" or "No" in any case, then an input
// box. A section row gets none.
TranslatorEditor TranslatorEditorFor(const SettingsListRow& row, const TranslatorEditContext& context);

// The answers an editor gives.
struct EditCancelled {};
struct MenuItemChosen {
  std::size_t index = 0;  // into the menu's items
};
struct FileChosen {
  std::string path;
};
struct FolderChosen {
  std::string path;
};
struct TextEntered {
  std::string text;
};

using TranslatorEditAnswer = std::variant<EditCancelled, MenuItemChosen, FileChosen, FolderChosen, TextEntered>;

// The row's value after the editor answered. The value stays as it is when
// the editor was cancelled or answered with nothing (an empty path or text),
// when a menu item is out of range or disabled, and when the answer is not
// one the editor gives.
std::string TranslatorValueAfterEdit(const SettingsListRow& row, const TranslatorEditor& editor,
                                     const TranslatorEditAnswer& answer, char separator = kNativeSeparator);

}  // namespace korrin
