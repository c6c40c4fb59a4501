#pragma once

#include <QPixmap>
#include <QString>

class QDropEvent;
class QMimeData;

namespace korrin {

// A folder dragged from the main window's folder tree travels as its path
// under a type of the program's own, so a drop can tell it from files
// dragged in from the file manager.
inline constexpr const char* kTreeFolderMimeType = "application/x-korrin-tree-folder";

QMimeData* TreeFolderData(const QString& path);
// The dragged folder's path; empty when the data comes from elsewhere.
QString TreeFolderOf(const QMimeData* data);

// Answers a drag or drop a control takes as a copy (the drag shows the
// drop-allowed icon); one it does not take is refused. Returns taken.
bool AnswerDrop(QDropEvent& event, bool taken);

// The drag icons: the drop would be taken, or refused.
QPixmap DropYesIcon();
QPixmap DropNoIcon();

}  // namespace korrin
