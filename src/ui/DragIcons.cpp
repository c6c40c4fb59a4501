#include "ui/DragIcons.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStyle>

namespace korrin {
namespace {

constexpr int kIconSize = 24;

QPixmap StandardPixmap(QStyle::StandardPixmap which) {
  return QApplication::style()->standardIcon(which).pixmap(kIconSize, kIconSize);
}

}  // namespace

QMimeData* TreeFolderData(const QString& path) {
  auto* data = new QMimeData;
  data->setData(kTreeFolderMimeType, path.toUtf8());
  return data;
}

QString TreeFolderOf(const QMimeData* data) {
  if (data == nullptr || !data->hasFormat(kTreeFolderMimeType)) return {};
  return QString::fromUtf8(data->data(kTreeFolderMimeType));
}

bool AnswerDrop(QDropEvent& event, bool taken) {
  if (!taken) {
    event.ignore();
    return false;
  }
  event.setDropAction(Qt::CopyAction);
  event.accept();
  return true;
}

QPixmap DropYesIcon() { return StandardPixmap(QStyle::SP_DialogApplyButton); }
QPixmap DropNoIcon() { return StandardPixmap(QStyle::SP_DialogCancelButton); }

}  // namespace korrin
