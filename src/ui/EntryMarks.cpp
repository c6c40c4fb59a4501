#include "ui/EntryMarks.h"

#include <QApplication>
#include <QStyle>

namespace korrin {

EntryMark MarkOf(EntryOutcome outcome) {
  if (outcome == EntryOutcome::Converted) return EntryMark::Converted;
  if (outcome == EntryOutcome::Failed) return EntryMark::Failed;
  if (outcome == EntryOutcome::NotReached) return EntryMark::NotReached;
  return EntryMark::Skipped;
}

QString MarkWord(EntryMark mark) {
  switch (mark) {
    case EntryMark::Converted:
      return "converted";
    case EntryMark::Skipped:
      return "skipped";
    case EntryMark::Failed:
      return "failed";
    case EntryMark::NotReached:
      break;
  }
  return "not reached";
}

QColor MarkColour(EntryMark mark) {
  switch (mark) {
    case EntryMark::Converted:
      return QColor(0x1b, 0x7a, 0x2e);
    case EntryMark::Skipped:
      return QColor(0x9a, 0x62, 0x00);
    case EntryMark::Failed:
      return QColor(0xc0, 0x1c, 0x1c);
    case EntryMark::NotReached:
      break;
  }
  return QColor(0x70, 0x70, 0x70);
}

QIcon MarkIcon(EntryMark mark) {
  QStyle* style = QApplication::style();
  switch (mark) {
    case EntryMark::Converted:
      return style->standardIcon(QStyle::SP_DialogApplyButton);
    case EntryMark::Skipped:
      return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case EntryMark::Failed:
      return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case EntryMark::NotReached:
      break;
  }
  return style->standardIcon(QStyle::SP_MediaPause);
}

}  // namespace korrin
