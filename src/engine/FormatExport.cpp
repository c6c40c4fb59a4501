#include "engine/FormatExport.h"

#include <filesystem>
#include <system_error>

#include "engine/DrawingReadiness.h"
#include "formats/ValueConversion.h"
#include "host/HostCodes.h"
#include "host/HostGone.h"
#include "host/HostInstallation.h"
#include "settings/PathConversion.h"
#include "settings/PathText.h"

namespace korrin {
namespace {

// Registry values a package export switches, as (value name, option key,
// failure text); the key and its creation failure text come first.
struct PackageValue {
  const char* valueName;
  const char* optionKey;
  const char* writeFailure;
};

struct PackageSettings {
  const char* key;
  const char* createFailure;
  std::vector<PackageValue> values;
};

const PackageSettings kPtp{"\\Translators\\PtpTranslator",
                           "Couldn't create registrationdatabase information ( Key: [PTPTranslator-SaveProperties] )",
                           {{"SaveProperties", "PTPPublishComponentProperties",
                             "Couldn't write PtpTranslator-SaveProperties information in registrationdatabase"}}};
const PackageSettings kAmp{
    "\\Translators\\AmpTranslator",
    "Couldn't create registrationdatabase information ( Key: [AMPTranslator-SaveDesignViews] )",
    {{"SaveDesignViews", "AMPPublishDesignViewInformation",
      "Couldn't write AmpTranslator-SaveDesignViews information in registrationdatabase"},
     {"SaveProperties", "AMPPublishComponentProperties",
      "Couldn't write AmpTranslator-SaveProperties information in registrationdatabase"}}};
const PackageSettings kDwp{"\\Translators\\DwpTranslator",
                           "Couldn't create registrationdatabase information ( Key: [DWPTranslator-SaveAllSheets] )",
                           {{"SaveAllSheets", "DWPAllSheets",
                             "Couldn't write DwpTranslator-SaveAllSheets information in registrationdatabase"},
                            {"SaveProperties", "DWPPublishProperties",
                             "Couldn't write DwpTranslator-SaveSaveProperties information in registrationdatabase"}}};

constexpr const char* kSatKey = "\\Translators\\SatTranslator";
constexpr const char* kSatVersionFailure = "Couldn't set AcisVersion in registry database";
// The window frame around a view's client area, added when a bitmap's size
// sets the window's.
constexpr std::int32_t kFrameWidth = 12;
constexpr std::int32_t kFrameHeight = 31;

void DeleteFile(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(PathFromText(path), ignored);
}

class FormatStep {
 public:
  FormatStep(ExportContext& context, const std::string& pattern, const std::string& outputBase,
             host::DocumentHandle document)
      : context_(context), host_(context.host), pattern_(pattern), document_(document) {
    result_.translatorTag = pattern;
    result_.outputBase = outputBase;
  }

  FormatExport Run() {
    const std::string& p = pattern_;
    if (p == "PRINTE") return result_;
    if (p == "*.DWG" || p == "*.DXF") return Translator(p.substr(2));
    if (p == "*.IGS" || p == "*.IGE" || p == "*.IGES") return Translator("IGS");
    if (p == "*.STP" || p == "*.STE" || p == "*.STEP") return Translator("STP");
    if (p == "*.STL") return Translator("STL");
    if (p == "*.IPT") return SaveNative(".ipt", true);
    if (p == "*.IAM") return context_.importPattern == "*.DWG" ? result_ : SaveNative(".iam", false);
    if (p == "*.IPN") return SavePresentation();
    if (p == "*.IDW") return SaveDrawing();
    if (p == "*.DWF") return Dwf();
    if (p == "*.PNP") return SaveTaggedCopy("PNP", ".pnp");
    if (p == "*.PTP") return Package(kPtp, "PTP", ".ptp", false);
    if (p == "*.AMP") return Package(kAmp, "AMP", ".amp", false);
    if (p == "*.DWP") return Package(kDwp, "DWP", ".dwp", true);
    if (p == "*.BMP") return Bitmap();
    if (p == "*.SAT") return Sat();
    if (p == "*.XGL") return SaveCopy(".xgl");
    if (p == "*.ZGL") return SaveCopy(".zgl");
    result_.directSave = false;
    return result_;
  }

 private:
  FormatExport Translator(const std::string& tag) {
    result_.translatorTag = tag;
    result_.directSave = false;
    return result_;
  }

