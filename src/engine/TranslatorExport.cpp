#include "engine/TranslatorExport.h"

#include <array>
#include <optional>

#include "filelist/ImportFilter.h"
#include "formats/ValueConversion.h"
#include "host/HostCodes.h"
#include "host/HostGone.h"
#include "host/HostInstallation.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

constexpr const char* kUnknownError = "Unknown error";
constexpr const char* kLastIniKey = "\\Translators\\DWG\\Last INI file";
constexpr const char* kCreateIniKeyFailed =
    "Couldn't create registrationdatabase information ( Key: [Last Export DWG INI file] )";
constexpr const char* kWriteIniFailed = "Couldn't write INI-file information in registrationdatabase";

struct TranslatorName {
  std::string_view tag;
  std::string_view displayName;
};

constexpr std::array<TranslatorName, 7> kTranslators{{
    {"DWG", "Autodesk DWG Translator"},
    {"DXF", "Autodesk DXF Translator"},
    {"DWF", "Autodesk DWF Translator"},
    {"SAT", "Autodesk SAT Translator"},
    {"IGS", "Autodesk IGES Translator"},
    {"STP", "Autodesk STEP Translator"},
    {"STL", "Autodesk STL Translator"},
}};

std::string_view DisplayNameOf(const std::string& tag) {
  for (const TranslatorName& translator : kTranslators) {
    if (translator.tag == tag) return translator.displayName;
  }
  return {};
}

class TranslatorExport {
 public:
  TranslatorExport(ExportContext& context, host::DocumentHandle document, std::string outputFile)
      : context_(context), host_(context.host), document_(document), outputFile_(std::move(outputFile)),
        tag_(ToUpperAscii(LastThree(outputFile_))) {}

  std::string Run() {
    if (outputFile_.empty()) return kUnknownError;
    auto contextHandle = host_.NewTranslationContext(host::kFileBrowseContext);
    auto map = host_.NewOptionMap();
    if (!contextHandle) return outputFile_ + ": " + contextHandle.failure().description;
    if (!map) return outputFile_ + ": " + map.failure().description;
    translationContext_ = contextHandle.value();
    options_ = map.value();
    auto found = FindTranslator();
    if (!found) return kUnknownError;
    if (!*found) {
      context_.dialogs.ShowMessage("Failed to activate " + std::string(LastThree(outputFile_)) + " translator");
      return kUnknownError;
    }
    translator_ = **found;
    PrepareOptions();
    return Save();
  }

 private:
  // The translator for the tag: nothing inside when there is none; nothing
  // at all when a registry step failed and the export must stop.
  std::optional<std::optional<host::AddInHandle>> FindTranslator() {
    auto addIns = host_.AddIns();
    if (!addIns) {
      context_.Keep(addIns.failure());
      return std::optional<host::AddInHandle>();
    }
    const std::string_view wanted = DisplayNameOf(tag_);
    for (const host::AddInEntry& entry : addIns.value()) {
      if (tag_ == "DWG" && !RememberIniFile("Last Export DWG INI file", true)) return std::nullopt;
      if (!wanted.empty() && entry.displayName == wanted) return std::optional<host::AddInHandle>(entry.addIn);
    }
    return std::optional<host::AddInHandle>();
  }

  // Writes the export settings file's name where the host's translator
  // looks for it; false after a failure, which was shown.
  bool RememberIniFile(const std::string& valueName, bool stopOnFailure) {
    const std::string key = HostUserKey(context_.registryVersionTag, kLastIniKey);
    if (!context_.registry.KeyExists(RegistryRoot::CurrentUser, key) &&
        !context_.registry.CreateRegistryKey(RegistryRoot::CurrentUser, key, "")) {
      context_.dialogs.ShowMessage(kCreateIniKeyFailed);
      return !stopOnFailure;
    }
    if (!context_.registry.WriteRegistryValue(RegistryRoot::CurrentUser, key, valueName, context_.exportIniFile)) {
      context_.dialogs.ShowMessage(kWriteIniFailed);
      return !stopOnFailure;
    }
    return true;
  }

  bool AskForOptions() {
    auto asked = host_.translators().HasSaveCopyAsOptions(translator_, document_, translationContext_, options_);
    if (!asked) {
      context_.Keep(asked.failure());
      return false;
    }
    return asked.value();
  }

  void SetEntry(std::int32_t number, const host::OptionValue& value) {
    auto name = host_.OptionName(options_, number);
    if (!name) {
      context_.Keep(name.failure());
      return;
    }
    context_.Keep(host_.SetOption(options_, name.value(), value));
  }

