#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ports/Dialogs.h"
#include "settings/SettingsList.h"
#include "settings/TranslatorSettingsEditor.h"
#include "ui/FolderBrowser.h"

class QMenu;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace korrin {

// What the settings editor needs from the program around it.
struct Form6Ports {
  Dialogs& dialogs;
  std::string hostVersion;         // the host's registry version tag ("RegistryVersion7.0")
  std::string hostTemplateFolder;  // where the host keeps its part, assembly and drawing templates
  // The main window's export format pattern ("*.DWG"), read when it matters.
  std::function<std::string()> exportPattern;
  // Shows the AutoCAD template setup of DWG exports; empty when the program
  // offers none.
  std::function<void()> showAcadSetup;
};

// The translator settings editor: the file's lines as names and values, each
// value changed through the editor its name calls for, and three commands in
// the status bar ("Reload INI", "Cancel", "Save and Close"). The window's
// caption is the path of the file it edits. Modal: the main window loads the
// file, sets the caption and runs exec().
class Form6 final : public QDialog {
  Q_OBJECT

 public:
  // Shows a pop-up menu. The default pops it up at the mouse and returns at
  // once; the chosen item writes its value when the user picks it.
  using MenuPopup = std::function<void(QMenu& menu)>;

  explicit Form6(Form6Ports ports, QWidget* parent = nullptr, MenuPopup popup = {});

  // Fills the list from the file, one row per line; true when the whole file
  // was read. A read failure is shown and the rows read before it stay. A
  // file that is no UTF-8 is read, and written back, as Windows-1252; a value
  // with a character that code page has no byte for is refused when edited.
  bool LoadSettingsList(const std::string& path);

  // The rows as the list shows them now; section rows are the bold ones.
  std::vector<SettingsListRow> Rows() const;

  // Edits the selected row with the editor its name calls for.
  void EditSelectedRow();

  // The status bar's commands, by their panel numbers 1 to 3.
  void ReloadSettings();
  void CancelEditing();
  void SaveAndClose();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The row whose menu is up, and the menu it got.
  struct PendingMenuEdit {
    int row;
    TranslatorEditor editor;
  };

  TranslatorEditContext EditContext() const;
  void AddRow(const SettingsListRow& row);
  SettingsListRow RowOf(const QTreeWidgetItem& item) const;
  void SetValue(QTreeWidgetItem& item, const std::string& value);
  void CreateMenus();
  void PopUp(int row, const MenuEditor& editor);
  void ChooseMenuItem(TranslatorMenuKind kind, std::size_t index);
  TranslatorEditAnswer Ask(const TranslatorEditor& editor);
  void FitColumns();
  void ShowAcadSetupWhenDwgExport();

  Form6Ports ports_;
  MenuPopup popup_;
  FolderBrowser folderBrowser_;
  QTreeWidget* list_;
  QStatusBar* statusBar_;
  QPushButton* acadSetup_;
  std::vector<std::pair<TranslatorMenuKind, QMenu*>> menus_;
  std::optional<PendingMenuEdit> pendingMenuEdit_;
  // What the file was read in: edited values are written back in it.
  FileCodePage codePage_ = FileCodePage::Utf8;
};

}  // namespace korrin