  std::string FullFileName(host::DocumentHandle document) {
    auto name = host_.documents().FullFileName(document);
    if (!name) context_.Keep(name.failure());
    return name ? name.value() : "";
  }

  host::DocumentHandle Active() {
    auto active = host_.ActiveDocument();
    if (!active) context_.Keep(active.failure());
    return active ? active.value() : document_;
  }

  // Saves a copy under the output base, or the document in place when the
  // output is its own file; the output base becomes the file.
  FormatExport SaveNative(const std::string& extension, bool deleteFirst) {
    const std::string file = result_.outputBase + extension;
    if (!SamePath(FullFileName(Active()), file)) {
      if (deleteFirst) DeleteFile(file);
      context_.Keep(host_.documents().SaveAs(document_, file, true));
    } else {
      context_.Keep(host_.documents().Save(document_));
    }
    result_.outputBase = file;
    return result_;
  }

  FormatExport SavePresentation() {
    const std::string file = result_.outputBase + ".ipn";
    if (!SamePath(FullFileName(document_), file)) DeleteFile(file);
    context_.Keep(host_.documents().Save(document_));
    result_.outputBase = file;
    return result_;
  }

  FormatExport SaveDrawing() {
    result_.translatorTag = "IDW";
    const std::string file = result_.outputBase + ".idw";
    // The drawing's own file is never deleted: a save that then failed
    // would lose it.
    if (!SamePath(FullFileName(document_), file)) DeleteFile(file);
    context_.Keep(host_.documents().SaveAs(document_, file, false));
    return result_;
  }

  FormatExport SaveTaggedCopy(const char* tag, const std::string& extension) {
    result_.translatorTag = tag;
    return SaveCopy(extension);
  }

  FormatExport SaveCopy(const std::string& extension) {
    context_.Keep(host_.documents().SaveAs(Active(), result_.outputBase + extension, true));
    return result_;
  }

  FormatExport Dwf() {
    result_.translatorTag = "DWF";
    result_.directSave = false;
    const host::DocumentHandle drawing = Active();
    auto count = host_.documents().SheetCount(drawing);
    if (!count) context_.Keep(count.failure());
    const std::int32_t sheets = count ? count.value() : 0;
    for (std::int32_t number = 1; number <= sheets; ++number) {
      auto sheet = host_.documents().Sheet(drawing, number);
      if (sheet) context_.Keep(host_.sheets().Activate(sheet.value()));
      if (sheets <= 1) continue;
      DrawingCheck check{host_, context_.log, context_.processes, context_.hostVersionNumber,
                         context_.skipReferenceCheck, context_.waitLimit};
      if (std::string problem = CheckDrawingReady(check); !problem.empty()) {
        context_.log.LogLine(problem);
        result_.next = FormatExport::Next::NextEntry;
        return result_;
      }
    }
    return result_;
  }

  // A flag option written as "1" or "0"; other options as they are.
  std::string PackageOptionText(const PackageValue& value) {
    const std::string text = context_.Option(value.optionKey);
    if (std::string(value.optionKey) == "DWPAllSheets") return ToFlag(text).value_or(false) ? "1" : "0";
    return text;
  }

  FormatExport Package(const PackageSettings& settings, const char* tag, const std::string& extension,
                       bool readOptionsFirst) {
    result_.translatorTag = tag;
    std::vector<std::string> texts;
    if (readOptionsFirst) {
      for (const PackageValue& value : settings.values) texts.push_back(PackageOptionText(value));
    }
    const std::string key = HostUserKey(context_.registryVersionTag, settings.key);
    if (!context_.registry.KeyExists(RegistryRoot::CurrentUser, key) &&
        !context_.registry.CreateRegistryKey(RegistryRoot::CurrentUser, key, "")) {
      context_.dialogs.ShowMessage(settings.createFailure);
    }
    for (std::size_t i = 0; i < settings.values.size(); ++i) {
      const PackageValue& value = settings.values[i];
      const std::string text = readOptionsFirst ? texts[i] : PackageOptionText(value);
      const auto number = ToInt16(text);
      if (!number || !context_.registry.WriteRegistryValue(RegistryRoot::CurrentUser, key, value.valueName, *number)) {
        context_.dialogs.ShowMessage(value.writeFailure);
      }
    }
    return SaveCopy(extension);
  }

