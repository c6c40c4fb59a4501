#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace korrin::testing {

// Acts on the next modal window once it is open (exec() returns only when it
// closes). A window the action leaves open is rejected, so a failing test
// ends instead of waiting for a person.
inline void WhenModalOpens(std::function<void(QDialog&)> action) {
  QTimer::singleShot(0, [action = std::move(action)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    action(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
}

}  // namespace korrin::testing
