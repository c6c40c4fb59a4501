#include "support/DecimalCommaLocale.h"

#include <clocale>
#include <filesystem>

#include "support/RunProgram.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryFolder.h"

namespace korrin::testing {
namespace {

constexpr const char* kLocaleName = "de_DE.UTF-8";
constexpr const char* kLocaleDefinitionTool = "/usr/bin/localedef";

struct GeneratedLocale {
  GeneratedLocale() {
    if (!std::filesystem::exists(kLocaleDefinitionTool)) {
      failure = std::string(kLocaleDefinitionTool) + " is missing";
      return;
    }
    const ProgramRun run =
        RunProgram(kLocaleDefinitionTool, {"-i", "de_DE", "-f", "UTF-8", (folder / kLocaleName).string()});
    if (!std::filesystem::exists(folder / kLocaleName / "LC_NUMERIC")) {
      failure = "localedef could not generate it (exit " + std::to_string(run.exitCode) + "): " + run.err;
    }
  }
  TemporaryFolder folder;
  std::string failure;  // empty when the locale was written
};

// Generated at most once per test program; the folder goes with the program.
const GeneratedLocale& Generated() {
  static const GeneratedLocale generated;
  return generated;
}

}  // namespace

DecimalCommaLocale::DecimalCommaLocale() {
  if (const char* current = std::setlocale(LC_NUMERIC, nullptr)) previous_ = current;
  if (std::setlocale(LC_NUMERIC, kLocaleName) != nullptr) {
    active_ = true;
    return;
  }
  const GeneratedLocale& generated = Generated();
  if (generated.failure.empty()) {
    // The C library looks for locales in LOCPATH only while loading one.
    const ScopedEnvironment path("LOCPATH", generated.folder.string());
    active_ = std::setlocale(LC_NUMERIC, kLocaleName) != nullptr;
  }
  if (!active_) {
    reason_ = std::string("no ") + kLocaleName + " locale on this system, and " +
              (generated.failure.empty() ? "the generated one did not load" : generated.failure);
  }
}

DecimalCommaLocale::~DecimalCommaLocale() {
  std::setlocale(LC_NUMERIC, previous_.empty() ? "C" : previous_.c_str());
}

}  // namespace korrin::testing
