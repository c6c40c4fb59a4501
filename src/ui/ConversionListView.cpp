#include "ui/ConversionListView.h"

#include <QDragEnterEvent>
#include <QMimeData>

#include "ui/DragIcons.h"

namespace korrin {

ConversionListView::ConversionListView(QWidget* parent) : QListView(parent) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setUniformItemSizes(true);  // keeps a list of tens of thousands of entries quick to lay out
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setAcceptDrops(true);
  setDropIndicatorShown(false);
}

bool ConversionListView::Takes(const QMimeData* data) const {
  return takesDrops_ && data != nullptr && (data->hasUrls() || !TreeFolderOf(data).isEmpty());
}

void ConversionListView::dragEnterEvent(QDragEnterEvent* event) { AnswerDrop(*event, Takes(event->mimeData())); }

void ConversionListView::dragMoveEvent(QDragMoveEvent* event) { AnswerDrop(*event, Takes(event->mimeData())); }

void ConversionListView::dropEvent(QDropEvent* event) {
  if (!AnswerDrop(*event, Takes(event->mimeData()))) return;
  const QString treeFolder = TreeFolderOf(event->mimeData());
  const QList<QUrl> files = treeFolder.isEmpty() ? event->mimeData()->urls() : QList<QUrl>();
  QMetaObject::invokeMethod(
      this, [this, files, treeFolder] { emit dropped(files, treeFolder); }, Qt::QueuedConnection);
}

void ConversionListView::focusInEvent(QFocusEvent* event) {
  QListView::focusInEvent(event);
  emit selectionTouched();
}

void ConversionListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  QListView::selectionChanged(selected, deselected);
  emit selectionTouched();
}

}  // namespace korrin
