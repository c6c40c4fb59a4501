#include "HostStartSettings.h"

#include <pwd.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>

#include "host/HostInstallation.h"

namespace korrin::standin {
namespace {

constexpr long kNotInstalled = -2147221005;
constexpr const char* kStlKey = "\\System\\Preferences\\STL Output";
constexpr const char* kSatKey = "\\Translators\\SatTranslator";
constexpr const char* kResolutionNames[3] = {"High Resolution", "Medium Resolution", "Low Resolution"};
constexpr const char* kPartPreferencesKey = "\\System\\Preferences\\Part";
constexpr const char* kIgesTranslatorKey = "\\Translators\\IgesTranslator";
constexpr const char* kStepTranslatorKey = "\\Translators\\StepTranslator";

std::string AccountName() {
  if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_name != nullptr) return user->pw_name;
  const char* name = std::getenv("USER");
  return name != nullptr ? name : "";
}

std::optional<std::int32_t> NumberOf(const RegistryValue& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  if (const auto* text = std::get_if<std::string>(&value)) {
    std::int32_t parsed = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), parsed);
    if (error == std::errc() && end == text->data() + text->size()) return parsed;
  }
  return std::nullopt;
}

// Where the host keeps its healing switch moved between releases: release
// 5.3 kept the IGES switch with the STEP translator and the STEP switch
// among the file preferences; later ones share the IGES translator's.
void ReadImportRepair(Registry& registry, const std::string& tag, StandinSettings& settings) {
  const auto flag = [&registry, &tag](const char* key, const char* name) {
    RegistryValue value;
    if (!registry.ReadRegistryValue(RegistryRoot::CurrentUser, HostUserKey(tag, key), name, value)) return false;
    const auto number = NumberOf(value);
    return number && *number != 0;
  };
  const bool release53 = tag == "RegistryVersion5.2";
  settings.igesImport.healing = flag(release53 ? kStepTranslatorKey : kIgesTranslatorKey, "EnableHealing");
  settings.stepImport.healing =
      release53 ? flag(kFilePreferencesKey, "DoHealing") : flag(kIgesTranslatorKey, "EnableHealing");
  const bool stitching = flag(kPartPreferencesKey, "AutoStitchAndPromote");
  settings.igesImport.stitching = stitching;
  settings.stepImport.stitching = stitching;
}

}  // namespace

StandinRelease ReleaseOfTag(const std::string& tag) {
  StandinRelease release;
  const std::size_t digits = tag.find_first_of("0123456789");
  if (digits == std::string::npos) return release;
  const char* end = tag.data() + tag.size();
  const auto [dot, error] = std::from_chars(tag.data() + digits, end, release.majorNumber);
  if (error == std::errc() && dot != end && *dot == '.') std::from_chars(dot + 1, end, release.minorNumber);
  if (release.majorNumber == 5 && release.minorNumber == 2) release.minorNumber = 3;
  return release;
}

Result<std::string> HostVersionTag(Registry& registry) {
  RegistryValue tagValue;
  if (!registry.ReadRegistryValue(RegistryRoot::LocalMachine, kHostVersionKey, "RegistryVersion", tagValue) ||
      !std::holds_alternative<std::string>(tagValue)) {
    return Failure{kNotInstalled, "The stand-in host is not installed (no version in the registry)."};
  }
  return std::get<std::string>(tagValue);
}

Result<StandinSettings> HostStartSettings(Registry& registry) {
  auto found = HostVersionTag(registry);
  if (!found) return found.failure();
  const std::string tag = found.value();
  StandinSettings settings;
  settings.release = ReleaseOfTag(tag);
  for (int level = 0; level < 3; ++level) {
    RegistryValue value;
    if (registry.ReadRegistryValue(RegistryRoot::CurrentUser, HostUserKey(tag, kStlKey), kResolutionNames[level],
                                    value)) {
      if (auto number = NumberOf(value); number && *number > 0) settings.stlResolutions[level] = *number;
    }
  }
  ReadImportRepair(registry, tag, settings);
  RegistryValue acis;
  if (registry.ReadRegistryValue(RegistryRoot::CurrentUser, HostUserKey(tag, kSatKey), "SaveACISVersion", acis)) {
    if (auto number = NumberOf(acis)) settings.acisVersion = std::to_string(*number);
  }
  settings.userName = AccountName();
  return settings;
}

}  // namespace korrin::standin
