#include <gtest/gtest.h>
#include <stdlib.h>

#include <QGuiApplication>

#include "support/TemporaryFolder.h"

// Qt's print support belongs to a GUI application; tests have no display,
// and get a runtime folder of their own rather than a shared one in /tmp.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const korrin::testing::TemporaryFolder runtime;
  if (::getenv("XDG_RUNTIME_DIR") == nullptr) ::setenv("XDG_RUNTIME_DIR", runtime.string().c_str(), 1);
  const QGuiApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
