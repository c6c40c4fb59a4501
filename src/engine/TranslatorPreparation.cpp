#include "engine/TranslatorPreparation.h"

#include <array>
#include <optional>

#include "formats/ValueConversion.h"
#include "host/HostInstallation.h"
#include "host/ProcessOperations.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

constexpr std::string_view kHostProgram = "Inventor.exe";
constexpr const char* kStlKey = "\\System\\Preferences\\STL Output";
constexpr const char* kPartKey = "\\System\\Preferences\\Part";
constexpr const char* kStitchName = "AutoStitchAndPromote";
constexpr const char* kRestartText =
    "Inventor needs to be shut down and restarted to implement the new setting.\rAllright to shut down and "
    "restart inventor ?";
// A document that will not close would keep the import shut-down closing
// it for ever; after this many attempts the host is ended as it is.
constexpr int kMostCloseAttempts = 100;
// The STL shut-down asks the host to quit until no process is left; one
// that keeps coming back is ended after this many rounds.
constexpr int kMostQuitRounds = 100;

struct StlLevel {
  const char* optionKey;
  const char* valueName;
  const char* readFailure;
  const char* writeFailure;
};

constexpr std::array<StlLevel, 3> kStlLevels{{
    {"STLHigh", "High Resolution", "Couldn't read STL - High Resolution Value from Registry, export canceled",
     "Couldn't write STL High resolution Value information in registrationdatabase"},
    {"STLMedium", "Medium Resolution", "Couldn't read STL - Medium Resolution Value from Registry, export canceled",
     "Couldn't write STL Medium resolution Value information in registrationdatabase"},
    {"STLLow", "Low Resolution", "Couldn't read STL - Low Resolution Value from Registry, export canceled",
     "Couldn't write STL Low resolution Value information in registrationdatabase"},
}};

// Where a healing switch lives for one kind of import.
struct HealingValue {
  std::string key;
  std::string name;
};

std::string Option(const TranslatorPreparation& preparation, const std::string& key) {
  std::string value;
  preparation.options.GetExportOption(key, value);
  return value;
}

// A registry value as the user sees it in a message.
std::string ValueText(const RegistryValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  return "";
}

// How wide the numbers of a comparison are: the STL resolutions compare in
// 16 bits, the import switches in 32.
enum class Width { Bits16, Bits32 };

// A registry value as a number; a text is read as the option texts are.
std::optional<std::int32_t> AsInteger(const RegistryValue& value, Width width) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  if (const auto* text = std::get_if<std::string>(&value)) {
    if (width == Width::Bits32) return ToInt32(*text);
    if (auto converted = ToInt16(*text)) return *converted;
  }
  return std::nullopt;
}

bool HostRuns(const TranslatorPreparation& preparation) {
  return CountProcesses(preparation.processes, kHostProgram) > 0;
}

std::string Key(const TranslatorPreparation& preparation, const std::string& subKey) {
  return HostUserKey(preparation.registryVersionTag, subKey);
}

bool ReadValue(const TranslatorPreparation& preparation, const std::string& key, const std::string& name,
               RegistryValue& value) {
  return preparation.registry.ReadRegistryValue(RegistryRoot::CurrentUser, key, name, value);
}

bool WriteValue(const TranslatorPreparation& preparation, const std::string& key, const std::string& name,
                const RegistryWriteValue& value) {
  return preparation.registry.WriteRegistryValue(RegistryRoot::CurrentUser, key, name, value);
}

// Both import preparations: the same steps on their own healing value.
bool PrepareImport(const TranslatorPreparation& preparation, const HealingValue& healing) {
  Dialogs& dialogs = preparation.dialogs;
  const std::string healingKey = Key(preparation, healing.key);
  const std::string partKey = Key(preparation, kPartKey);
  if (!preparation.registry.KeyExists(RegistryRoot::CurrentUser, healingKey)) {
    dialogs.ShowMessage("Couldn't read translator import information in registrationdatabase ( Enable Healing ) ");
    return false;
  }
  if (!preparation.registry.KeyExists(RegistryRoot::CurrentUser, partKey)) {
    dialogs.ShowMessage(
        "Couldn't read translator import information in registrationdatabase ( Autostitch and Promote ) ");
    return false;
  }
  // The switches are 32-bit registry numbers and compared as such.
  const std::int32_t wantedHealing = ToInt32(Option(preparation, "IGSImportHealing")).value_or(0);
  const std::int32_t wantedStitch = ToInt32(Option(preparation, "IGSImportStitch")).value_or(0);
  // A value that cannot be read counts as 0, and is written below.
  RegistryValue healingValue;
  if (!ReadValue(preparation, healingKey, healing.name, healingValue)) {
    dialogs.ShowMessage("Couldn't read translator import information in registrationdatabase ( enablehealing )");
  }
  RegistryValue stitchValue;
  if (!ReadValue(preparation, partKey, kStitchName, stitchValue)) {
    dialogs.ShowMessage(
        "Couldn't read translator import information in registrationdatabase ( Autostitch and Promote ) ");
  }
  const bool differs = wantedHealing != AsInteger(healingValue, Width::Bits32).value_or(0) ||
                       wantedStitch != AsInteger(stitchValue, Width::Bits32).value_or(0);
  if (HostRuns(preparation) && differs) {
    if (!dialogs.AskYesNo(kRestartText)) return false;
    if (!ShutDownHostForSettings(preparation, ShutDownVariant::Import)) return false;
  }
  if (!WriteValue(preparation, healingKey, healing.name, wantedHealing)) {
    dialogs.ShowMessage("Couldn't write information in registrationdatabase ( Enable Healing )");
    return false;
  }
  if (!WriteValue(preparation, partKey, kStitchName, wantedStitch)) {
    dialogs.ShowMessage("Couldn't write information in registrationdatabase ( Autostitch and promote )");
    return false;
  }
  return true;
}