  void PrepareOptions() {
    if (tag_ == "DXF" || tag_ == "DWF") context_.Keep(host_.ActivateAddIn(translator_));
    if (tag_ == "DWG" || tag_ == "DXF" || tag_ == "DWF") {
      if (AskForOptions()) SetEntry(1, context_.exportIniFile);
      if (tag_ == "DXF") RememberIniFile("Last Export DXF INI file", false);
    } else if (tag_ == "SAT") {
      AskForOptions();
    } else if (tag_ == "STL") {
      const auto level = ToInt16(context_.Option("STLValue"));
      if (AskForOptions()) SetEntry(1, std::int32_t{level.value_or(0)} - 1);
    } else if (tag_ == "STP") {
      PrepareStepOptions();
    } else if (tag_ == "IGS") {
      PrepareIgesOptions();
    }
  }

  void PrepareStepOptions() {
    if (!AskForOptions()) return;
    constexpr std::int32_t kConfigurationControlled = 2;
    constexpr std::int32_t kAutomotive = 5;
    const bool configurationControlled = ToFlag(context_.Option("STPApplicationProtocol")).value_or(false);
    SetEntry(1, configurationControlled ? kConfigurationControlled : kAutomotive);
    auto user = host_.UserName();
    if (!user) context_.Keep(user.failure());
    SetEntry(2, user ? user.value() : std::string());
    SetEntry(3, context_.Option("STPAuthorization"));
    SetEntry(4, context_.Option("STPDescription"));
    SetEntry(5, context_.Option("STPOrganization"));
  }

  // The three geometry choices go to the translator as option map entries,
  // where the system's host needs them typed into its options dialog. As
  // there, each is one of the translator's own values: a text that names no
  // other choice (ignoring case) gives wireframe, trimmed surfaces and
  // analytic faces.
  void PrepareIgesOptions() {
    if (!AskForOptions()) return;
    const std::string geometry = ToUpperAscii(context_.Option("IGSOutputGeometryType"));
    const bool bounded = ToUpperAscii(context_.Option("IGSSurfaceType")) == "143 - BOUNDED";
    const bool nurbs = ToUpperAscii(context_.Option("IGSSolidFaceType")) == "NURBS";
    const char* geometryChoice = geometry == "SURFACES" ? "Surfaces" : geometry == "SOLIDS" ? "Solids" : "Wireframe";
    context_.Keep(host_.SetOption(options_, "GeometryType", std::string(geometryChoice)));
    context_.Keep(host_.SetOption(options_, "SurfaceType", std::string(bounded ? "143 - Bounded" : "144 - Trimmed")));
    context_.Keep(host_.SetOption(options_, "SolidFaceType", std::string(nurbs ? "NURBS" : "Analytic")));
  }

  std::string Save() {
    auto medium = host_.NewDataMedium(outputFile_);
    if (!medium) return outputFile_ + ": " + medium.failure().description;
    Status saved = host_.translators().SaveCopyAs(translator_, document_, translationContext_, options_, medium.value());
    if (!saved) return outputFile_ + ": " + saved.failure().description;
    return WaitForTranslator(context_, outputFile_, "saving");
  }


  ExportContext& context_;
  host::Application& host_;
  host::DocumentHandle document_;
  std::string outputFile_;
  std::string tag_;
  host::ContextHandle translationContext_;
  host::OptionMapHandle options_;
  host::AddInHandle translator_;
};

}  // namespace

std::string WaitForTranslator(ExportContext& context, const std::string& file, const std::string& activity) {
  const auto deadline = context.waitLimit.DeadlineFromNow();
  while (!context.abort.IsRaised()) {
    auto state = context.host.CommandState();
    if (state && state.value() == host::kCommandStateIdle) break;
    if (!state && host::HostIsGone(state.failure())) {
      context.hostGone = true;
      return file + ": the host could not be asked whether it was done " + activity + ": " +
             state.failure().description;
    }
    if (context.waitLimit.Passed(deadline)) {
      return file + ": the host was still busy " + activity + " after " +
             std::to_string(context.waitLimit.limit.count()) + " s";
    }
    context.log.events().Pause();
  }
  return "";
}

std::string ExportThroughTranslator(ExportContext& context, host::DocumentHandle document,
                                    const std::string& outputFile) {
  return TranslatorExport(context, document, outputFile).Run();
}

}  // namespace korrin
