#include "ui/FolderTree.h"

#include <QApplication>
#include <QDrag>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>
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
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setDragEnabled(false);  // the drag of a folder is started here, with its own data
  // The folders around the selected one are read in the background; once a
  // folder on its way is read, the rows have moved and it is shown again.
  connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
    if (!shownFolder_.isEmpty() && shownFolder_.startsWith(loaded)) ShowFolder(shownFolder_);
  });
  connect(model_, &QAbstractItemModel::rowsInserted, this, &FolderTree::RestoreTopRow);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, &FolderTree::RestoreTopRow);
  connect(model_, &QAbstractItemModel::layoutChanged, this, &FolderTree::RestoreTopRow);
  // Once the user scrolls, the tree no longer brings the folder set last
  // back into view.
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] {
    StopFollowing();
    // The action moves the bar after this signal.
    QMetaObject::invokeMethod(this, &FolderTree::KeepTopRow, Qt::QueuedConnection);
  });
}

void FolderTree::KeepTopRow() {
  topRow_ = indexAt(QPoint(1, 1));
  topOffset_ = topRow_.isValid() ? visualRect(topRow_).top() : 0;
}

void FolderTree::ScrollTopRowBack() {
  if (!topRow_.isValid()) return;
  // The view lays its rows out anew lazily; they must be where the model
  // has them now before the row can be put back.
  executeDelayedItemsLayout();
  scrollTo(topRow_, QAbstractItemView::PositionAtTop);
  verticalScrollBar()->setValue(verticalScrollBar()->value() - topOffset_);
}

void FolderTree::RestoreTopRow() {
  // Put back once the view has taken the change in, after the model's
  // signal.
  QMetaObject::invokeMethod(
      this,
      [this] {
        // While the tree still opens towards the folder set last, that
        // folder is what stays in view; a sort of fresh rows moves it.
        if (!shownFolder_.isEmpty()) {
          ShowFolder(shownFolder_);
        } else {
          ScrollTopRowBack();
        }
      },
      Qt::QueuedConnection);
}

void FolderTree::StopFollowing() { shownFolder_.clear(); }

void FolderTree::wheelEvent(QWheelEvent* event) {
  StopFollowing();
  QTreeView::wheelEvent(event);
  KeepTopRow();
}

void FolderTree::keyPressEvent(QKeyEvent* event) {
  StopFollowing();
  QTreeView::keyPressEvent(event);
  KeepTopRow();
}

bool FolderTree::SetSelectedFolder(const QString& path) {
  const QModelIndex index = model_->index(path);
  if (!index.isValid()) return false;
  setCurrentIndex(index);
  shownFolder_ = path;
  ShowFolder(path);
  return true;
}

void FolderTree::ShowFolder(const QString& path) {
  const QModelIndex index = model_->index(path);
  for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) expand(parent);
  scrollTo(index, QAbstractItemView::PositionAtCenter);
}

QString FolderTree::SelectedFolder() const { return model_->filePath(currentIndex()); }

void FolderTree::showEvent(QShowEvent* event) {
  QTreeView::showEvent(event);
  // A tree that was hidden when its folder was set could not scroll to it;
  // it can once the window has its size, after the show.
  if (!shownFolder_.isEmpty()) {
    QMetaObject::invokeMethod(
        this, [this] { if (!shownFolder_.isEmpty()) ShowFolder(shownFolder_); }, Qt::QueuedConnection);
  }
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
  // The user takes over: the tree no longer follows the folder set last.
  shownFolder_.clear();
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