void QuitAndEnd(const TranslatorPreparation& preparation, std::shared_ptr<host::Application>& host) {
  (void)host->Quit();
  host.reset();
  KillHostProcesses(preparation.processes);
}

std::int32_t OpenDocuments(host::Application& host) {
  const auto count = host.DocumentCount();
  return count ? count.value() : 0;
}

}  // namespace

bool PrepareStlResolution(const TranslatorPreparation& preparation) {
  Dialogs& dialogs = preparation.dialogs;
  const std::string key = Key(preparation, kStlKey);
  if (!preparation.registry.KeyExists(RegistryRoot::CurrentUser, key)) {
    dialogs.ShowMessage(
        "Inventor isn't properly installed. No registration for STL-exporting present.\rCheck Your Inventor "
        "installation ( use repair ) and try again");
    return false;
  }
  const int level = ToInt16(Option(preparation, "STLValue")).value_or(0) - 1;
  if (level < 0 || level >= static_cast<int>(kStlLevels.size())) return true;
  const StlLevel& chosen = kStlLevels[static_cast<std::size_t>(level)];
  const std::string wanted = Option(preparation, chosen.optionKey);
  RegistryValue current;
  if (!ReadValue(preparation, key, chosen.valueName, current)) {
    dialogs.ShowMessage(chosen.readFailure);
    return false;
  }
  // Compared as the numbers they are: "050" in the registry is the option 50.
  const std::optional<std::int32_t> currentNumber = AsInteger(current, Width::Bits16);
  const std::optional<std::int16_t> wantedNumber = ToInt16(wanted);
  const bool differs = !currentNumber || !wantedNumber || *currentNumber != *wantedNumber;
  if (differs && HostRuns(preparation)) {
    if (!dialogs.AskYesNo("Registry value ( " + ValueText(current) + " ) is different from current setting ( " +
                          wanted + " )\r" + kRestartText)) {
      return false;
    }
    if (!ShutDownHostForSettings(preparation, ShutDownVariant::Stl)) return false;
  }
  if (!WriteValue(preparation, key, chosen.valueName, wanted)) {
    dialogs.ShowMessage(chosen.writeFailure);
    return false;
  }
  if (level == 2) {
    RegistryValue written;
    if (!ReadValue(preparation, key, chosen.valueName, written)) {
      dialogs.ShowMessage(chosen.readFailure);
      return false;
    }
    if (ValueText(written) != wanted) dialogs.ShowMessage("Could not change STL resolution");
  }
  return true;
}

bool PrepareIgesImport(const TranslatorPreparation& preparation) {
  const bool release52 = preparation.registryVersionTag == "RegistryVersion5.2";
  return PrepareImport(preparation,
                       {release52 ? "\\Translators\\StepTranslator" : "\\Translators\\IgesTranslator", "EnableHealing"});
}

bool PrepareStepImport(const TranslatorPreparation& preparation) {
  if (ToUpperAscii(preparation.registryVersionTag) == "REGISTRYVERSION5.2") {
    return PrepareImport(preparation, {kFilePreferencesKey, "DoHealing"});
  }
  return PrepareImport(preparation, {"\\Translators\\IgesTranslator", "EnableHealing"});
}

bool ShutDownHostForSettings(const TranslatorPreparation& preparation, ShutDownVariant variant) {
  Dialogs& dialogs = preparation.dialogs;
  auto running = preparation.connector.GetRunning();
  if (!running) {
    if (!dialogs.AskYesNo("Couldn't connect to Inventor to shut it down gracefully.\rShould Korrin force Inventor "
                          "to shut down ( Documents will be lost ) ?")) {
      return false;
    }
    KillHostProcesses(preparation.processes);
    return true;
  }
  std::shared_ptr<host::Application> host = std::move(running).value();
  if (OpenDocuments(*host) > 0) {
    if (!dialogs.AskYesNo("There are documents open in Inventor\rAllright to close ( no save ) these documents ?")) {
      return false;
    }
    if (variant == ShutDownVariant::Import) {
      for (int attempt = 0; attempt < kMostCloseAttempts && OpenDocuments(*host) > 0; ++attempt) {
        if (auto active = host->ActiveDocument()) (void)host->documents().Close(active.value(), true);
      }
    }
    QuitAndEnd(preparation, host);
    return true;
  }
  if (variant == ShutDownVariant::Import) {
    QuitAndEnd(preparation, host);
    return true;
  }
  for (int round = 0; CountProcesses(preparation.processes, kHostProgram) >= 1; ++round) {
    if (round == kMostQuitRounds) {
      KillHostProcesses(preparation.processes);
      break;
    }
    if (!host) {
      if (auto again = preparation.connector.GetRunning()) host = std::move(again).value();
    }
    const Status quit = host ? host->Quit() : Status(Failure{-1, "Inventor is not reachable"});
    host.reset();
    preparation.events.Pause();
    if (!quit) KillHostProcesses(preparation.processes);
  }
  return true;
}

}  // namespace korrin
