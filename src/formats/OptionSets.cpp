#include "formats/OptionSets.h"

#include "formats/OptionKeys.h"
#include "formats/ValueConversion.h"
#include "settings/ExportTemplateFile.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

// Reads the keys of one set and converts them, remembering the first key
// that does not convert. A failed conversion yields a neutral value that is
// never shown, since the set is then not handed to its tab.
class KeyReader {
 public:
  KeyReader(const ExportTemplateLines& store, std::string_view tag) : store_(store), tag_(tag) {}

  std::string Text(std::string_view key) const {
    std::string value;
    store_.GetExportOption(key, value);
    return value;
  }
  std::int16_t Integer(std::string_view key) { return Convert(key, Text(key), ToInt16); }
  // Sheet numbers: an empty value reads as sheet 1.
  std::int16_t IntegerEmptyAsOne(std::string_view key) {
    const std::string text = Text(key);
    return Convert(key, text.empty() ? "1" : text, ToInt16);
  }
  bool Check(std::string_view key) { return Convert(key, Text(key), ToCheck) != 0; }
  bool Flag(std::string_view key) { return Convert(key, Text(key), ToFlag); }
  double Real(std::string_view key) { return Convert(key, Text(key), ToReal); }

  const std::optional<OptionLoadFailure>& failure() const { return failure_; }

 private:
  // A check box holds 0 or 1; any other number is no check value.
  static std::optional<std::int16_t> ToCheck(std::string_view text) {
    const auto value = ToInt16(text);
    if (value && (*value == 0 || *value == 1)) return value;
    return std::nullopt;
  }

  template <typename Converter>
  auto Convert(std::string_view key, const std::string& text, Converter convert)
      -> typename decltype(convert(text))::value_type {
    if (const auto value = convert(text)) return *value;
    if (!failure_) {
      std::string ignored;
      failure_ = OptionLoadFailure{std::string(tag_), std::string(key), text, store_.GetExportOption(key, ignored)};
    }
    return {};
  }

  const ExportTemplateLines& store_;
  std::string_view tag_;
  std::optional<OptionLoadFailure> failure_;
};

class KeyWriter {
 public:
  explicit KeyWriter(ExportTemplateLines& store) : store_(store) {}
  void Text(std::string_view key, std::string_view value) { store_.SetExportOption(key, value); }
  void Check(std::string_view key, bool ticked) { Text(key, ticked ? "1" : "0"); }
  void Flag(std::string_view key, bool value) { Text(key, value ? "True" : "False"); }
  void Integer(std::string_view key, int value) { Text(key, std::to_string(value)); }

 private:
  ExportTemplateLines& store_;
};

// An option group set button by button, as its flags are loaded: a true flag
// chooses its button, a false one clears it if it was chosen.
template <typename Choice>
void SetOptionButton(Choice& chosen, Choice button, bool value) {
  if (value) {
    chosen = button;
  } else if (chosen == button) {
    chosen = Choice::None;
  }
}

// Loads one set: reads the tab as it is, lets read() replace what the
// template holds, and shows the result only when every key converted.
template <typename Options, typename ReadKeys>
std::optional<OptionLoadFailure> LoadInto(OptionSetForm& form, KeyReader& reader, ReadKeys read) {
  Options options;
  form.Read(options);
  read(options);
  if (reader.failure()) return reader.failure();
  form.Show(options);
  return std::nullopt;
}

template <typename Options>
Options ReadForm(const OptionSetForm& form) {
  Options options;
  form.Read(options);
  return options;
}

std::optional<OptionLoadFailure> LoadIpt(KeyReader& r, OptionSetForm& form) {
  return LoadInto<IptOptions>(form, r, [&](IptOptions& o) {
    o.savePreview = r.Check("IPTSAVEPREVIEW");
    SetOptionButton(o.previewSource, PreviewSource::ActiveWindowOnSave, r.Flag("IPTACTIVEWINDOWONSAVE"));
    SetOptionButton(o.previewSource, PreviewSource::ActiveWindow, r.Flag("IPTACTIVEWINDOW"));
    SetOptionButton(o.previewSource, PreviewSource::ImportFromFile, r.Flag("IPTImportFromFile"));
  });
}

void CollectIpt(const IptOptions& o, KeyWriter& w) {
  w.Check("IPTSAVEPREVIEW", o.savePreview);
  w.Flag("IPTACTIVEWINDOWONSAVE", o.previewSource == PreviewSource::ActiveWindowOnSave);
  w.Flag("IPTACTIVEWINDOW", o.previewSource == PreviewSource::ActiveWindow);
  w.Flag("IPTImportFromFile", o.previewSource == PreviewSource::ImportFromFile);
}

