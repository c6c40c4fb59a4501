#include "StandinInstallation.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "documents/FirstOpenRecord.h"
#include "documents/SheetSizes.h"
#include "host/AcadInstallation.h"
#include "documents/StandinDocumentWriter.h"
#include "host/HostInstallation.h"
#include "settings/PathText.h"
#include "settings/TextFile.h"

namespace korrin::standin {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;


// A value the installation writes unless the user's registry holds it.
struct Preference {
  const char* key;  // below the per-user host key
  const char* name;
  RegistryWriteValue value;
};

std::vector<Preference> Preferences(const InstallPlaces& places) {
  const std::string settings = WithTrailingBackslash(places.translatorSettingsFolder);
  return {
      {"\\System\\Preferences\\External References", "Path File", JoinPath(places.projectFolder, "default.ipj")},
      {"\\System\\Preferences\\STL Output", "High Resolution", "20000"s},
      {"\\System\\Preferences\\STL Output", "Medium Resolution", "6300"s},
      {"\\System\\Preferences\\STL Output", "Low Resolution", "2000"s},
      {"\\System\\Preferences\\Part", "AutoStitchAndPromote", std::int32_t{1}},
      {"\\System\\Preferences\\File", "DoHealing", std::int32_t{1}},
      {"\\Translators\\IgesTranslator", "EnableHealing", std::int32_t{1}},
      {"\\Translators\\StepTranslator", "EnableHealing", std::int32_t{1}},
      {"\\Translators\\SatTranslator", "SaveACISVersion", std::int32_t{7}},
      {"\\Translators\\PtpTranslator", "SaveProperties", std::int32_t{1}},
      {"\\Translators\\AmpTranslator", "SaveDesignViews", std::int32_t{1}},
      {"\\Translators\\AmpTranslator", "SaveProperties", std::int32_t{1}},
      {"\\Translators\\DwpTranslator", "SaveAllSheets", std::int32_t{1}},
      {"\\Translators\\DwpTranslator", "SaveProperties", std::int32_t{1}},
      {"\\Translators\\DWG\\Last INI File", "Last Export DWG INI file", settings + "dwgout.ini"},
      {"\\Translators\\DWG\\Last INI File", "Last Export DXF INI file", settings + "dxfout.ini"},
      {"\\Translators\\DWG\\Last INI File", "Last Import MDT INI file", settings + "dwgin.ini"},
      {"\\Translators\\DWG\\Last INI File", "Last Import AutoCAD INI file", settings + "dwgin.ini"},
      {"\\Translators\\DWG\\Last INI File", "Last Import AcadM INI file", settings + "dwgin.ini"},
      {"\\Translators\\DWG\\Last INI File", "Last Import DXF INI file", settings + "dxfin.ini"},
  };
}

class Installer {
 public:
  Installer(Registry& registry, const InstallPlaces& places, std::string tag, StandinRelease release,
            AutocadChoice autocad)
      : registry_(registry), places_(places), tag_(std::move(tag)), release_(release), autocad_(autocad) {}

  Result<std::vector<std::string>> Run() {
    report_.push_back("Installing the stand-in host as release " + std::to_string(release_.majorNumber) + "." +
                      std::to_string(release_.minorNumber) + " (" + tag_ + ")");
    if (Status folders = MakeFolders(); !folders) return folders.failure();
    if (Status machine = WriteMachineKeys(); !machine) return machine.failure();
    if (Status user = WriteUserPreferences(); !user) return user.failure();
    if (Status autocad = WriteAutocad(); !autocad) return autocad.failure();
    if (Status files = WriteFiles(); !files) return files.failure();
    report_.push_back("Registry: " + std::to_string(written_) + " values written, " + std::to_string(kept_) +
                      " kept as they were");
    return report_;
  }

 private:
  Status MakeFolders() {
    for (const std::string* folder : {&places_.programFolder, &places_.projectFolder, &places_.templateFolder,
                                      &places_.translatorSettingsFolder}) {
      std::error_code error;
      fs::create_directories(*folder, error);
      if (error) return Failure{error.value(), "Cannot create " + *folder + ": " + error.message()};
    }
    report_.push_back("Program folder: " + places_.programFolder);
    report_.push_back("Projects: " + places_.projectFolder);
    report_.push_back("Templates: " + places_.templateFolder);
    report_.push_back("Translator settings: " + places_.translatorSettingsFolder);
    return {};
  }

