#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>

#include "support/TemporaryFolder.h"

// The windows are tested offscreen, with a runtime folder of the tests' own.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const korrin::testing::TemporaryFolder runtime;
  if (::getenv("XDG_RUNTIME_DIR") == nullptr) ::setenv("XDG_RUNTIME_DIR", runtime.string().c_str(), 1);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
