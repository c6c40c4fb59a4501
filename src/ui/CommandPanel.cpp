#include "ui/CommandPanel.h"

#include <QMouseEvent>

namespace korrin {

CommandPanel::CommandPanel(const QString& caption, std::function<void()> command, QWidget* parent)
    : QLabel(caption, parent), command_(std::move(command)) {
  setToolTip(caption);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setMargin(2);
  if (command_) setCursor(Qt::PointingHandCursor);
}

void CommandPanel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  // A release outside the panel is a press the user took back.
  if (command_ && rect().contains(event->position().toPoint())) command_();
}

}  // namespace korrin
