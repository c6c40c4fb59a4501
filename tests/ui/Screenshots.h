#pragma once

#include <QDir>
#include <QWidget>
#include <string>

namespace korrin::testing {

// Saves what the window shows, for a person to look at, in the folder the
// build gives the UI tests; true when the picture was written.
inline bool SaveScreenshot(QWidget& window, const std::string& name) {
  const QString folder = QString::fromUtf8(KORRIN_UI_SCREENSHOTS);
  if (!QDir().mkpath(folder)) return false;
  return window.grab().save(folder + "/" + QString::fromStdString(name) + ".png");
}

}  // namespace korrin::testing
