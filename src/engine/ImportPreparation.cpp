#include "engine/ImportPreparation.h"

#include "engine/TranslatorExport.h"
#include "filelist/ImportFilter.h"
#include "host/HostCodes.h"
#include "host/HostInstallation.h"
#include "settings/PathConversion.h"
#include "settings/PathText.h"
#include "settings/TextCase.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

constexpr const char* kLastIniKey = "\\Translators\\DWG\\Last INI File";
constexpr const char* kDwgTranslator = "Autodesk DWG Translator";

struct IniValue {
  const char* name;
  const char* failure;
};

// The three DWG flavours the host's translator reads, in the order written.
constexpr IniValue kDwgValues[] = {
    {"Last Import MDT INI file", "Couldn't write DWG ( MDT ) translator INI file information in registrationdatabase"},
    {"Last Import AutoCAD INI file",
     "Couldn't write DWG ( AutoCAD ) translator INI file information in registrationdatabase"},
    {"Last Import AcadM INI file",
     "Couldn't write DWG ( AutoCAD Mechanical ) translator INI file information in registrationdatabase"},
};
constexpr IniValue kDxfValue{"Last Import DXF INI file",
                             "Couldn't write DXF translator INI file information in registrationdatabase"};

// True when a line starts with the key, compared upper-cased over the key's
// length; the rest of the line is the value.
bool StartsWithKey(const std::string& line, std::string_view key) {
  return line.size() >= key.size() && ToUpperAscii(std::string_view(line).substr(0, key.size())) == key;
}

std::string ConfirmationText(const std::string& exportFolder, const std::string& destination) {
  return "Conversion will be as follows:\rFiles specified in the [Files for conversion] window is saved in the "
         "export folder: " +
         exportFolder + "\rSubassemblies/subparts is placed as specified in the INI-file: " + destination +
         "\r\rBe sure to include both folders in the Inventor project\r\rContinue? :";
}

}  // namespace

IniNamesStored StoreImportIniNames(Registry& registry, const std::string& registryVersionTag, Dialogs& dialogs,
                                   const std::string& importPattern, const std::string& importIniFile) {
  if (importPattern != "*.DWG" && importPattern != "*.DXF") return IniNamesStored::Done;
  const std::string key = HostUserKey(registryVersionTag, kLastIniKey);
  if (!registry.KeyExists(RegistryRoot::CurrentUser, key) &&
      !registry.CreateRegistryKey(RegistryRoot::CurrentUser, key, "")) {
    dialogs.ShowMessage("Could not create registrydatabase key for DWG/DXF Inventor INI-filesettings");
    return IniNamesStored::ExitRun;
  }
  const auto write = [&](const IniValue& value) {
    if (!registry.WriteRegistryValue(RegistryRoot::CurrentUser, key, value.name, importIniFile)) {
      dialogs.ShowMessage(value.failure);
    }
  };
  if (importPattern == "*.DWG") {
    for (const IniValue& value : kDwgValues) write(value);
  } else {
    write(kDxfValue);
  }
  return IniNamesStored::Done;
}

bool CheckImportProject(Dialogs& dialogs, const std::string& importIniFile, const std::string& projectFile,
                        const std::string& exportFolder) {
  if (importIniFile.empty()) {
    dialogs.ShowMessage("Please select an import INI file");
    return false;
  }
  if (projectFile.empty()) {
    dialogs.ShowMessage("Please select an Inventor project file: the import needs it to place the documents");
    return false;
  }
  const TextFileRead project = ReadTextFile(PathFromText(projectFile));
  if (project.outcome == TextFileRead::Outcome::OpenFailed) {
    dialogs.ShowMessage("Error opening project file: " + projectFile);
    return false;
  }
  // The project is read through for its workspace line, so a file that
  // cannot be read whole stops the import here.
  if (!project.complete()) return false;

  const TextFileRead settings = ReadTextFile(PathFromText(importIniFile));
  if (!settings.complete()) return false;
  std::string destination;
  constexpr std::string_view kDestinationKey = "DESTINATION DIRECTORY=";
  for (const std::string& line : settings.lines) {
    if (StartsWithKey(line, kDestinationKey)) destination = WithTrailingBackslash(line.substr(kDestinationKey.size()));
  }
  return dialogs.AskYesNo(ConfirmationText(WithTrailingBackslash(exportFolder), destination));
}

std::string ImportDwgThroughTranslator(ExportContext& context, const std::string& importIniFile,
                                       const std::string& file, std::optional<host::DocumentHandle>& document) {
  host::Application& host = context.host;
  auto translationContext = host.NewTranslationContext(host::kFileBrowseContext);
  auto options = host.NewOptionMap();
  // The medium names the file from the start: the translator reads the name
  // both when it offers its options and when it opens.
  auto medium = host.NewDataMedium(file);
  if (!translationContext) context.Keep(translationContext.failure());
  if (!options) context.Keep(options.failure());
  if (!medium) context.Keep(medium.failure());

  std::optional<host::AddInHandle> translator;
  if (auto addIns = host.AddIns()) {
    for (const host::AddInEntry& entry : addIns.value()) {
      if (entry.displayName == kDwgTranslator) {
        translator = entry.addIn;
        break;
      }
    }
  }
  if (!translator) {
    context.log.LogLine("Failed to activate " + std::string(LastThree(file)) + " translator");
    return "";
  }
  if (!translationContext || !options || !medium) {
    const Failure failure = *context.pending;
    context.pending.reset();
    return file + ": " + failure.description;
  }

  context.Keep(host.ActivateAddIn(*translator));
  auto asked = host.translators().HasOpenOptions(*translator, medium.value(), translationContext.value(),
                                                   options.value());
  if (asked && asked.value()) {
    if (auto name = host.OptionName(options.value(), 1)) {
      context.Keep(host.SetOption(options.value(), name.value(), importIniFile));
    } else {
      context.Keep(name.failure());
    }
  } else if (!asked) {
    context.Keep(asked.failure());
  }
  auto opened = host.translators().Open(*translator, medium.value(), translationContext.value(), options.value());
  if (!opened) {
    context.pending.reset();
    return file + ": " + opened.failure().description;
  }
  document = opened.value();
  return WaitForTranslator(context, file, "importing");
}

}  // namespace korrin
