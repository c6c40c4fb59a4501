#pragma once

#include <QLabel>
#include <QMouseEvent>
#include <functional>

namespace korrin {

// A status bar panel that acts as a command when clicked: the windows keep
// their commands in the status bar, each panel showing its caption and
// carrying it as its tooltip.
class CommandPanel final : public QLabel {
 public:
  CommandPanel(const QString& caption, std::function<void()> command, QWidget* parent)
      : QLabel(caption, parent), command_(std::move(command)) {
    setToolTip(caption);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setMargin(2);
    if (command_) setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    // Released outside the panel: the user changed their mind.
    if (command_ && rect().contains(event->position().toPoint())) command_();
  }

 private:
  std::function<void()> command_;
};

}  // namespace korrin