std::optional<OptionLoadFailure> LoadBmp(KeyReader& r, OptionSetForm& form) {
  return LoadInto<BmpOptions>(form, r, [&](BmpOptions& o) {
    o.width = r.Text("BMP_X");
    o.height = r.Text("BMP_Y");
  });
}

void CollectBmp(const BmpOptions& o, KeyWriter& w) {
  w.Text("BMP_X", o.width);
  w.Text("BMP_Y", o.height);
}

std::optional<OptionLoadFailure> LoadSat(KeyReader& r, OptionSetForm& form) {
  return LoadInto<SatOptions>(form, r, [&](SatOptions& o) { o.version = r.Text("SATSaveACISVersion"); });
}

void CollectSat(const SatOptions& o, KeyWriter& w) { w.Text("SATSaveACISVersion", o.version); }

std::optional<OptionLoadFailure> LoadStl(KeyReader& r, OptionSetForm& form) {
  return LoadInto<StlOptions>(form, r, [&](StlOptions& o) {
    o.high = r.Text("STLHigh");
    o.medium = r.Text("STLMedium");
    o.low = r.Text("STLLow");
    switch (r.Integer("STLValue")) {
      case 1: o.resolution = StlResolution::High; break;
      case 3: o.resolution = StlResolution::Low; break;
      default: o.resolution = StlResolution::Medium; break;
    }
  });
}

void CollectStl(const StlOptions& o, KeyWriter& w) {
  w.Text("STLHigh", o.high);
  w.Text("STLMedium", o.medium);
  w.Text("STLLow", o.low);
  w.Integer("STLValue", o.resolution == StlResolution::High ? 1 : o.resolution == StlResolution::Medium ? 2 : 3);
}

std::optional<OptionLoadFailure> LoadIgs(KeyReader& r, OptionSetForm& form) {
  return LoadInto<IgsOptions>(form, r, [&](IgsOptions& o) {
    o.outputGeometryType = r.Text("IGSOutputGeometryType");
    o.surfaceType = r.Text("IGSSurfaceType");
    o.solidFaceType = r.Text("IGSSolidFaceType");
    o.importHealing = r.Check("IGSImportHealing");
    o.importStitch = r.Check("IGSImportStitch");
  });
}

void CollectIgs(const IgsOptions& o, KeyWriter& w) {
  w.Text("IGSOutputGeometryType", o.outputGeometryType);
  w.Text("IGSSurfaceType", o.surfaceType);
  w.Text("IGSSolidFaceType", o.solidFaceType);
  w.Check("IGSImportHealing", o.importHealing);
  w.Check("IGSImportStitch", o.importStitch);
}

// "Ivdefault" in any case stands for the host's user name.
constexpr std::string_view kInventorUsername = "Ivdefault";

std::optional<OptionLoadFailure> LoadStp(KeyReader& r, OptionSetForm& form) {
  return LoadInto<StpOptions>(form, r, [&](StpOptions& o) {
    o.configurationControlledDesign = r.Flag("STPApplicationProtocol");
    o.automotiveDesign = r.Text("STPAutomotiveDesign");
    o.authorization = r.Text("STPAuthorization");
    const std::string author = r.Text("STPAuthor");
    o.inventorUsername = EqualsIgnoringCase(author, kInventorUsername);
    o.author = o.inventorUsername ? "" : author;
    o.organization = r.Text("STPOrganization");
    o.description = r.Text("STPDescription");
  });
}

void CollectStp(const StpOptions& o, KeyWriter& w) {
  w.Flag("STPApplicationProtocol", o.configurationControlledDesign);
  w.Text("STPAutomotiveDesign", o.automotiveDesign);
  w.Text("STPAuthorization", o.authorization);
  // The ticked box is kept as such, so the next load shows it ticked again.
  w.Text("STPAuthor", o.inventorUsername ? kInventorUsername : std::string_view(o.author));
  w.Text("STPOrganization", o.organization);
  w.Text("STPDescription", o.description);
}

std::optional<OptionLoadFailure> LoadPtp(KeyReader& r, OptionSetForm& form) {
  return LoadInto<PtpOptions>(
      form, r, [&](PtpOptions& o) { o.publishComponentProperties = r.Check("PTPPublishComponentProperties"); });
}

void CollectPtp(const PtpOptions& o, KeyWriter& w) {
  w.Check("PTPPublishComponentProperties", o.publishComponentProperties);
}

