#pragma once

#include <string>

namespace korrin::testing {

// Puts the C library's numeric locale on German, whose decimal separator is
// ",", for the lifetime of the object, as a user's environment does at
// start-up. A system without that locale gets it generated once per test
// program with localedef into a private folder. When neither works, active()
// is false and reason() says why, for the test to skip with.
class DecimalCommaLocale {
 public:
  DecimalCommaLocale();
  DecimalCommaLocale(const DecimalCommaLocale&) = delete;
  DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;
  ~DecimalCommaLocale();

  bool active() const { return active_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string previous_;
  bool active_ = false;
  std::string reason_;
};

}  // namespace korrin::testing
