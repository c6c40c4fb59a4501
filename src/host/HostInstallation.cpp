#include "host/HostInstallation.h"

#include <charconv>
#include <climits>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "host/ShellLink.h"
#include "settings/PathConversion.h"
#include "settings/TextCase.h"
#include "settings/TextTokens.h"

namespace korrin {
namespace {

constexpr int kOldestMajor = 5;
constexpr int kOldestMinor = 3;
constexpr unsigned char kFirstCodeAfterDigits = 58;  // ':' follows '9'

// The text from its first character below code 58, so "RegistryVersion5"
// gives "5".
std::string WithoutLeadingLetters(const std::string& text) {
  std::size_t first = 0;
  while (first < text.size() && static_cast<unsigned char>(text[first]) >= kFirstCodeAfterDigits) ++first;
  return text.substr(first);
}

// The leading digits as a number; nothing when the text does not start
// with a digit. A number too large for an int counts as the largest one.
std::optional<int> LeadingNumber(const std::string& text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (end == text.data()) return std::nullopt;
  if (error == std::errc::result_out_of_range) return INT_MAX;
  if (error != std::errc()) return std::nullopt;
  return number;
}

std::string TooOldMessage(const std::string& versionNumber) {
  return "Sorry, the program uses Inventor API routines that's only implemented from version 5.3\r"
         "The actual version in the registrydatabase is Inventor " +
         versionNumber + "\rStart Inventor in a later version and try again...";
}

std::optional<std::string> ReadText(Registry& registry, RegistryRoot root, const std::string& key,
                                    const std::string& name) {
  RegistryValue value;
  if (!registry.ReadRegistryValue(root, key, name, value)) return std::nullopt;
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  return std::nullopt;
}

std::string FolderValue(Registry& registry, const std::string& registryVersionTag, const char* suffix,
                        char separator) {
  const std::string name = HostInstallFolder(registry, separator) + "Inventor.exe:" + suffix;
  return ReadText(registry, RegistryRoot::CurrentUser, HostUserKey(registryVersionTag, kFilePreferencesKey), name)
      .value_or("");
}

}  // namespace

HostVersion DetectHostVersion(Registry& registry, Dialogs& dialogs) {
  HostVersion found;
  std::vector<std::string> names;
  if (!registry.EnumRegistryValues(RegistryRoot::LocalMachine, kHostVersionKey, names)) return found;
  for (const std::string& name : names) {
    if (ToUpperAscii(name) != kHostVersionValueName) continue;
    const auto tag = ReadText(registry, RegistryRoot::LocalMachine, kHostVersionKey, name);
    if (!tag) continue;
    std::string rest = *tag;
    std::string major = WithoutLeadingLetters(NextToken(rest, '.'));
    std::string minor = WithoutLeadingLetters(rest);
    const auto majorNumber = LeadingNumber(major);
    // A tag without a version number names no host the program can check;
    // it is treated as no tag at all, and the host's keys are not found.
    if (!majorNumber) continue;
    auto minorNumber = LeadingNumber(minor);
    if (!minorNumber) {
      minor = "0";
      minorNumber = 0;
    }
    // 5.2 registry keys belong to release 5.3.
    if (major == "5" && minor == "2") {
      minor = "3";
      minorNumber = 3;
    }
    found.registryVersionTag = *tag;
    found.hostVersionNumber = major + "." + minor;
    if (std::pair(*majorNumber, *minorNumber) < std::pair(kOldestMajor, kOldestMinor)) {
      dialogs.ShowMessage(TooOldMessage(found.hostVersionNumber));
      found.endProgram = true;
    }
    return found;
  }
  return found;
}

int CompareHostVersions(const std::string& a, const std::string& b) {
  const auto parts = [](const std::string& version) {
    std::string rest = version;
    const int major = LeadingNumber(NextToken(rest, '.')).value_or(0);
    return std::pair(major, LeadingNumber(rest).value_or(0));
  };
  const auto left = parts(a);
  const auto right = parts(b);
  return left < right ? -1 : left > right ? 1 : 0;
}

std::string HostUserKey(const std::string& registryVersionTag, const std::string& subKey) {
  return kHostKeyPrefix + registryVersionTag + subKey;
}

std::string HostInstallFolder(Registry& registry, char separator) {
  const auto folder = ReadText(registry, RegistryRoot::LocalMachine, kHostAppPathsKey, kHostAppPathValueName);
  return folder ? WithTrailingBackslash(*folder, separator) : "";
}

std::string HostProjectFolder(Registry& registry, const std::string& registryVersionTag, char separator) {
  return FolderValue(registry, registryVersionTag, "ProjectDir", separator);
}

std::string HostTemplateFolder(Registry& registry, const std::string& registryVersionTag, char separator) {
  return FolderValue(registry, registryVersionTag, "TemplateDir", separator);
}

bool SetHostProject(Registry& registry, const std::string& registryVersionTag, std::string& projectPath) {
  projectPath = ResolveShortcut(projectPath);
  return registry.WriteRegistryValue(RegistryRoot::CurrentUser,
                                     HostUserKey(registryVersionTag, kExternalReferencesKey),
                                     kActiveProjectValueName, projectPath);
}

std::string ResolveShortcut(const std::string& path) {
  if (!EndsWithIgnoringCase(path, "LNK")) return path;
  std::ifstream file(PathFromText(path), std::ios::binary);
  if (!file) return path;
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return ShellLinkLocalTarget(bytes).value_or(path);
}

}  // namespace korrin