  Status EnsureKey(RegistryRoot root, const std::string& key) {
    (void)registry_.CreateRegistryKey(root, key, "");
    if (!registry_.KeyExists(root, key)) return Failure{5, "Cannot create the registry key " + key + "."};
    return {};
  }

  Status Write(RegistryRoot root, const std::string& key, const std::string& name, const RegistryWriteValue& value) {
    if (Status made = EnsureKey(root, key); !made) return made;
    if (!registry_.WriteRegistryValue(root, key, name, value)) {
      return Failure{5, "Cannot write the registry value " + name + " of " + key + "."};
    }
    ++written_;
    return {};
  }

  Status WriteUnlessPresent(RegistryRoot root, const std::string& key, const std::string& name,
                            const RegistryWriteValue& value) {
    RegistryValue present;
    if (registry_.ReadRegistryValue(root, key, name, present)) {
      ++kept_;
      return {};
    }
    return Write(root, key, name, value);
  }

  Status WriteMachineKeys() {
    if (Status tag = Write(RegistryRoot::LocalMachine, kHostVersionKey, "RegistryVersion", tag_); !tag) return tag;
    return Write(RegistryRoot::LocalMachine, kHostAppPathsKey, kHostAppPathValueName, places_.programFolder);
  }

  // The release key first: an AutoCAD counts as installed once its
  // current release is named, and that must name a key that is there.
  Status WriteAutocad() {
    if (autocad_ == AutocadChoice::LeaveOut) {
      report_.push_back("AutoCAD: left out");
      return {};
    }
    const std::string releaseKey = std::string(kAcadKey) + "\\" + kStandinAcadRelease;
    if (Status product = WriteUnlessPresent(RegistryRoot::LocalMachine, releaseKey, kAcadProductNameValueName,
                                            std::string(kStandinAcadProductName));
        !product) {
      return product;
    }
    // Where this installation put the program, as the host's own path is.
    if (Status location = Write(RegistryRoot::LocalMachine, releaseKey, kAcadLocationValueName, places_.acadFolder);
        !location) {
      return location;
    }
    if (Status release = WriteUnlessPresent(RegistryRoot::LocalMachine, kAcadKey, kAcadCurrentReleaseValueName,
                                            std::string(kStandinAcadRelease));
        !release) {
      return release;
    }
    report_.push_back("AutoCAD: " + releaseKey);
    return {};
  }

  Status WriteUserPreferences() {
    const std::string program = WithTrailingBackslash(places_.programFolder);
    const std::string files = HostUserKey(tag_, kFilePreferencesKey);
    for (const auto& [suffix, folder] : {std::pair{":ProjectDir", &places_.projectFolder},
                                         std::pair{":TemplateDir", &places_.templateFolder}}) {
      if (Status written = WriteUnlessPresent(RegistryRoot::CurrentUser, files, program + "Inventor.exe" + suffix,
                                              *folder);
          !written) {
        return written;
      }
    }
    for (const Preference& preference : Preferences(places_)) {
      if (Status written = WriteUnlessPresent(RegistryRoot::CurrentUser, HostUserKey(tag_, preference.key),
                                              preference.name, preference.value);
          !written) {
        return written;
      }
    }
    return {};
  }

  Status WriteFileUnlessPresent(const std::string& path, const std::vector<std::string>& lines) {
    std::error_code error;
    if (fs::exists(path, error)) return {};
    return WriteTextFile(path, lines);
  }

  Status WriteDocumentUnlessPresent(const std::string& path, const StandinDocument& document) {
    std::error_code error;
    if (fs::exists(path, error)) return {};
    return WriteStandinDocument(path, document);
  }