std::optional<OptionLoadFailure> LoadAmp(KeyReader& r, OptionSetForm& form) {
  return LoadInto<AmpOptions>(form, r, [&](AmpOptions& o) {
    o.publishComponentProperties = r.Check("AMPPublishComponentProperties");
    o.publishDesignViewInformation = r.Check("AMPPublishDesignViewInformation");
  });
}

void CollectAmp(const AmpOptions& o, KeyWriter& w) {
  w.Check("AMPPublishComponentProperties", o.publishComponentProperties);
  w.Check("AMPPublishDesignViewInformation", o.publishDesignViewInformation);
}

std::optional<OptionLoadFailure> LoadDwp(KeyReader& r, OptionSetForm& form) {
  return LoadInto<DwpOptions>(form, r, [&](DwpOptions& o) {
    o.allSheets = r.Flag("DWPAllSheets");
    o.publishProperties = r.Check("DWPPublishProperties");
  });
}

void CollectDwp(const DwpOptions& o, KeyWriter& w) {
  w.Flag("DWPAllSheets", o.allSheets);
  w.Check("DWPPublishProperties", o.publishProperties);
}

constexpr int kRenderStyleBits = 0x7F;
constexpr int kRenderIsoBit = 128;

std::string PrinterName(const std::string& stored, const Printers& printers) {
  if (!stored.empty() && !EqualsIgnoringCase(stored, "Default")) return stored;
  std::string system_default = printers.DefaultPrinter();
  return system_default.empty() ? stored : system_default;
}

std::optional<OptionLoadFailure> LoadPrinter(KeyReader& r, OptionSetForm& form, const Printers& printers) {
  return LoadInto<PrinterOptions>(form, r, [&](PrinterOptions& o) {
    o.printer = PrinterName(r.Text("PrinterPrinter"), printers);
    o.paperSize = r.Text("PrinterPapersize");
    switch (r.Integer("PrinterPrintRange")) {
      case 1: o.range = PrintRange::CurrentSheet; break;
      case 2: o.range = PrintRange::AllSheets; break;
      case 3: o.range = PrintRange::SheetsInRange; break;
      default: break;  // no range of the window: the choice stays
    }
    o.sheetFrom = std::to_string(r.IntegerEmptyAsOne("PrinterSheetrangeFrom"));
    o.sheetTo = std::to_string(r.IntegerEmptyAsOne("PrinterSheetRangeTo"));
    switch (r.Integer("PrinterScale")) {
      case 1: o.scale = PrintScale::Model; break;
      case 2: o.scale = PrintScale::BestFit; break;
      case 3: o.scale = PrintScale::Custom; break;
      default: break;  // 4 (none chosen) and others: the choice stays
    }
    // Shown as the user types numbers, so the window reads it back as it is.
    o.customScale = LocaleRealText(r.Real("PrinterCustomScale"));
    o.rotate90 = r.Check("PrinterRotate90Deg");
    o.copies = std::to_string(r.Integer("PrinterCopies"));
    o.collate = r.Check("PrinterCollate");
    o.color = r.Flag("PrinterColormode");
    o.printToFile = r.Check("PrinterPrintToFile");
    o.fitNoneIdw = r.Check("PrinterFitNoneIDW");
    const int render = r.Integer("PrinterRendermethod");
    switch (render & kRenderStyleBits) {
      case 1: o.renderStyle = RenderStyle::WireFrame; break;
      case 2: o.renderStyle = RenderStyle::Shaded; break;
      case 3: o.renderStyle = RenderStyle::Hidden; break;
      default: break;  // none chosen: the choice stays
    }
    o.iso = (render & kRenderIsoBit) != 0;
  });
}

int RenderMethodOf(const PrinterOptions& o) {
  int style = 0;
  switch (o.renderStyle) {
    case RenderStyle::WireFrame: style = 1; break;
    case RenderStyle::Shaded: style = 2; break;
    case RenderStyle::Hidden: style = 3; break;
    case RenderStyle::None: break;
  }
  return style + (o.iso ? kRenderIsoBit : 0);
}

