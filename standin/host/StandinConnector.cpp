#include "StandinConnector.h"

#include <pwd.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>

#include "AcadInstallation.h"
#include "StandinApprentice.h"
#include "StandinFailures.h"
#include "host/HostInstallation.h"

namespace korrin::standin {
namespace {

constexpr long kNoRunningObject = -2147221021;
constexpr long kNotInstalled = -2147221005;
constexpr const char* kStlKey = "\\System\\Preferences\\STL Output";
constexpr const char* kSatKey = "\\Translators\\SatTranslator";
constexpr const char* kResolutionNames[3] = {"High Resolution", "Medium Resolution", "Low Resolution"};

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

// The release a version tag names ("RegistryVersion7.0" is 7.0); keys of
// 5.2 belong to release 5.3.
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

}  // namespace

StandinConnector::StandinConnector(Registry& registry, GeometryExchange* geometry, Clock now)
    : registry_(registry), geometry_(geometry), now_(std::move(now)) {}

Result<std::string> StandinConnector::VersionTag() {
  RegistryValue tagValue;
  if (!registry_.ReadRegistryValue(RegistryRoot::LocalMachine, kHostVersionKey, "RegistryVersion", tagValue) ||
      !std::holds_alternative<std::string>(tagValue)) {
    return Failure{kNotInstalled, "The stand-in host is not installed (no version in the registry)."};
  }
  return std::get<std::string>(tagValue);
}

Result<StandinSettings> StandinConnector::SettingsFromRegistry() {
  auto found = VersionTag();
  if (!found) return found.failure();
  const std::string tag = found.value();
  StandinSettings settings;
  settings.release = ReleaseOfTag(tag);
  for (int level = 0; level < 3; ++level) {
    RegistryValue value;
    if (registry_.ReadRegistryValue(RegistryRoot::CurrentUser, HostUserKey(tag, kStlKey), kResolutionNames[level],
                                    value)) {
      if (auto number = NumberOf(value); number && *number > 0) settings.stlResolutions[level] = *number;
    }
  }
  RegistryValue acis;
  if (registry_.ReadRegistryValue(RegistryRoot::CurrentUser, HostUserKey(tag, kSatKey), "SaveACISVersion", acis)) {
    if (auto number = NumberOf(acis)) settings.acisVersion = std::to_string(*number);
  }
  settings.userName = AccountName();
  if (now_) settings.now = now_;
  settings.geometry = geometry_;
  return settings;
}

Result<std::shared_ptr<host::Application>> StandinConnector::GetRunning() {
  if (!running_ || running_->quit()) return Failure{kNoRunningObject, "Operation unavailable"};
  return std::shared_ptr<host::Application>(running_);
}

Result<std::shared_ptr<host::Application>> StandinConnector::Create() {
  auto settings = SettingsFromRegistry();
  if (!settings) return settings.failure();
  running_ = std::make_shared<StandinApplication>(std::move(settings).value(), history_);
  return std::shared_ptr<host::Application>(running_);
}

// The reader needs only the release; it reads the active project when asked.
Result<std::unique_ptr<host::Apprentice>> StandinConnector::NewApprentice() {
  auto found = VersionTag();
  if (!found) return found.failure();
  const std::string tag = found.value();
  auto activeProject = [this, tag]() -> Result<std::string> {
    RegistryValue project;
    if (!registry_.ReadRegistryValue(RegistryRoot::CurrentUser, HostUserKey(tag, kExternalReferencesKey),
                                     kActiveProjectValueName, project) ||
        !std::holds_alternative<std::string>(project)) {
      return Unspecified("No active project is set.");
    }
    return std::get<std::string>(project);
  };
  return std::unique_ptr<host::Apprentice>(
      std::make_unique<StandinApprentice>(ReleaseOfTag(tag), std::move(activeProject)));
}

Result<std::shared_ptr<host::Acad>> StandinConnector::GetRunningAcad() {
  if (!acad_ || acad_->exited()) return Failure{kNoRunningObject, "Operation unavailable"};
  return std::shared_ptr<host::Acad>(acad_);
}

Result<std::shared_ptr<host::Acad>> StandinConnector::CreateAcad() {
  if (!AcadInstalled(registry_)) return Failure{kNotInstalled, "Invalid class string"};
  acad_ = std::make_shared<StandinAcad>();
  return std::shared_ptr<host::Acad>(acad_);
}

}  // namespace korrin::standin