  Status WriteFiles() {
    const std::string workspace = JoinPath(places_.projectFolder, "Workspace");
    std::error_code error;
    fs::create_directories(workspace, error);
    const std::vector<std::pair<std::string, std::vector<std::string>>> textFiles = {
        {JoinPath(places_.projectFolder, "default.ipj"),
         {"[Project]", "NAME=Default", "WORKSPACE=" + workspace}},
        {JoinPath(places_.projectFolder, "Samples.ipj"),
         {"[Project]", "NAME=Samples", "WORKSPACE=" + JoinPath(places_.projectFolder, "Samples")}},
        {JoinPath(places_.translatorSettingsFolder, "dwgout.ini"), ExportSettings("AutoCAD 2004")},
        {JoinPath(places_.translatorSettingsFolder, "dxfout.ini"), ExportSettings("AutoCAD 2000")},
        {JoinPath(places_.translatorSettingsFolder, "dwgin.ini"), ImportSettings()},
        {JoinPath(places_.translatorSettingsFolder, "dxfin.ini"), ImportSettings()},
    };
    for (const auto& [path, lines] : textFiles) {
      if (Status written = WriteFileUnlessPresent(path, lines); !written) return written;
    }
    // Every document's first open fails again after an installation.
    if (Status record = StartFirstOpenRecord(JoinPath(places_.programFolder, kFirstOpenRecordFileName)); !record) {
      return record;
    }
    for (const auto& [name, document] : Templates()) {
      if (Status written = WriteDocumentUnlessPresent(JoinPath(places_.templateFolder, name), document); !written) {
        return written;
      }
    }
    return {};
  }

  std::vector<std::string> ExportSettings(const std::string& acadVersion) const {
    return {"[EXPORT SELECT OPTIONS]",
            "AUTOCAD VERSION=" + acadVersion,
            "AUTOCAD TEMPLATE=",
            "DESTINATION DIRECTORY=",
            "CREATE AUTOCAD MECHANICAL=No",
            "USE TRANSMITTAL=No"};
  }

  std::vector<std::string> ImportSettings() const {
    return {"[IMPORT FILE TYPE]",
            "DESTINATION 2D DATA=New Drawing",
            "DESTINATION DIRECTORY=" + JoinPath(places_.projectFolder, "Workspace"),
            "PART TEMPLATE=Standard.ipt",
            "ASSEMBLY TEMPLATE=Standard.iam",
            "DRAWING TEMPLATE=Standard.idw",
            "FILE UNITS=Millimeters",
            "TRANSLATION TYPE=Translate Body Only",
            "UNSUPPORTED PART FEATURES=Translate Body Only",
            "AUTOCAD TEMPLATE=",
            "IMPORT HIDDEN LAYERS=No"};
  }

  std::vector<std::pair<std::string, StandinDocument>> Templates() const {
    StandinDocument part;
    part.type = DocumentType::Part;
    part.release = release_;
    part.environment = "Part";
    StandinDocument assembly = part;
    assembly.type = DocumentType::Assembly;
    assembly.environment = "Assembly";
    StandinDocument drawing = part;
    drawing.type = DocumentType::Drawing;
    drawing.environment = "Drawing";
    const SheetSize& a3 = SheetSizeNamed("A3");
    StandinSheet sheet;
    sheet.name = std::string(a3.name);
    sheet.widthCentimetres = a3.widthCentimetres;
    sheet.heightCentimetres = a3.heightCentimetres;
    sheet.sizeCode = a3.sizeCode;
    drawing.sheets = {sheet};
    return {{"Standard.ipt", part}, {"Standard.iam", assembly}, {"Standard.idw", drawing}};
  }

  Registry& registry_;
  const InstallPlaces& places_;
  std::string tag_;
  StandinRelease release_;
  AutocadChoice autocad_;
  std::vector<std::string> report_;
  int written_ = 0;
  int kept_ = 0;
};

}  // namespace

InstallPlaces PlacesUnder(const std::string& root) {
  return {JoinPath(JoinPath(root, "Inventor"), "Bin"), JoinPath(root, "Projects"), JoinPath(root, "Templates"),
          JoinPath(root, "Translator Settings"), JoinPath(root, "AutoCAD")};
}

Result<std::vector<std::string>> InstallStandin(Registry& registry, const InstallPlaces& places,
                                                const std::string& version, AutocadChoice autocad) {
  if (std::find(kInstallableVersions.begin(), kInstallableVersions.end(), version) == kInstallableVersions.end()) {
    return Failure{EINVAL, "The stand-in host cannot be installed as version \"" + version +
                               "\": choose 5.2, 5.3, 6.0 or 7.0."};
  }
  // Keys of 5.2 belong to release 5.3.
  const StandinRelease release = version == "7.0"   ? StandinRelease{7, 0}
                                 : version == "6.0" ? StandinRelease{6, 0}
                                                    : StandinRelease{5, 3};
  return Installer(registry, places, "RegistryVersion" + version, release, autocad).Run();
}

}  // namespace korrin::standin