void CollectPrinter(const PrinterOptions& o, KeyWriter& w) {
  w.Text("PrinterPrinter", o.printer);
  w.Text("PrinterPapersize", o.paperSize);
  w.Integer("PrinterPrintRange", o.range == PrintRange::SheetsInRange ? 3 : o.range == PrintRange::AllSheets ? 2 : 1);
  w.Text("PrinterSheetrangeFrom", o.sheetFrom);
  w.Text("PrinterSheetRangeTo", o.sheetTo);
  w.Integer("PrinterScale", o.scale == PrintScale::Custom ? 3 : o.scale == PrintScale::BestFit ? 2 : 1);
  w.Text("PrinterCustomScale", o.customScale);
  w.Check("PrinterRotate90Deg", o.rotate90);
  w.Text("PrinterCopies", o.copies);
  w.Check("PrinterCollate", o.collate);
  w.Flag("PrinterColormode", o.color);
  w.Check("PrinterPrintToFile", o.printToFile);
  w.Check("PrinterFitNoneIDW", o.fitNoneIdw);
  // Matches the template's "PrinterRendermethod" line; the file keeps its spelling.
  w.Integer("PrinterRenderMethod", RenderMethodOf(o));
}

}  // namespace

std::string OptionLoadFailureMessage(const OptionLoadFailure& failure) {
  if (!failure.present) {
    return std::string("Missing key in ") + kExportTemplateFileName + ": " + failure.key + "\r" +
           "The " + failure.tag + " settings and those after them keep the values shown";
  }
  return std::string("Invalid value in ") + kExportTemplateFileName + ": " + failure.key + "=" + failure.value +
         "\rThe " + failure.tag + " settings and those after them keep the values shown";
}

std::optional<OptionLoadFailure> LoadOptionSet(std::string_view tag, const ExportTemplateLines& store,
                                               OptionSetForm& form, const Printers& printers) {
  const std::string_view set = OptionSetTagOf(tag);
  KeyReader reader(store, set);
  if (set == "IPT") return LoadIpt(reader, form);
  if (set == "BMP") return LoadBmp(reader, form);
  if (set == "SAT") return LoadSat(reader, form);
  if (set == "STL") return LoadStl(reader, form);
  if (set == "IGS") return LoadIgs(reader, form);
  if (set == "STP") return LoadStp(reader, form);
  if (set == "PTP") return LoadPtp(reader, form);
  if (set == "AMP") return LoadAmp(reader, form);
  if (set == "DWP") return LoadDwp(reader, form);
  if (set == "PRINTER") return LoadPrinter(reader, form, printers);
  return std::nullopt;
}

void CollectOptionSet(std::string_view tag, const OptionSetForm& form, ExportTemplateLines& store) {
  const std::string_view set = OptionSetTagOf(tag);
  KeyWriter writer(store);
  if (set == "IPT") CollectIpt(ReadForm<IptOptions>(form), writer);
  if (set == "BMP") CollectBmp(ReadForm<BmpOptions>(form), writer);
  if (set == "SAT") CollectSat(ReadForm<SatOptions>(form), writer);
  if (set == "STL") CollectStl(ReadForm<StlOptions>(form), writer);
  if (set == "IGS") CollectIgs(ReadForm<IgsOptions>(form), writer);
  if (set == "STP") CollectStp(ReadForm<StpOptions>(form), writer);
  if (set == "PTP") CollectPtp(ReadForm<PtpOptions>(form), writer);
  if (set == "AMP") CollectAmp(ReadForm<AmpOptions>(form), writer);
  if (set == "DWP") CollectDwp(ReadForm<DwpOptions>(form), writer);
  if (set == "PRINTER") CollectPrinter(ReadForm<PrinterOptions>(form), writer);
}

ExportTemplateLines DefaultTemplateLines() {
  std::vector<std::string> lines{kExportTemplateFirstLine};
  for (const OptionSetKeys& set : AllOptionSetKeys()) {
    for (const OptionKey& key : set.keys) lines.push_back(std::string(key.key) + "=" + std::string(key.defaultValue));
  }
  return ExportTemplateLines(std::move(lines));
}

void ApplyOptionDefaults(std::string_view tag, OptionSetForm& form, const Printers& printers) {
  static const ExportTemplateLines defaults = DefaultTemplateLines();
  // The defaults always convert; a failure here would be a fault of the table.
  (void)LoadOptionSet(tag, defaults, form, printers);
}

std::optional<OptionLoadFailure> LoadAllOptionSets(bool fromTemplate, const ExportTemplateLines& store,
                                                   OptionSetForm& form, const Printers& printers) {
  for (const OptionSetKeys& set : AllOptionSetKeys()) {
    if (!fromTemplate) {
      ApplyOptionDefaults(set.tag, form, printers);
    } else if (auto failure = LoadOptionSet(set.tag, store, form, printers)) {
      return failure;
    }
  }
  return std::nullopt;
}

void ApplyExportSettings(const OptionSetForm& form, ExportTemplateLines& store) {
  for (const OptionSetKeys& set : AllOptionSetKeys()) CollectOptionSet(set.tag, form, store);
}

}  // namespace korrin
