#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <clocale>
#include <filesystem>

#include "GermanLocale.h"
#include "support/RunProgram.h"
#include "support/TemporaryFolder.h"

// The windows under the locale of a German user, whose decimal separator is
// a comma and whose group separator is a point. The locale comes from the
// environment, as a user's does, before the toolkit starts; a system without
// it gets one made by localedef in a folder of the tests' own.
namespace korrin::testing {
namespace {

constexpr const char* kLocale = "de_DE.UTF-8";
constexpr const char* kLocaledef = "/usr/bin/localedef";

std::string& Unavailable() {
  static std::string reason;
  return reason;
}

bool LocaleInstalled() { return std::setlocale(LC_ALL, "") != nullptr; }

std::string PrepareGermanLocale(const TemporaryFolder& locales) {
  ::setenv("LC_ALL", kLocale, 1);
  if (LocaleInstalled()) return "";
  if (!std::filesystem::exists(kLocaledef)) {
    return std::string(kLocale) + " is not installed and there is no " + kLocaledef + " to make it";
  }
  const ProgramRun made = RunProgram(kLocaledef, {"-i", "de_DE", "-f", "UTF-8", (locales / kLocale).string()});
  ::setenv("LOCPATH", locales.string().c_str(), 1);
  if (LocaleInstalled()) return "";
  return std::string(kLocale) + " is not installed and localedef could not make it (exit " +
         std::to_string(made.exitCode) + "): " + made.err;
}

}  // namespace

const std::string& GermanLocaleUnavailable() { return Unavailable(); }

}  // namespace korrin::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const korrin::testing::TemporaryFolder runtime;
  if (::getenv("XDG_RUNTIME_DIR") == nullptr) ::setenv("XDG_RUNTIME_DIR", runtime.string().c_str(), 1);
  const korrin::testing::TemporaryFolder locales;
  // Listing the tests (as the build's test discovery does) needs no locale.
  if (!GTEST_FLAG_GET(list_tests)) korrin::testing::Unavailable() = korrin::testing::PrepareGermanLocale(locales);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
