#include <clocale>

#include "support/DecimalCommaLocale.h"

namespace korrin::testing {
namespace {

// The C runtime's names for German as Windows users have it: the long form
// older runtimes know and the locale name newer ones prefer.
constexpr const char* kLocaleNames[] = {"German_Germany.1252", "de-DE"};

}  // namespace

DecimalCommaLocale::DecimalCommaLocale() {
  if (const char* current = std::setlocale(LC_NUMERIC, nullptr)) previous_ = current;
  for (const char* name : kLocaleNames) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      active_ = true;
      return;
    }
  }
  reason_ = "the C runtime knows no German locale by the names German_Germany.1252 or de-DE";
}

DecimalCommaLocale::~DecimalCommaLocale() {
  std::setlocale(LC_NUMERIC, previous_.empty() ? "C" : previous_.c_str());
}

}  // namespace korrin::testing
