#pragma once

#include <QPersistentModelIndex>
#include <QPoint>
#include <QString>
#include <QTreeView>

class QFileSystemModel;

namespace korrin {

// The folder tree of the main window: the file system's folders, no files.
// Reports the folder the user chooses, and lets the user drag a folder out
// of it onto the conversion list or the export folder box.
class FolderTree final : public QTreeView {
  Q_OBJECT
 public:
  explicit FolderTree(QWidget* parent = nullptr);

  // Selects the folder and opens the tree down to it; false when the file
  // system has no such folder.
  bool SetSelectedFolder(const QString& path);
  QString SelectedFolder() const;

 signals:
  // The user chose a folder: clicked it, or moved the selection to it.
  void folderChosen(const QString& path);

 protected:
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void StartFolderDrag();
  // Opens the tree down to the folder and brings it into view.
  void ShowFolder(const QString& path);
  // Folders that appear or go on disk, or a new sort, must not move what
  // the user looks at: the row the user scrolled to the top stays there.
  void KeepTopRow();
  void RestoreTopRow();
  void ScrollTopRowBack();
  void StopFollowing();

  QFileSystemModel* model_;
  // The folder under the pointer when the left button went down, while
  // that press may still become a drag.
  QString dragCandidate_;
  QPoint pressedAt_;
  // The folder set last, kept in view while the tree around it is read.
  QString shownFolder_;
  QPersistentModelIndex topRow_;
  int topOffset_ = 0;  // the top row's place in the viewport, 0 or above when partly hidden
};

}  // namespace korrin
