#include "formats/OptionSets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "formats/OptionKeys.h"
#include "support/DecimalCommaLocale.h"
#include "support/FakePrinters.h"

namespace korrin {

inline void PrintTo(const OptionLoadFailure& f, std::ostream* out) {
  *out << "{" << f.tag << ", " << f.key << ", \"" << f.value << "\", " << (f.present ? "present" : "missing") << "}";
}

namespace {

using Lines = std::vector<std::string>;

// The default lines with the given keys' values replaced.
Lines DefaultLinesWith(const std::map<std::string, std::string>& values) {
  Lines lines = DefaultTemplateLines().lines();
  std::size_t replaced = 0;
  for (std::string& line : lines) {
    const auto found = values.find(line.substr(0, line.find('=')));
    if (found == values.end()) continue;
    line = found->first + "=" + found->second;
    ++replaced;
  }
  EXPECT_EQ(replaced, values.size()) << "a key without a default line";
  return lines;
}

class OptionSetsTest : public ::testing::Test {
 protected:
  // A fresh form showing the defaults, as the settings window does before a load.
  OptionSetsInMemory DefaultForm() const {
    OptionSetsInMemory form;
    EXPECT_EQ(LoadAllOptionSets(false, {}, form, printers), std::nullopt);
    return form;
  }
  std::optional<OptionLoadFailure> Load(std::string_view tag, const Lines& lines) {
    return LoadOptionSet(tag, ExportTemplateLines(lines), form, printers);
  }
  // The lines the set's tab writes back into the default lines.
  Lines Collected(std::string_view tag) const {
    ExportTemplateLines store = DefaultTemplateLines();
    CollectOptionSet(tag, form, store);
    return store.lines();
  }

