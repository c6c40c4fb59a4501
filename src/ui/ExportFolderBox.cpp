#include "ui/ExportFolderBox.h"

#include <QDragEnterEvent>

#include "ui/DragIcons.h"

namespace korrin {

void ExportFolderBox::dragEnterEvent(QDragEnterEvent* event) {
  if (TreeFolderOf(event->mimeData()).isEmpty()) {
    QLineEdit::dragEnterEvent(event);
    return;
  }
  AnswerDrop(*event, true);
}

void ExportFolderBox::dragMoveEvent(QDragMoveEvent* event) {
  if (TreeFolderOf(event->mimeData()).isEmpty()) {
    QLineEdit::dragMoveEvent(event);
    return;
  }
  AnswerDrop(*event, true);
}

void ExportFolderBox::dropEvent(QDropEvent* event) {
  const QString folder = TreeFolderOf(event->mimeData());
  if (folder.isEmpty()) {
    QLineEdit::dropEvent(event);
    return;
  }
  AnswerDrop(*event, true);
  setText(folder);
}

}  // namespace korrin
