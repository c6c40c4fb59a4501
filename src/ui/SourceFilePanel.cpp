#include "ui/SourceFilePanel.h"

#include <QDir>

namespace korrin {

SourceFilePanel::SourceFilePanel(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setUniformItemSizes(true);
}

void SourceFilePanel::Refresh() {
  clear();
  if (folder_.isEmpty() || pattern_.isEmpty()) return;
  // Name filters match regardless of case unless told otherwise.
  const QDir folder(folder_);
  addItems(folder.entryList({pattern_}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase));
}

std::vector<std::string> SourceFilePanel::SelectedNames() const {
  std::vector<std::string> names;
  for (int row = 0; row < count(); ++row) {
    if (item(row)->isSelected()) names.push_back(item(row)->text().toStdString());
  }
  return names;
}

}  // namespace korrin