  testing::FakePrinters printers = [] {
    testing::FakePrinters named;
    named.defaultPrinter = "Office Laser";
    return named;
  }();
  OptionSetsInMemory form = DefaultForm();
};

TEST_F(OptionSetsTest, DefaultLinesRoundTripWithDefaultPrinterNamed) {
  for (const std::string defaultPrinter : {"Office Laser", ""}) {
    printers.defaultPrinter = defaultPrinter;
    OptionSetsInMemory loaded;
    ASSERT_EQ(LoadAllOptionSets(true, DefaultTemplateLines(), loaded, printers), std::nullopt);
    EXPECT_EQ(loaded.values, DefaultForm().values) << defaultPrinter;
    // Every value blanked, so what comes back can only be what the tabs wrote.
    Lines blank = DefaultTemplateLines().lines();
    for (std::string& line : blank) {
      if (line.find('=') != std::string::npos) line.resize(line.find('=') + 1);
    }
    ExportTemplateLines store(blank);
    ApplyExportSettings(loaded, store);
    const std::string printer = defaultPrinter.empty() ? "Default" : defaultPrinter;
    EXPECT_EQ(store.lines(), DefaultLinesWith({{"PrinterPrinter", printer}})) << defaultPrinter;
  }
}

TEST_F(OptionSetsTest, EveryKeyIsReadAndWrittenUnderItsOwnName) {
  // Missing text keys read as these values; every other key must fail to load.
  const std::map<std::string, std::string> textWhenMissing{
      {"BMP_X", ""}, {"BMP_Y", ""}, {"SATSaveACISVersion", ""}, {"STLHigh", ""}, {"STLMedium", ""}, {"STLLow", ""},
      {"IGSOutputGeometryType", ""}, {"IGSSurfaceType", ""}, {"IGSSolidFaceType", ""}, {"STPAutomotiveDesign", ""},
      {"STPAuthorization", ""}, {"STPAuthor", ""}, {"STPOrganization", ""}, {"STPDescription", ""},
      {"PrinterPapersize", ""}, {"PrinterPrinter", "Office Laser"}, {"PrinterSheetrangeFrom", "1"},
      {"PrinterSheetRangeTo", "1"}};
  for (const OptionSetKeys& set : AllOptionSetKeys()) {
    for (const OptionKey& key : set.keys) {
      const std::string name(key.key);
      form = DefaultForm();
      const OptionSets before = form.values;
      Lines without = DefaultTemplateLines().lines();
      std::erase_if(without, [&](const std::string& line) { return line.starts_with(name + "="); });
      const auto failure = Load(set.tag, without);
      const auto text = textWhenMissing.find(name);
      if (text == textWhenMissing.end()) {
        EXPECT_EQ(failure, (OptionLoadFailure{std::string(set.tag), name, "", false})) << name;
        EXPECT_EQ(form.values, before) << name;
        continue;
      }
      EXPECT_EQ(failure, std::nullopt) << name;
      std::map<std::string, std::string> values{{name, text->second}};
      if (set.tag == "PRINTER") values.emplace("PrinterPrinter", "Office Laser");
      EXPECT_EQ(Collected(set.tag), DefaultLinesWith(values)) << name;
    }
  }
}

TEST_F(OptionSetsTest, UnconvertibleValueReportsItAndLeavesTheTab) {
  form.values.stl.high = "1";
  const OptionSets before = form.values;
  EXPECT_EQ(Load("STL", DefaultLinesWith({{"STLHigh", "999"}, {"STLValue", "abc"}})),
            (OptionLoadFailure{"STL", "STLValue", "abc", true}));
  EXPECT_EQ(form.values, before);
  // The first key in load order is the one reported.
  EXPECT_EQ(Load("PRINTER", DefaultLinesWith({{"PrinterCopies", "two"}, {"PrinterPrintRange", "all"}})),
            (OptionLoadFailure{"PRINTER", "PrinterPrintRange", "all", true}));
  EXPECT_EQ(form.values, before);
}

TEST_F(OptionSetsTest, LoadingAllStopsAtTheFirstFailedSet) {
  const ExportTemplateLines store(DefaultLinesWith({{"BMP_X", "640"},
                                                    {"IGSSurfaceType", "144 - Trimmed"},
                                                    {"STPApplicationProtocol", "maybe"},
                                                    {"STPDescription", "x"},
                                                    {"AMPPublishDesignViewInformation", "1"},
                                                    {"PrinterPapersize", "A4"}}));
  OptionSets expected = form.values;
  expected.bmp.width = "640";
  expected.igs.surfaceType = "144 - Trimmed";
  EXPECT_EQ(LoadAllOptionSets(true, store, form, printers),
            (OptionLoadFailure{"STP", "STPApplicationProtocol", "maybe", true}));
  EXPECT_EQ(form.values, expected);
}

TEST(OptionLoadFailureMessageTest, NamesKeyValueAndSet) {
  EXPECT_EQ(OptionLoadFailureMessage({"STL", "STLValue", "abc", true}),
            "Invalid value in KorrinExportTemplate.INI: STLValue=abc\r"
            "The STL settings and those after them keep the values shown");
  EXPECT_EQ(OptionLoadFailureMessage({"PRINTER", "PrinterCopies", "", false}),
            "Missing key in KorrinExportTemplate.INI: PrinterCopies\r"
            "The PRINTER settings and those after them keep the values shown");
}

TEST_F(OptionSetsTest, CollectingNeverAddsALine) {
  ExportTemplateLines store(Lines{"[EXPORTOPTIONS]", "; comment", "stlvalue=3"});
  ApplyExportSettings(form, store);
  EXPECT_EQ(store.lines(), (Lines{"[EXPORTOPTIONS]", "; comment", "stlvalue=2"}));
}

TEST_F(OptionSetsTest, StlValueChoosesResolutionAndOthersMeanMedium) {
  const std::vector<std::tuple<std::string, StlResolution, std::string>> cases{
      {"1", StlResolution::High, "1"}, {"2", StlResolution::Medium, "2"}, {"3", StlResolution::Low, "3"},
      {"7", StlResolution::Medium, "2"}, {"0", StlResolution::Medium, "2"},
  };
  for (const auto& [value, resolution, written] : cases) {
    form.values.stl.resolution = StlResolution::Low;
    ASSERT_EQ(Load("STL", DefaultLinesWith({{"STLValue", value}})), std::nullopt) << value;
    EXPECT_EQ(form.values.stl.resolution, resolution) << value;
    EXPECT_EQ(Collected("STL"), DefaultLinesWith({{"STLValue", written}})) << value;
  }
}

TEST_F(OptionSetsTest, RenderMethodIsStyleAndIsoBitWrittenUnderTheTemplatesSpelling) {
  const std::vector<std::tuple<std::string, RenderStyle, RenderStyle, bool, std::string>> cases{
      {"130", RenderStyle::WireFrame, RenderStyle::Shaded, true, "130"},
      {"128", RenderStyle::WireFrame, RenderStyle::WireFrame, true, "129"},
      {"128", RenderStyle::None, RenderStyle::None, true, "128"},
      {"1", RenderStyle::None, RenderStyle::WireFrame, false, "1"},
      {"0", RenderStyle::Hidden, RenderStyle::Hidden, false, "3"},
  };
  for (const auto& [value, before, style, iso, written] : cases) {
    form.values.printer.renderStyle = before;
    form.values.printer.iso = !iso;
    ASSERT_EQ(Load("PRINTER", DefaultLinesWith({{"PrinterRendermethod", value}})), std::nullopt) << value;
    EXPECT_EQ(form.values.printer.renderStyle, style) << value;
    EXPECT_EQ(form.values.printer.iso, iso) << value;
    // Written back under the template's own spelling, "PrinterRendermethod".
    const Lines expected = DefaultLinesWith({{"PrinterPrinter", "Office Laser"}, {"PrinterRendermethod", written}});
    EXPECT_EQ(Collected("PRINTER"), expected) << value;
  }
}

TEST_F(OptionSetsTest, PrinterDefaultOrEmptyMeansTheSystemDefaultPrinter) {
  const std::vector<std::tuple<std::string, std::string, std::string>> cases{
      {"default", "Office Laser", "Office Laser"}, {"DEFAULT", "Office Laser", "Office Laser"},
      {"", "Office Laser", "Office Laser"},        {"Plotter A0", "Office Laser", "Plotter A0"},
      {"Defaults", "Office Laser", "Defaults"},    {"Default", "", "Default"},
  };
  for (const auto& [stored, systemDefault, shown] : cases) {
    printers.defaultPrinter = systemDefault;
    ASSERT_EQ(Load("PRINTER", DefaultLinesWith({{"PrinterPrinter", stored}})), std::nullopt) << stored;
    EXPECT_EQ(form.values.printer.printer, shown) << stored << " / " << systemDefault;
  }
}

TEST_F(OptionSetsTest, RangeAndScaleOutsideTheirButtonsKeepTheChoiceAndEmptySheetIsOne) {
  for (const auto& [value, range] : std::vector<std::pair<std::string, PrintRange>>{
           {"0", PrintRange::AllSheets}, {"4", PrintRange::AllSheets}, {"3", PrintRange::SheetsInRange}}) {
    form.values.printer.range = PrintRange::AllSheets;
    ASSERT_EQ(Load("PRINTER", DefaultLinesWith({{"PrinterPrintRange", value}})), std::nullopt) << value;
    EXPECT_EQ(form.values.printer.range, range) << value;
  }
  for (const auto& [value, scale] : std::vector<std::pair<std::string, PrintScale>>{
           {"4", PrintScale::Custom}, {"0", PrintScale::Custom}, {"2", PrintScale::BestFit}}) {
    form.values.printer.scale = PrintScale::Custom;
    ASSERT_EQ(Load("PRINTER", DefaultLinesWith({{"PrinterScale", value}})), std::nullopt) << value;
    EXPECT_EQ(form.values.printer.scale, scale) << value;
  }
  ASSERT_EQ(Load("PRINTER", DefaultLinesWith({{"PrinterSheetrangeFrom", ""}, {"PrinterSheetRangeTo", "5"}})),
            std::nullopt);
  EXPECT_EQ(form.values.printer.sheetFrom, "1");
  EXPECT_EQ(form.values.printer.sheetTo, "5");
}

TEST_F(OptionSetsTest, TagIsChosenByItsFirstThreeLetters) {
  for (std::string_view tag : {"PRINTER", "Pri", "Printer-Settings"}) {
    form = DefaultForm();
    ASSERT_EQ(Load(tag, DefaultLinesWith({{"PrinterPapersize", "Letter"}})), std::nullopt) << tag;
    EXPECT_EQ(form.values.printer.paperSize, "Letter") << tag;
  }
  for (std::string_view tag : {"XGL", "IAM", ""}) {
    OptionSetsInMemory fresh;
    EXPECT_EQ(LoadOptionSet(tag, DefaultTemplateLines(), fresh, printers), std::nullopt) << tag;
    EXPECT_EQ(fresh.values, OptionSets{}) << tag;
  }
}

TEST_F(OptionSetsTest, StepAuthorIvdefaultTicksTheUserNameBox) {
  const std::vector<std::tuple<std::string, bool, std::string>> cases{
      {"IVDEFAULT", true, ""}, {"ivdefault", true, ""}, {"Jane Roe", false, "Jane Roe"},
  };
  for (const auto& [stored, ticked, author] : cases) {
    form.values.stp.inventorUsername = !ticked;
    form.values.stp.author = "before";
    ASSERT_EQ(Load("STP", DefaultLinesWith({{"STPAuthor", stored}})), std::nullopt) << stored;
    EXPECT_EQ(form.values.stp.inventorUsername, ticked) << stored;
    EXPECT_EQ(form.values.stp.author, author) << stored;
  }
  // The ticked box is written as such, whatever the field holds.
  form.values.stp.author = "Jane Roe";
  form.values.stp.inventorUsername = true;
  EXPECT_EQ(Collected("STP"), DefaultLinesWith({{"STPAuthor", "Ivdefault"}}));
  form.values.stp.inventorUsername = false;
  EXPECT_EQ(Collected("STP"), DefaultLinesWith({{"STPAuthor", "Jane Roe"}}));
}

TEST_F(OptionSetsTest, PreviewFlagsChooseTheirButtonInKeyOrder) {
  using P = PreviewSource;
  const std::vector<std::tuple<std::string, std::string, std::string, P, P>> cases{
      {"True", "True", "False", P::None, P::ActiveWindow},
      {"True", "False", "False", P::ImportFromFile, P::ActiveWindowOnSave},
      {"False", "False", "False", P::ActiveWindow, P::None},
      {"False", "False", "True", P::ActiveWindowOnSave, P::ImportFromFile},
      {"1", "0", "1", P::None, P::ImportFromFile},
  };
  for (const auto& [onSave, active, fromFile, before, chosen] : cases) {
    form.values.ipt.previewSource = before;
    ASSERT_EQ(Load("IPT", DefaultLinesWith({{"IPTACTIVEWINDOWONSAVE", onSave}, {"IPTACTIVEWINDOW", active},
                                            {"IPTImportFromFile", fromFile}})), std::nullopt);
    EXPECT_EQ(form.values.ipt.previewSource, chosen) << onSave << " " << active << " " << fromFile;
  }
}

TEST_F(OptionSetsTest, PrinterNumbersReadWithTheLocalesSeparatorAndWithThePoint) {
  const testing::DecimalCommaLocale german;
  if (!german.active()) GTEST_SKIP() << german.reason();
  const struct {
    const char* scale;
    const char* copies;
    const char* shownScale;
    const char* shownCopies;
  } cases[] = {
      {"0,5", "3,0", "0,5", "3"},   // as the window writes them under this locale
      {"0.5", "3.0", "0,5", "3"},   // a file written with the point reads as before
      {"2", "2", "2", "2"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Load("PRINTER", DefaultLinesWith({{"PrinterCustomScale", c.scale}, {"PrinterCopies", c.copies}})),
              std::nullopt)
        << c.scale << " " << c.copies;
    EXPECT_EQ(form.values.printer.customScale, c.shownScale) << c.scale;
    EXPECT_EQ(form.values.printer.copies, c.shownCopies) << c.copies;
  }
  // Group separators are no part of a number.
  EXPECT_EQ(Load("PRINTER", DefaultLinesWith({{"PrinterCustomScale", "1.000,5"}})),
            (OptionLoadFailure{"PRINTER", "PrinterCustomScale", "1.000,5", true}));
}

}  // namespace
}  // namespace korrin
