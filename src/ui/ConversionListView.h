#pragma once

#include <QList>
#include <QListView>
#include <QUrl>

class QMimeData;

namespace korrin {

// The conversion list control: extended selection over the list's model,
// taking drops of files from the file manager and of folders from the
// folder tree.
class ConversionListView final : public QListView {
  Q_OBJECT
 public:
  explicit ConversionListView(QWidget* parent = nullptr);

  // Whether drops are taken now; an operation that is busy with the list
  // refuses them.
  void SetTakesDrops(bool takes) { takesDrops_ = takes; }

 signals:
  // Something was dropped on the list: the file list of a drop from outside,
  // or the folder dragged from the folder tree (then the file list is empty).
  // Sent once the drop itself has ended, so the program that dragged is not
  // kept waiting while the dropped folders are walked.
  void dropped(const QList<QUrl>& files, const QString& treeFolder);
  // The selection may have changed, or the list got the focus.
  void selectionTouched();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

 private:
  bool Takes(const QMimeData* data) const;

  bool takesDrops_ = true;
};

}  // namespace korrin
