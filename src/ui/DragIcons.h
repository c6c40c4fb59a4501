#pragma once

#include <QPixmap>
#include <QString>

class QMimeData;

namespace korrin {

// A folder dragged from the main window's folder tree travels as its path
// under a type of the program's own, so a drop can tell it from files
// dragged in from the file manager.
inline constexpr const char* kTreeFolderMimeType = "application/x-korrin-tree-folder";

QMimeData* TreeFolderData(const QString& path);
// The dragged folder's path; empty when the data comes from elsewhere.
QString TreeFolderOf(const QMimeData* data);

// The drag icons: the drop would be taken, or refused.
QPixmap DropYesIcon();
QPixmap DropNoIcon();

}  // namespace korrin
