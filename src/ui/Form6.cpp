#include "ui/Form6.h"

#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "settings/TextCase.h"
#include "settings/TranslatorSettingsFile.h"
#include "ui/CommandPanel.h"

namespace korrin {
namespace {

constexpr int kInitialWidth = 560;
constexpr int kInitialHeight = 420;
constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;
// Whether the line held an "=", kept with the row so it is written back alike.
constexpr int kHasEqualsRole = Qt::UserRole;

constexpr TranslatorMenuKind kMenuKinds[] = {
    TranslatorMenuKind::TranslationType, TranslatorMenuKind::UnsupportedPartFeatures, TranslatorMenuKind::FileUnits,
    TranslatorMenuKind::Destination2D,   TranslatorMenuKind::AutocadVersion,          TranslatorMenuKind::YesNo,
};

void PopUpAtMouse(QMenu& menu) { menu.popup(QCursor::pos()); }

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

Form6::Form6(Form6Ports ports, QWidget* parent, MenuPopup popup)
    : QDialog(parent),
      ports_(std::move(ports)),
      popup_(popup ? std::move(popup) : MenuPopup(PopUpAtMouse)),
      folderBrowser_(ports_.dialogs),
      list_(new QTreeWidget(this)),
      statusBar_(new QStatusBar(this)),
      acadSetup_(new QPushButton("AutoCAD Setup...", this)) {
  setObjectName("Form6");
  setWindowTitle("INI File editor");
  list_->setObjectName("ListView1");
  list_->setHeaderLabels({"INI Filevariable", "Value"});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->header()->setStretchLastSection(false);
  list_->viewport()->installEventFilter(this);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { EditSelectedRow(); });

