#pragma once

#include <QLabel>
#include <functional>

namespace korrin {

// A status bar panel that acts as a command when clicked; its caption is
// its tooltip. A panel without a command only shows its caption.
class CommandPanel final : public QLabel {
 public:
  CommandPanel(const QString& caption, std::function<void()> command, QWidget* parent);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void()> command_;
};

}  // namespace korrin
