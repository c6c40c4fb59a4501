#include "ui/DragIcons.h"

#include <QApplication>
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

QPixmap DropYesIcon() { return StandardPixmap(QStyle::SP_DialogApplyButton); }
QPixmap DropNoIcon() { return StandardPixmap(QStyle::SP_DialogCancelButton); }

}  // namespace korrin