  statusBar_->setObjectName("StatusBar1");
  statusBar_->setSizeGripEnabled(false);
  const std::pair<const char*, void (Form6::*)()> panels[] = {{"Reload INI", &Form6::ReloadSettings},
                                                              {"Cancel", &Form6::CancelEditing},
                                                              {"Save and Close", &Form6::SaveAndClose}};
  int number = 1;
  for (const auto& [caption, command] : panels) {
    auto* panel = new CommandPanel(
        caption, [this, command = command] { (this->*command)(); }, statusBar_);
    panel->setObjectName(QString("Panel%1").arg(number++));
    statusBar_->addWidget(panel);
  }
  acadSetup_->setObjectName("cmdAcadSetup");
  acadSetup_->setToolTip("Lineweights and title-block templates for drawings exported to DWG, finished in AutoCAD");
  acadSetup_->setAutoDefault(false);
  acadSetup_->hide();
  connect(acadSetup_, &QPushButton::clicked, this, [this] {
    if (ports_.showAcadSetup) ports_.showAcadSetup();
  });
  statusBar_->addPermanentWidget(acadSetup_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(list_, 1);
  layout->addWidget(statusBar_);
  CreateMenus();
  resize(kInitialWidth, kInitialHeight);
}

bool Form6::LoadSettingsList(const std::string& path) {
  pendingMenuEdit_.reset();
  list_->clear();
  const SettingsListLoad load = korrin::LoadSettingsList(path, ports_.dialogs);
  codePage_ = load.codePage;
  for (const SettingsListRow& row : load.rows) AddRow(row);
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  ShowAcadSetupWhenDwgExport();
  return load.complete;
}

std::vector<SettingsListRow> Form6::Rows() const {
  std::vector<SettingsListRow> rows;
  rows.reserve(static_cast<std::size_t>(list_->topLevelItemCount()));
  for (int index = 0; index < list_->topLevelItemCount(); ++index) rows.push_back(RowOf(*list_->topLevelItem(index)));
  return rows;
}

void Form6::EditSelectedRow() {
  QTreeWidgetItem* item = list_->currentItem();
  if (item == nullptr || !item->isSelected()) return;
  const SettingsListRow row = RowOf(*item);
  const TranslatorEditor editor = TranslatorEditorFor(row, EditContext());
  if (const auto* menu = std::get_if<MenuEditor>(&editor)) {
    PopUp(list_->indexOfTopLevelItem(item), *menu);
    return;
  }
  if (std::holds_alternative<NoEditor>(editor)) return;
  SetValue(*item, TranslatorValueAfterEdit(row, editor, Ask(editor), EditContext().separator));
}

void Form6::ReloadSettings() { (void)LoadSettingsList(windowTitle().toStdString()); }

void Form6::CancelEditing() { reject(); }

void Form6::SaveAndClose() {
  const Status saved = SaveTranslatorSettings(windowTitle().toStdString(), Rows(), codePage_);
  if (!saved) {
    // The window stays with the changes, so they are not lost unseen.
    ports_.dialogs.ShowMessage("The settings file could not be saved: " + saved.failure().description);
    return;
  }
  accept();
}

bool Form6::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport() && event->type() == QEvent::Resize) FitColumns();
  if (watched == list_->viewport() && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    EditSelectedRow();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

TranslatorEditContext Form6::EditContext() const {
  TranslatorEditContext context;
  context.hostTemplateFolder = ports_.hostTemplateFolder;
  context.hostVersion = ports_.hostVersion;
  context.exportPattern = ports_.exportPattern ? ports_.exportPattern() : std::string();
  return context;
}

void Form6::AddRow(const SettingsListRow& row) {
  auto* item = new QTreeWidgetItem(list_, {Text(row.key), Text(row.value)});
  item->setData(kNameColumn, kHasEqualsRole, row.hasEquals);
  if (!row.section) return;
  // Bold is what marks a section row, on screen and when the rows are saved.
  QFont bold = item->font(kNameColumn);
  bold.setBold(true);
  item->setFont(kNameColumn, bold);
  item->setFirstColumnSpanned(true);
}

SettingsListRow Form6::RowOf(const QTreeWidgetItem& item) const {
  return {item.text(kNameColumn).toStdString(), item.text(kValueColumn).toStdString(), item.font(kNameColumn).bold(),
          item.data(kNameColumn, kHasEqualsRole).toBool()};
}

void Form6::SetValue(QTreeWidgetItem& item, const std::string& value) {
  // Refused here rather than at saving, so the user knows which value it was.
  if (const std::optional<std::string> character = CharacterNotInCodePage(value, codePage_)) {
    ports_.dialogs.ShowMessage(CharacterNotInCodePageMessage(*character, codePage_));
    return;
  }
  item.setText(kValueColumn, Text(value));
}

void Form6::CreateMenus() {
  for (const TranslatorMenuKind kind : kMenuKinds) {
    const TranslatorMenu model = TranslatorMenuOf(kind);
    auto* menu = new QMenu(this);
    menu->setObjectName(Text(model.objectName));
    for (std::size_t index = 0; index < model.items.size(); ++index) {
      QAction* action = menu->addAction(Text(model.items[index].caption));
      connect(action, &QAction::triggered, this, [this, kind, index] { ChooseMenuItem(kind, index); });
    }
    menus_.emplace_back(kind, menu);
  }
}

void Form6::PopUp(int row, const MenuEditor& editor) {
  const auto found =
      std::find_if(menus_.begin(), menus_.end(), [&](const auto& entry) { return entry.first == editor.menu.kind; });
  if (found == menus_.end()) return;
  QMenu& menu = *found->second;
  const QList<QAction*> actions = menu.actions();
  for (std::size_t index = 0; index < editor.menu.items.size() && index < static_cast<std::size_t>(actions.size());
       ++index)
    actions[static_cast<qsizetype>(index)]->setEnabled(editor.menu.items[index].enabled);
  pendingMenuEdit_ = PendingMenuEdit{row, editor};
  popup_(menu);
}

void Form6::ChooseMenuItem(TranslatorMenuKind kind, std::size_t index) {
  if (!pendingMenuEdit_) return;
  const auto* menu = std::get_if<MenuEditor>(&pendingMenuEdit_->editor);
  QTreeWidgetItem* item = list_->topLevelItem(pendingMenuEdit_->row);
  if (menu == nullptr || menu->menu.kind != kind || item == nullptr) return;
  SetValue(*item, TranslatorValueAfterEdit(RowOf(*item), pendingMenuEdit_->editor, MenuItemChosen{index}));
  pendingMenuEdit_.reset();
}

TranslatorEditAnswer Form6::Ask(const TranslatorEditor& editor) {
  if (const auto* file = std::get_if<FileEditor>(&editor)) {
    const FileRequest request{FileRequest::Purpose::Open, file->title, file->filter, file->startFolder, file->fileName};
    if (std::optional<std::string> chosen = ports_.dialogs.ChooseFile(request)) return FileChosen{std::move(*chosen)};
    return EditCancelled{};
  }
  if (std::holds_alternative<FolderEditor>(editor)) {
    // The folder browser is asked with an empty title, as the main window asks it.
    folderBrowser_.Browse("");
    if (folderBrowser_.ok()) return FolderChosen{folderBrowser_.path()};
    return EditCancelled{};
  }
  if (const auto* input = std::get_if<InputEditor>(&editor)) {
    if (std::optional<std::string> text = ports_.dialogs.AskText(input->prompt, input->title, input->defaultText))
      return TextEntered{std::move(*text)};
  }
  return EditCancelled{};
}

void Form6::FitColumns() {
  const int width = list_->viewport()->width();
  list_->setColumnWidth(kNameColumn, width / 3);
  list_->setColumnWidth(kValueColumn, width - width / 3);
}

void Form6::ShowAcadSetupWhenDwgExport() {
  const std::vector<SettingsListRow> rows = Rows();
  const bool exportSettings =
      !rows.empty() && rows.front().section && EqualsIgnoringCase(rows.front().key, kExportSettingsSection);
  const bool dwgExport = ports_.exportPattern && ports_.exportPattern() == "*.DWG";
  acadSetup_->setVisible(static_cast<bool>(ports_.showAcadSetup) && exportSettings && dwgExport);
}

}  // namespace korrin
