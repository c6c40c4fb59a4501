#include "StandinConnector.h"

#include <pwd.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <cstdlib>

#include "AcadInstallation.h"
#include "HostSessionFile.h"
#include "StandinApprentice.h"
#include "StandinFailures.h"
#include "host/FileExists.h"
#include "host/HostInstallation.h"

namespace korrin::standin {
namespace {

constexpr long kNoRunningObject = -2147221021;
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

// Where the host keeps its healing switch moved between releases: release
// 5.3 kept the IGES switch with the STEP translator and the STEP switch
// among the file preferences; later ones share the IGES translator's.
void StandinConnector::ReadImportRepair(const std::string& tag, StandinSettings& settings) {
  const auto flag = [this, &tag](const char* key, const char* name) {
    RegistryValue value;
    if (!registry_.ReadRegistryValue(RegistryRoot::CurrentUser, HostUserKey(tag, key), name, value)) return false;
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
  ReadImportRepair(tag, settings);
  RegistryValue acis;
  if (registry_.ReadRegistryValue(RegistryRoot::CurrentUser, HostUserKey(tag, kSatKey), "SaveACISVersion", acis)) {
    if (auto number = NumberOf(acis)) settings.acisVersion = std::to_string(*number);
  }
  settings.userName = AccountName();
  if (now_) settings.now = now_;
  settings.geometry = geometry_;
  return settings;
}

std::string StandinConnector::SessionFile() {
  const std::string folder = HostInstallFolder(registry_);
  return folder.empty() ? std::string() : folder + kHostSessionFileName;
}

std::shared_ptr<FirstOpenRecord> StandinConnector::firstOpens() {
  if (const std::string folder = HostInstallFolder(registry_); !folder.empty()) {
    firstOpens_->KeepIn(folder + kFirstOpenRecordFileName);
  }
  return firstOpens_;
}

bool StandinConnector::HostProcessRuns() {
  const std::string session = SessionFile();
  if (running_ && running_->quit()) {
    // The instance quit: its process is gone with it.
    running_.reset();
    std::error_code ignored;
    if (!session.empty()) std::filesystem::remove(session, ignored);
    return false;
  }
  if (session.empty()) return running_ != nullptr;
  return FileExists(session);
}

bool StandinConnector::EndHostProcess() {
  const bool ran = HostProcessRuns();
  if (running_) running_->Terminate();
  running_.reset();
  if (const std::string session = SessionFile(); !session.empty()) {
    std::error_code ignored;
    std::filesystem::remove(session, ignored);
  }
  return ran;
}

Result<std::shared_ptr<host::Application>> StandinConnector::GetRunning() {
  if (!HostProcessRuns()) {
    if (running_) running_->Terminate();
    running_.reset();
    return Failure{kNoRunningObject, "Operation unavailable"};
  }
  if (!running_) {
    // A host another program started: it keeps what it read at its start.
    auto base = SettingsFromRegistry();
    if (!base) return Failure{kNoRunningObject, "Operation unavailable"};
    auto started = ReadHostSession(SessionFile(), std::move(base).value());
    if (!started) return Failure{kNoRunningObject, "Operation unavailable"};
    running_ = std::make_shared<StandinApplication>(std::move(*started), firstOpens());
  }
  return std::shared_ptr<host::Application>(running_);
}

Result<std::shared_ptr<host::Application>> StandinConnector::Create() {
  auto settings = SettingsFromRegistry();
  if (!settings) return settings.failure();
  if (const std::string session = SessionFile(); !session.empty()) {
    if (Status written = WriteHostSession(session, settings.value()); !written) return written.failure();
  }
  running_ = std::make_shared<StandinApplication>(std::move(settings).value(), firstOpens());
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
      std::make_unique<StandinApprentice>(ReleaseOfTag(tag), std::move(activeProject), documentReads_));
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
