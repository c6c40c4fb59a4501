#pragma once

#include <QListView>

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
  // Something was dropped on the list: a file list or a tree folder.
  void dropped(const QMimeData* data);
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