  FormatExport Sat() {
    const std::string version = context_.Option("SATSaveACISVersion");
    if (context_.hostVersionNumber != "5.3") {
      const auto number = ToInt16(version);
      const std::string key = HostUserKey(context_.registryVersionTag, kSatKey);
      if (!number || !context_.registry.WriteRegistryValue(RegistryRoot::CurrentUser, key, "SaveACISVersion", *number)) {
        context_.dialogs.ShowMessage(kSatVersionFailure);
        result_.next = FormatExport::Next::EndRun;
        return result_;
      }
    }
    return SaveCopy(".sat");
  }

  FormatExport Bitmap() {
    const std::string width = context_.Option("BMP_X");
    const std::string height = context_.Option("BMP_Y");
    if (context_.hostVersionNumber == "5.3") return BitmapThroughCommand(width, height);
    auto view = host_.ActiveView();
    if (!view) {
      context_.Keep(view.failure());
      return result_;
    }
    const auto x = ToInt16(width);
    const auto y = ToInt16(height);
    if (!x || !y) {
      context_.Keep(Failure{-2147024809, "The bitmap size \"" + width + "\" x \"" + height + "\" is not a number."});
      return result_;
    }
    context_.Keep(host_.SaveAsBitmap(view.value(), result_.outputBase + ".bmp", *x, *y));
    return result_;
  }

  // The 5.3 host writes bitmaps only through its save-copy command, at the
  // size of the view window, which is set first when both sizes are given.
  FormatExport BitmapThroughCommand(const std::string& width, const std::string& height) {
    const auto x = ToInt16(width);
    const auto y = ToInt16(height);
    std::optional<host::WindowPlacement> original;
    host::WindowHandle window;
    if (x && y && *x != 0 && *y != 0) {
      auto view = host_.ActiveView();
      auto handle = view ? host_.ViewWindow(view.value()) : Result<host::WindowHandle>(view.failure());
      auto placement = handle ? host_.GetWindowPlacement(handle.value()) : Result<host::WindowPlacement>(handle.failure());
      if (placement) {
        window = handle.value();
        original = placement.value();
        host::WindowPlacement sized = placement.value();
        sized.right = sized.left + *x + kFrameWidth;
        sized.bottom = sized.top + *y + kFrameHeight;
        sized.flags = host::kPlacementRestoreToMaximized;
        context_.Keep(host_.SetWindowPlacement(window, sized));
        context_.Keep(host_.ShowWindow(window, host::kShowWindow));
        context_.Keep(host_.ShowWindow(window, host::kRestoreWindow));
      } else {
        context_.Keep(placement.failure());
      }
    }
    context_.Keep(host_.PostFileName(host::kFileNamePostType, result_.outputBase + ".bmp"));
    context_.Keep(host_.StartCommand(host::kSaveCopyAsCommand));
    const auto deadline = context_.waitLimit.DeadlineFromNow();
    while (true) {
      auto state = host_.CommandState();
      if (state && state.value() == host::kCommandStateIdle) break;
      if (!state && host::HostIsGone(state.failure())) {
        context_.Keep(state.failure());
        context_.hostGone = true;
        break;
      }
      context_.log.events().Pause();
      if (context_.abort.IsRaised()) {
        result_.next = FormatExport::Next::EndRun;
        return result_;
      }
      if (context_.waitLimit.Passed(deadline)) {
        context_.Keep(Failure{-2147467259, "The host was still busy writing the bitmap after " +
                                               std::to_string(context_.waitLimit.limit.count()) + " s"});
        break;
      }
    }
    if (original) {
      // The window keeps its new size; only its flags word is put back.
      auto current = host_.GetWindowPlacement(window);
      if (current) {
        host::WindowPlacement back = current.value();
        back.flags = original->flags;
        context_.Keep(host_.SetWindowPlacement(window, back));
      } else {
        context_.Keep(current.failure());
      }
    }
    return result_;
  }

  ExportContext& context_;
  host::Application& host_;
  std::string pattern_;
  host::DocumentHandle document_;
  FormatExport result_;
};

}  // namespace

FormatExport ExportByFormat(ExportContext& context, const std::string& exportPattern, const std::string& outputBase,
                            host::DocumentHandle document) {
  return FormatStep(context, exportPattern, outputBase, document).Run();
}

}  // namespace korrin
