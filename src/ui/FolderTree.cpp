#include "ui/FolderTree.h"

#include <QApplication>
#include <QDrag>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMouseEvent>

#include "settings/PathText.h"
#include "ui/DragIcons.h"

namespace korrin {
namespace {

bool IsFullFolderPath(const QString& path) { return IsFullPath(path.toStdString()); }

}  // namespace

FolderTree::FolderTree(QWidget* parent) : QTreeView(parent), model_(new QFileSystemModel(this)) {
  model_->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
  model_->setReadOnly(true);
  model_->setRootPath(QDir::rootPath());
  setModel(model_);
  // Only the folder names: size, kind and date say nothing about folders.
  for (int column = 1; column < model_->columnCount(); ++column) hideColumn(column);
  header()->hide();
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragEnabled(false);  // the drag of a folder is started here, with its own data
}

bool FolderTree::SetSelectedFolder(const QString& path) {
  const QModelIndex index = model_->index(path);
  if (!index.isValid()) return false;
  setCurrentIndex(index);
  scrollTo(index);
  return true;
}

QString FolderTree::SelectedFolder() const { return model_->filePath(currentIndex()); }

void FolderTree::mousePressEvent(QMouseEvent* event) {
  dragCandidate_.clear();
  if (event->button() == Qt::LeftButton) {
    const QString path = model_->filePath(indexAt(event->position().toPoint()));
    if (IsFullFolderPath(path)) dragCandidate_ = path;
    pressedAt_ = event->position().toPoint();
  }
  QTreeView::mousePressEvent(event);
}

void FolderTree::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) && !dragCandidate_.isEmpty() &&
      (event->position().toPoint() - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
    StartFolderDrag();
    return;
  }
  QTreeView::mouseMoveEvent(event);
}

void FolderTree::StartFolderDrag() {
  const QString folder = dragCandidate_;
  SetSelectedFolder(folder);
  auto* drag = new QDrag(this);
  drag->setMimeData(TreeFolderData(folder));
  drag->setDragCursor(DropYesIcon(), Qt::CopyAction);
  drag->setDragCursor(DropNoIcon(), Qt::IgnoreAction);
  drag->exec(Qt::CopyAction);
  dragCandidate_.clear();
}

void FolderTree::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  const QString path = model_->filePath(current);
  // Only a folder of the file system can be listed; virtual places cannot.
  if (IsFullFolderPath(path)) emit folderChosen(path);
}

}  // namespace korrin
