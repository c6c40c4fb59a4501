#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QToolButton>
#include <QApplication>
#include <QTest>
#include <QTreeWidget>

#include "ModalWindows.h"
#include "Screenshots.h"
#include "formats/OptionKeys.h"
#include "formats/OptionSets.h"
#include "print/PaperSizeFile.h"
#include "support/FakePrinters.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"
#include "ui/Exportsettings.h"
#include "ui/PaperSizeDefinitions.h"
#include "ui/Paperdefinition.h"

namespace korrin {
namespace {

using Lines = std::vector<std::string>;

std::string Joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

constexpr const char* kPapers =
    "A4;210;297;Inventor Standard format\r\n"
    "A3;420;297;Inventor Standard format\r\n"
    "Letter;215,9;279,4;Inventor Standard Format\r\n";

class ExportsettingsTest : public ::testing::Test {
 protected:
  ExportsettingsTest() {
    printers_.installed = {"Office", "Plotter"};
    printers_.defaultPrinter = "Plotter";
    printers_.media["Plotter"] = {"A4", "PostScript Custom Page Size", "Custom 8.5 x 11 in", "Large [420 x 297 mm]"};
    Lines lines = DefaultTemplateLines().lines();
    lines.insert(lines.begin() + 1, "; kept as written");
    lines.push_back("UnusedKey=stays");
    WriteTemplate(lines);
    folder_.Write("papersizes.ini", kPapers);
    store_.Replace(lines);
  }

  void WriteTemplate(const Lines& lines) { folder_.Write("KorrinExportTemplate.INI", Joined(lines)); }
  void SetOption(std::string_view key, std::string_view value) { store_.SetExportOption(key, value); }
  std::string Option(std::string_view key) const {
    std::string value;
    store_.GetExportOption(key, value);
    return value;
  }

  Exportsettings& Open(const std::string& key, const std::string& hostVersion = "RegistryVersion7.0") {
    window_ = std::make_unique<Exportsettings>(ExportsettingsPorts{store_, folder_.string(), dialogs_, printers_,
                                                                   (folder_ / "papersizes.ini").string(), hostVersion});
    window_->PrepareForFormat(key);
    window_->show();
    return *window_;
  }

  template <typename Control>
  Control& Find(const char* name) {
    auto* control = window_->findChild<Control*>(name);
    if (control == nullptr) ADD_FAILURE() << "no control " << name;
    return *control;
  }
  QTabBar& Tabs() { return Find<QTabBar>("TabStrip1"); }
  void Click(const char* name) { Find<QAbstractButton>(name).click(); }
  void Type(const char* name, const QString& text) { Find<QLineEdit>(name).setText(text); }
  QString Text(const char* name) { return Find<QLineEdit>(name).text(); }

  // Every tab as the window shows it now.
  OptionSets Shown() const {
    OptionSets now;
    window_->Read(now.ipt);
    window_->Read(now.bmp);
    window_->Read(now.sat);
    window_->Read(now.igs);
    window_->Read(now.stp);
    window_->Read(now.stl);
    window_->Read(now.ptp);
    window_->Read(now.amp);
    window_->Read(now.dwp);
    window_->Read(now.printer);
    return now;
  }

  // The captions of the frames shown, in the order the window holds them.
  QStringList ShownFrames() {
    QStringList shown;
    for (QGroupBox* frame : window_->findChildren<QGroupBox*>()) {
      if (frame->objectName().endsWith("frame") && frame->isVisibleTo(window_.get())) shown << frame->title();
    }
    return shown;
  }

  testing::TemporaryFolder folder_;
  testing::ScriptedDialogs dialogs_;
  testing::FakePrinters printers_;
  ExportTemplateLines store_;
  std::unique_ptr<Exportsettings> window_;
};

struct TabCase {
  const char* caption;
  const char* toolTip;
  QStringList frames;
};

const std::vector<TabCase>& TabCases() {
  static const std::vector<TabCase> cases{
      {"IPT/IAM/IDW/IPN/IDE", "IPT/IAM/IDW/IPN/IDE Settings", {"IPT/IAM/IDW/IDE/IPN-Settings"}},
      {"BMP", "BMP Settings", {"BMP-Settings"}},
      {"SAT", "SAT Settings", {"SAT-Settings"}},
      {"IGS", "IGES Settings", {"IGS-Settings"}},
      {"STP", "STEP Settings", {"STP-Settings"}},
      {"STL", "STL Settings", {"STL-Settings"}},
      {"PTP", "PTP Settings", {"PTP-Settings"}},
      {"XGL", "XGL Settings", {"XGL-Settings"}},
      {"AMP", "AMP Settings", {"AMP-Settings"}},
      {"ZGL", "ZGL Settings", {"ZGL-Settings"}},
      {"DWP", "DWP Settings", {"DWP-Settings"}},
      {"DWF", "DWF Settings", {"DWF-Settings"}},
      {"PNP", "PNP Settings", {"PNP-Settings"}},
      {"PRINTER", "Printer Settings", {"Printer-Settings", "Print Range", "Scale", "None IDW settings"}},
  };
  return cases;
}

TEST_F(ExportsettingsTest, EveryTabShowsItsOwnFramesAndIsPictured) {
  Open("IPT");
  EXPECT_EQ(window_->windowTitle(), "Exportsettings");
  ASSERT_EQ(Tabs().count(), 14);
  for (int index = 0; index < Tabs().count(); ++index) {
    const TabCase& expected = TabCases()[static_cast<std::size_t>(index)];
    EXPECT_EQ(Tabs().tabText(index), expected.caption);
    EXPECT_EQ(Tabs().tabToolTip(index), expected.toolTip);
    Tabs().setCurrentIndex(index);
    QStringList shown = ShownFrames();
    shown.sort();
    QStringList frames = expected.frames;
    frames.sort();
    EXPECT_EQ(shown, frames) << expected.caption;
    QString picture = QString("Exportsettings-") + expected.caption;
    EXPECT_TRUE(testing::SaveScreenshot(*window_, picture.replace('/', '-').toStdString()));
  }
}

TEST_F(ExportsettingsTest, EveryTabShowsWholeWithinTheFixedSizeWithoutScrollArrows) {
  const QFont standard = QApplication::font();
  for (const double points : {standard.pointSizeF(), 13.0}) {
    QFont font = standard;
    font.setPointSizeF(points);
    QApplication::setFont(font);
    for (const char* key : {"IPT", "PRINTER"}) {
      Open(key);
      QTabBar& tabs = Tabs();
      EXPECT_EQ(window_->size(), QSize(600, 397));
      EXPECT_LE(tabs.geometry().right(), window_->width() - 1);
      ASSERT_EQ(tabs.count(), 14);
      for (int index = 0; index < tabs.count(); ++index) {
        const QRect tab = tabs.tabRect(index);
        const QString caption = tabs.tabText(index);
        EXPECT_GE(tab.left(), 0) << caption.toStdString() << " at " << points;
        EXPECT_LE(tab.right(), tabs.width() - 1) << caption.toStdString() << " at " << points;
        EXPECT_LE(tabs.fontMetrics().horizontalAdvance(caption), tab.width()) << caption.toStdString();
      }
      for (const QToolButton* arrow : tabs.findChildren<QToolButton*>()) {
        EXPECT_FALSE(arrow->isVisible()) << points;
      }
    }
    EXPECT_TRUE(testing::SaveScreenshot(*window_, "Exportsettings-tabs-" + std::to_string(static_cast<int>(points)) + "pt"));
  }
  QApplication::setFont(standard);
}

TEST_F(ExportsettingsTest, OpensOnTheTabOfTheExportFormatAndKeepsItsFixedSize) {
  const std::pair<const char*, int> formats[] = {{"IPT", 0}, {"BMP", 1}, {"sat", 2}, {"IGS", 3}, {"STP", 4},
                                                 {"STL", 5}, {"PTP", 6}, {"XGL", 7}, {"AMP", 8}, {"ZGL", 9},
                                                 {"DWP", 10}, {"DWF", 11}, {"PNP", 12}, {"PRINTER", 13}};
  for (const auto& [key, tab] : formats) {
    Open(key);
    EXPECT_EQ(Tabs().currentIndex(), tab) << key;
    EXPECT_EQ(ShownFrames().size(), tab == 13 ? 4 : 1) << key;
  }
  // A fresh window opened for assemblies shows its first tab; an open one
  // keeps the tab it had.
  Open("IAM");
  EXPECT_EQ(Tabs().currentIndex(), 0);
  EXPECT_EQ(ShownFrames(), QStringList{"IPT/IAM/IDW/IDE/IPN-Settings"});
  Tabs().setCurrentIndex(5);
  window_->PrepareForFormat("IAM");
  EXPECT_EQ(Tabs().currentIndex(), 5);
  EXPECT_EQ(ShownFrames(), QStringList{"STL-Settings"});

  window_->resize(800, 600);
  EXPECT_EQ(window_->size(), QSize(600, 397));
}

TEST_F(ExportsettingsTest, ShowFramesForTagMatchesCaptionsIgnoringCase) {
  Open("IPT");
  window_->ShowFramesForTag("printer");
  EXPECT_EQ(ShownFrames().size(), 4);
  window_->ShowFramesForTag("igs");
  EXPECT_EQ(ShownFrames(), QStringList{"IGS-Settings"});
  window_->ShowFramesForTag("IAM");
  EXPECT_TRUE(ShownFrames().isEmpty());
  window_->SelectTab("stl");
  EXPECT_EQ(Tabs().currentIndex(), 5);
  window_->SelectTab("ipt");  // only the whole caption selects
  EXPECT_EQ(Tabs().currentIndex(), 5);
}

TEST_F(ExportsettingsTest, ImageSizesStayBetweenZeroAndTenThousand) {
  SetOption("BMP_X", "640");
  Open("BMP");
  EXPECT_EQ(Text("ImageWidth"), "640");
  EXPECT_EQ(Find<QLineEdit>("ImageWidth").toolTip(), "Min. 0, max. 10000");
  const std::pair<const char*, const char*> typed[] = {
      {"20000", "10000"}, {"-5", "0"}, {"abc", "640"}, {"", "640"}, {" 1.5e3 ", " 1.5e3 "}, {"+12", "+12"}};
  for (const auto& [text, shown] : typed) {
    Type("ImageWidth", text);
    EXPECT_EQ(Text("ImageWidth"), shown) << text;
  }
  Type("ImageHeight", "10001");
  EXPECT_EQ(Text("ImageHeight"), "10000");
  Type("ImageHeight", "x");
  EXPECT_EQ(Text("ImageHeight"), "0");
}

// The German user's locale is tested in an executable of its own.
TEST_F(ExportsettingsTest, NumbersWithAGroupSeparatorAreRefused) {
  SetOption("BMP_X", "640");
  Open("PRINTER");
  ASSERT_EQ(QLocale().groupSeparator(), ",");
  Type("ImageWidth", "1,000");
  EXPECT_EQ(Text("ImageWidth"), "640");
  Type("ImageWidth", "1000.5");
  EXPECT_EQ(Text("ImageWidth"), "1000.5");
  Type("Copies", "1,000");
  EXPECT_EQ(Text("Copies"), "1");
  EXPECT_EQ(Find<QScrollBar>("CopiesSpin").value(), 10000);
}

TEST_F(ExportsettingsTest, CopiesFieldAndItsInvertedSpinBar) {
  Open("PRINTER");
  QScrollBar& bar = Find<QScrollBar>("CopiesSpin");
  EXPECT_EQ(bar.minimum(), 1);
  EXPECT_EQ(bar.maximum(), 10000);
  EXPECT_EQ(bar.singleStep(), 1);
  EXPECT_EQ(bar.pageStep(), 10);
  const std::tuple<const char*, const char*, int> typed[] = {
      {"0", "1", 10000}, {"25", "25", 9976}, {"10001", "1", 10000}, {"abc", "1", 10000}, {"nan", "1", 10000},
      {"inf", "1", 10000}, {"10000", "10000", 1}};
  for (const auto& [text, shown, position] : typed) {
    Type("Copies", text);
    EXPECT_EQ(Text("Copies"), shown) << text;
    EXPECT_EQ(bar.value(), position) << text;
  }
  Type("Copies", "5");
  bar.triggerAction(QAbstractSlider::SliderSingleStepSub);  // up: one copy more
  EXPECT_EQ(Text("Copies"), "6");
  bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(Text("Copies"), "1");
  EXPECT_EQ(bar.value(), 10000);
}

TEST_F(ExportsettingsTest, StlValuesFallBackToTheTemplateAndTheirDefaults) {
  SetOption("STLLow", "2500");
  Open("STL");
  EXPECT_TRUE(Find<QRadioButton>("StlMedium").isChecked());
  Type("StlLowValue", "fine");
  EXPECT_EQ(Text("StlLowValue"), "2500");
  Type("StlLowValue", "-1");
  Click("StlLow");
  EXPECT_EQ(Text("StlLowValue"), "2000");
  Type("StlHighValue", "0");
  Click("StlHigh");
  EXPECT_EQ(Text("StlHighValue"), "20000");
  Type("StlMediumValue", "7000");
  Click("StlMedium");
  EXPECT_EQ(Text("StlMediumValue"), "7000");
  Click("StlMediumDefault");
  EXPECT_EQ(Text("StlMediumValue"), "6300");
  EXPECT_EQ(Find<QPushButton>("StlLowDefault").toolTip(), "Default: 2000");
  EXPECT_EQ(Find<QLineEdit>("StlHighValue").toolTip(), "Change with CAUTION. Restart of Inventor needed if changed");
}

TEST_F(ExportsettingsTest, ControlsFollowTheChoicesTheyDependOn) {
  Open("IPT");
  Click("SavePreviewPicture");  // cleared now
  for (const char* name : {"ActiveWindowOnSave", "ActiveWindow", "ImportFromFile"}) {
    EXPECT_FALSE(Find<QRadioButton>(name).isEnabled()) << name;
  }
  Click("SavePreviewPicture");
  EXPECT_TRUE(Find<QRadioButton>("ActiveWindowOnSave").isEnabled());
  EXPECT_TRUE(Find<QRadioButton>("ActiveWindow").isEnabled());
  EXPECT_FALSE(Find<QRadioButton>("ImportFromFile").isEnabled());

  const std::tuple<const char*, bool, bool> geometry[] = {
      {"Solids", false, true}, {"Wireframe", false, false}, {"Surfaces", true, false}};
  for (const auto& [type, surface, solid] : geometry) {
    Find<QComboBox>("OutputGeometryType").setCurrentText(type);
    EXPECT_EQ(Find<QComboBox>("SurfaceType").isEnabled(), surface) << type;
    EXPECT_EQ(Find<QComboBox>("SolidFaceType").isEnabled(), solid) << type;
  }
  EXPECT_EQ(Find<QComboBox>("SolidFaceType").palette().color(QPalette::Base), QPalette().color(QPalette::Midlight));

  window_->SelectTab("STP");
  Click("ConfigurationControlledDesign");
  EXPECT_FALSE(Find<QComboBox>("AutomotiveDesignStatus").isEnabled());
  Click("AutomotiveDesign");
  EXPECT_TRUE(Find<QComboBox>("AutomotiveDesignStatus").isEnabled());
  EXPECT_TRUE(Find<QCheckBox>("InventorUsername").isChecked());
  EXPECT_FALSE(Find<QLineEdit>("Author").isEnabled());
  Click("InventorUsername");
  EXPECT_TRUE(Find<QLineEdit>("Author").isEnabled());

  window_->SelectTab("PRINTER");
  Click("SheetsInRange");
  EXPECT_TRUE(Find<QLineEdit>("SheetFrom").isEnabled());
  EXPECT_TRUE(Find<QLineEdit>("SheetTo").isEnabled());
  Click("AllSheets");
  EXPECT_FALSE(Find<QLineEdit>("SheetFrom").isEnabled());
  EXPECT_FALSE(Find<QLineEdit>("SheetTo").isEnabled());

  const std::tuple<const char*, bool, bool> scales[] = {
      {"Model11", false, false}, {"BestFit", false, true}, {"Custom", true, true}};
  for (const auto& [scale, factor, paper] : scales) {
    Click(scale);
    EXPECT_EQ(Find<QLineEdit>("CustomScale").isEnabled(), factor) << scale;
    EXPECT_EQ(Find<QComboBox>("Combo6").isEnabled(), paper) << scale;
  }

  EXPECT_TRUE(Find<QCheckBox>("Collate").isChecked());
  EXPECT_TRUE(Find<QLabel>("CollatePicture1").isVisible());
  EXPECT_FALSE(Find<QLabel>("CollatePicture2").isVisible());
  Click("Collate");
  EXPECT_FALSE(Find<QLabel>("CollatePicture1").isVisible());
  EXPECT_TRUE(Find<QLabel>("CollatePicture2").isVisible());
}

TEST_F(ExportsettingsTest, SheetFieldsFallBackToTheTemplate) {
  SetOption("PrinterSheetrangeFrom", "2");
  SetOption("PrinterSheetRangeTo", "");
  Open("PRINTER");
  EXPECT_EQ(Text("SheetTo"), "1");  // an empty value reads as sheet 1
  Type("SheetFrom", "first");
  EXPECT_EQ(Text("SheetFrom"), "2");
  Type("SheetTo", "-");
  EXPECT_EQ(Text("SheetTo"), "");
}

// A template with a value other than the default for every key.
Lines ChangedTemplate() {
  ExportTemplateLines changed = DefaultTemplateLines();
  const std::pair<const char*, const char*> values[] = {
      {"IPTSAVEPREVIEW", "0"}, {"IPTACTIVEWINDOWONSAVE", "False"}, {"IPTACTIVEWINDOW", "True"},
      {"BMP_X", "320"}, {"BMP_Y", "200"}, {"SATSaveACISVersion", "5"}, {"IGSOutputGeometryType", "Solids"},
      {"IGSSurfaceType", "144 - Trimmed"}, {"IGSSolidFaceType", "NURBS"}, {"IGSImportHealing", "0"},
      {"IGSImportStitch", "0"}, {"STPApplicationProtocol", "True"}, {"STPAutomotiveDesign", "IS - International Standard"},
      {"STPAuthorization", "QA"}, {"STPAuthor", "Kim"}, {"STPOrganization", "Works"}, {"STPDescription", "Parts"},
      {"STLHigh", "30000"}, {"STLMedium", "7000"}, {"STLLow", "1000"}, {"STLValue", "1"},
      {"PTPPublishComponentProperties", "0"}, {"AMPPublishComponentProperties", "0"},
      {"AMPPublishDesignViewInformation", "1"}, {"DWPAllSheets", "False"}, {"DWPPublishProperties", "1"},
      {"PrinterPrinter", "Office"}, {"PrinterPapersize", "A4"}, {"PrinterPrintRange", "3"},
      {"PrinterSheetrangeFrom", "2"}, {"PrinterSheetRangeTo", "4"}, {"PrinterScale", "3"},
      {"PrinterCustomScale", "0.5"}, {"PrinterRotate90Deg", "1"}, {"PrinterCopies", "3"}, {"PrinterCollate", "0"},
      {"PrinterColormode", "True"}, {"PrinterPrintToFile", "1"}, {"PrinterFitNoneIDW", "0"},
      {"PrinterRendermethod", "130"}};
  for (const auto& [key, value] : values) changed.SetExportOption(key, value);
  return changed.lines();
}

TEST_F(ExportsettingsTest, InventorDefaultsResetsTheSelectedTabOnly) {
  store_.Replace(ChangedTemplate());
  OptionSetsInMemory changed;
  ASSERT_FALSE(LoadAllOptionSets(true, store_, changed, printers_));
  OptionSetsInMemory defaults;
  ASSERT_FALSE(LoadAllOptionSets(false, store_, defaults, printers_));
  Open("IPT");
  OptionSetsInMemory shown;
  ApplyExportSettings(*window_, store_);
  ASSERT_FALSE(LoadAllOptionSets(true, store_, shown, printers_));
  EXPECT_EQ(shown.values, changed.values) << "the window shows and collects every value as loaded";

  OptionSetsInMemory expected = changed;
  const std::pair<int, const char*> resets[] = {{0, "IPT"}, {1, "BMP"}, {2, "SAT"}, {3, "IGS"}, {4, "STP"},
                                                {5, "STL"}, {6, "PTP"}, {7, "XGL"}, {8, "AMP"}, {9, "ZGL"},
                                                {10, "DWP"}, {11, "DWF"}, {12, "PNP"}, {13, "PRINTER"}};
  for (const auto& [tab, tag] : resets) {
    Tabs().setCurrentIndex(tab);
    Click("InventorDefaults");
    if (std::string_view(tag) != "PRINTER") ApplyOptionDefaults(tag, expected, printers_);
    EXPECT_EQ(Shown(), expected.values) << tag;
  }
  EXPECT_NE(expected.values.printer, defaults.values.printer);
  EXPECT_EQ(Find<QComboBox>("Combo5").currentText(), "Office");
}

TEST_F(ExportsettingsTest, LoadedValuesFollowTheTemplatesUnusualValues) {
  SetOption("STLValue", "7");
  SetOption("PrinterRendermethod", "130");
  SetOption("PrinterPrinter", "default");
  SetOption("STPAuthor", "IVDEFAULT");
  Open("STL");
  EXPECT_TRUE(Find<QRadioButton>("StlMedium").isChecked());
  EXPECT_TRUE(Find<QRadioButton>("Shaded").isChecked());
  EXPECT_TRUE(Find<QCheckBox>("ISO").isChecked());
  EXPECT_EQ(Find<QComboBox>("Combo5").currentText(), "Plotter");
  EXPECT_TRUE(Find<QCheckBox>("InventorUsername").isChecked());
  EXPECT_EQ(Text("Author"), "");

  SetOption("PrinterRendermethod", "128");
  window_->PrepareForFormat("STL");
  EXPECT_TRUE(Find<QRadioButton>("Shaded").isChecked()) << "no style in the value: the choice stays";
  Click("ApplyAndExit");
  EXPECT_EQ(Option("STLValue"), "2");
  EXPECT_EQ(Option("PrinterRendermethod"), "130");
  EXPECT_EQ(Option("PrinterPrinter"), "Plotter");
}

TEST_F(ExportsettingsTest, AFailingKeyIsSaidAndTheSetsFromItOnShowTheirDefaults) {
  SetOption("STLValue", "many");
  SetOption("STLHigh", "30000");
  SetOption("SATSaveACISVersion", "5");
  SetOption("IGSOutputGeometryType", "Solids");
  SetOption("PrinterPapersize", "A4");
  SetOption("PrinterCopies", "4");
  dialogs_.ExpectMessage(
      "Invalid value in KorrinExportTemplate.INI: STLValue=many\rThe STL settings and those after them keep the "
      "values shown");
  Open("STL");
  // Loaded before the failing set: the template's values.
  EXPECT_EQ(Find<QComboBox>("SatVersion").currentText(), "5");
  // The failing set and every later one: the defaults, never blank fields.
  EXPECT_EQ(Text("StlHighValue"), "20000");
  EXPECT_EQ(Text("StlMediumValue"), "6300");
  EXPECT_EQ(Text("StlLowValue"), "2000");
  EXPECT_TRUE(Find<QRadioButton>("StlMedium").isChecked());
  EXPECT_EQ(Find<QComboBox>("OutputGeometryType").currentText(), "Surfaces");
  EXPECT_EQ(Find<QComboBox>("SurfaceType").currentText(), "143 - Bounded");
  EXPECT_EQ(Find<QComboBox>("Combo6").currentText(), "A3");
  EXPECT_EQ(Text("Copies"), "1");
  EXPECT_EQ(Text("CustomScale"), "1");
  EXPECT_TRUE(Find<QRadioButton>("CurrentSheet").isChecked());
  EXPECT_TRUE(Find<QCheckBox>("BestFitSelectedPaper").isChecked());
  EXPECT_TRUE(testing::SaveScreenshot(*window_, "Exportsettings-DefaultsAfterAFailingKey"));

  // Applying writes those defaults, not blanks, into the template.
  Click("ApplyAndExit");
  EXPECT_EQ(Option("SATSaveACISVersion"), "5");
  EXPECT_EQ(Option("STLValue"), "2");
  EXPECT_EQ(Option("STLHigh"), "20000");
  EXPECT_EQ(Option("STLLow"), "2000");
  EXPECT_EQ(Option("IGSOutputGeometryType"), "Surfaces");
  EXPECT_EQ(Option("PrinterPapersize"), "A3");
  EXPECT_EQ(Option("PrinterCopies"), "1");
  EXPECT_EQ(Option("PrinterSheetrangeFrom"), "1");
  EXPECT_EQ(Option("PrinterFitNoneIDW"), "1");
}

TEST_F(ExportsettingsTest, ReadingAFailingFileKeepsTheValuesShown) {
  Open("STL");
  Type("StlHighValue", "25000");
  Lines lines = store_.lines();
  for (std::string& line : lines) {
    if (line.rfind("STLValue=", 0) == 0) line = "STLValue=many";
  }
  WriteTemplate(lines);
  dialogs_.ExpectMessage(
      "Invalid value in KorrinExportTemplate.INI: STLValue=many\rThe STL settings and those after them keep the "
      "values shown");
  Click("ReadFromFile");
  EXPECT_EQ(Text("StlHighValue"), "25000");
  EXPECT_TRUE(Find<QRadioButton>("StlMedium").isChecked());
}

TEST_F(ExportsettingsTest, CancelAndEscapeLeaveTheTemplateAsItWas) {
  const Lines before = store_.lines();
  const std::string file = folder_.Read("KorrinExportTemplate.INI");
  for (const bool escape : {false, true}) {
    Open("BMP");
    QSignalSpy unloaded(window_.get(), &Exportsettings::unloaded);
    Type("ImageWidth", "123");
    if (escape) {
      QTest::keyClick(&Find<QLineEdit>("ImageWidth"), Qt::Key_Escape);
    } else {
      Click("CancelAndExit");
    }
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(window_->result(), QDialog::Rejected);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_EQ(store_.lines(), before);
    EXPECT_EQ(folder_.Read("KorrinExportTemplate.INI"), file);
  }
}

TEST_F(ExportsettingsTest, ApplyPutsEveryTabIntoTheTemplateButNotIntoTheFile) {
  const std::string file = folder_.Read("KorrinExportTemplate.INI");
  Open("BMP");
  QSignalSpy unloaded(window_.get(), &Exportsettings::unloaded);
  Type("ImageWidth", "123");
  Tabs().setCurrentIndex(13);
  Click("BestFitSelectedPaper");
  Click("ApplyAndExit");
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(window_->result(), QDialog::Accepted);
  EXPECT_EQ(unloaded.count(), 1);
  EXPECT_EQ(Option("BMP_X"), "123");
  // The print run reads "Best fit selected paper" from the applied template.
  EXPECT_EQ(Option("PrinterFitNoneIDW"), "0");
  EXPECT_EQ(Option("PrinterPrinter"), "Plotter");
  EXPECT_EQ(folder_.Read("KorrinExportTemplate.INI"), file);
}

TEST_F(ExportsettingsTest, SaveWritesTheFileKeepsABackupAndStaysOpen) {
  const std::string before = folder_.Read("KorrinExportTemplate.INI");
  Open("BMP");
  Type("ImageWidth", "123");
  Click("SaveToFile");
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(folder_.Read("KorrinExportTemplate.bak"), before);
  Lines expected = store_.lines();
  const std::string saved = folder_.Read("KorrinExportTemplate.INI");
  EXPECT_EQ(saved, Joined(expected));
  EXPECT_NE(saved.find("\r\nBMP_X=123\r\n"), std::string::npos);
  EXPECT_NE(saved.find("[EXPORTOPTIONS]\r\n; kept as written\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\nUnusedKey=stays\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\nPrinterPrinter=Plotter\r\n"), std::string::npos);
}

TEST_F(ExportsettingsTest, ReadFromFileReplacesTheTemplateAndEveryTab) {
  ExportTemplateLines onDisk = DefaultTemplateLines();
  onDisk.SetExportOption("BMP_X", "77");
  onDisk.SetExportOption("SATSaveACISVersion", "4");
  WriteTemplate(onDisk.lines());
  Open("BMP");
  Type("ImageWidth", "123");
  Click("ReadFromFile");
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(Text("ImageWidth"), "77");
  EXPECT_EQ(Find<QComboBox>("SatVersion").currentText(), "4");
  EXPECT_EQ(store_.lines(), onDisk.lines());
}

TEST_F(ExportsettingsTest, ReadFromAMissingFileIsSaidAndKeepsEverything) {
  std::filesystem::remove(folder_ / "KorrinExportTemplate.INI");
  const Lines before = store_.lines();
  Open("BMP");
  Type("ImageWidth", "123");
  const std::string path = (folder_ / "KorrinExportTemplate.INI").string();
  dialogs_.ExpectMessage("Error opening: " + path +
                         "\rThis file has to be present in the Korrin program directory, and is installed with Korrin"
                         "\rIf the file was accidently deleted, reinstall Korrin"
                         "\rYou may backup your INIfiles at copy them back after the reinstall");
  Click("ReadFromFile");
  EXPECT_EQ(store_.lines(), before);
  EXPECT_EQ(Text("ImageWidth"), "123");
  EXPECT_TRUE(window_->isVisible());
}

TEST_F(ExportsettingsTest, CommandCaptionsAndToolTips) {
  Open("IPT");
  const std::tuple<const char*, const char*, const char*> commands[] = {
      {"InventorDefaults", "Inventor Defaults", "Inventor factory defaults. Applies to current tab only."},
      {"CancelAndExit", "Cancel and Exit", "Discard changes and exit"},
      {"ReadFromFile", "Read from file", "Reread all settings from file for ALL tabs"},
      {"ApplyAndExit", "Apply and Exit.", "Doesn't save to file. Changes some Inventor Registrysettings"},
      {"SaveToFile", "Save  to file", "Save all exportsettings from ALL tabs to file"},
      {"BestFitSelectedPaper", "Best fit selected paper ",
       "None IDW's: Uses screenwidth and height for best paperfill. IDW's scale and rotate to best fit paper. "
       "Overrides Rotation and scalesettings"},
      {"Model11", "Model 1:1", "Uses papersize as defined on IDW sheet"},
      {"CurrentSheet", "Current Sheet", "This will always be the first sheet in the open document"},
      {"ImportEnableHealing", "Import Enable Healing", "Restart of Inventor needed if changed"},
  };
  for (const auto& [name, caption, toolTip] : commands) {
    EXPECT_EQ(Find<QAbstractButton>(name).text(), caption) << name;
    EXPECT_EQ(Find<QAbstractButton>(name).toolTip(), toolTip) << name;
  }
}

TEST_F(ExportsettingsTest, AnOldHostCannotChooseTheAcisVersionNorPrintToFile) {
  Open("SAT", "RegistryVersion5.2");
  EXPECT_FALSE(Find<QComboBox>("SatVersion").isEnabled());
  EXPECT_FALSE(Find<QCheckBox>("PrintToFile").isEnabled());
  Open("SAT");
  EXPECT_TRUE(Find<QComboBox>("SatVersion").isEnabled());
  EXPECT_TRUE(Find<QCheckBox>("PrintToFile").isEnabled());
}

QStringList Items(const QComboBox& list) {
  QStringList items;
  for (int index = 0; index < list.count(); ++index) items << list.itemText(index);
  return items;
}

TEST_F(ExportsettingsTest, PrinterAndPaperListsComeFromThePrintersAndTheDefinitions) {
  SetOption("PrinterPapersize", "Letter");
  Open("PRINTER");
  QComboBox& printer = Find<QComboBox>("Combo5");
  QComboBox& paper = Find<QComboBox>("Combo6");
  EXPECT_EQ(Items(printer), (QStringList{"Office", "Plotter"}));
  EXPECT_EQ(printer.currentText(), "Plotter");
  EXPECT_EQ(Items(paper), (QStringList{"A4", "Custom 8.5 x 11 in", "Large [420 x 297 mm]", "A3", "Letter"}));
  EXPECT_EQ(paper.currentText(), "Letter");
  EXPECT_EQ(Find<QLabel>("PaperWidth").text(), "215.9");
  EXPECT_EQ(Find<QLabel>("PaperHeight").text(), "279.4");
  EXPECT_FALSE(Find<QPushButton>("AddPapersize").isEnabled());
  paper.setCurrentIndex(1);
  EXPECT_EQ(Find<QLabel>("PaperWidth").text(), "");
  EXPECT_TRUE(Find<QPushButton>("AddPapersize").isEnabled());

  Click("ShowPrinterSupported");
  EXPECT_EQ(Items(paper), (QStringList{"A4", "Custom 8.5 x 11 in", "Large [420 x 297 mm]"}));
  EXPECT_EQ(paper.currentText(), "A4");
  Click("ShowPrinterSupported");
  printer.setCurrentIndex(0);
  window_->Combo5_Click();
  EXPECT_EQ(Items(paper), (QStringList{"A4", "A3", "Letter"}));
  EXPECT_EQ(paper.currentText(), "Letter");
  EXPECT_TRUE(testing::SaveScreenshot(*window_, "Exportsettings-PRINTER-Office"));
}

TEST_F(ExportsettingsTest, AddPapersizeReadsTheSizeFromThePapersName) {
  Open("PRINTER");
  QComboBox& paper = Find<QComboBox>("Combo6");
  const std::string file = (folder_ / "papersizes.ini").string();
  struct Case {
    const char* paper;
    PaperSizeRow row;
    bool ok;
  };
  const Case cases[] = {
      {"Custom 8.5 x 11 in", {"Custom 8.5 x 11 in", "215.9", "279.4", "Supported by: Plotter"}, true},
      {"Large [420 x 297 mm]", {"Large [420 x 297 mm]", "420", "297", "Supported by: Plotter"}, false},
  };
  for (const Case& added : cases) {
    paper.setCurrentText(added.paper);
    const std::string before = folder_.Read("papersizes.ini");
    const std::size_t rowsBefore = LoadPaperSizeList(file, dialogs_).size();
    std::vector<PaperSizeRow> rows;
    std::string selected;
    testing::WhenModalOpens([&](QDialog& dialog) {
      auto& editor = dynamic_cast<PaperSizeDefinitions&>(dialog);
      rows = editor.Rows();
      selected = editor.findChild<QTreeWidget*>("ListView1")->currentItem()->text(0).toStdString();
      EXPECT_EQ(editor.definition().Entered(), added.row);
      EXPECT_TRUE(testing::SaveScreenshot(editor, "PaperSizeDefinitions-AddPapersize"));
      if (added.ok) editor.accept();
    });
    Click("AddPapersize");
    ASSERT_EQ(rows.size(), rowsBefore + 1) << added.paper;
    EXPECT_EQ(rows.back(), added.row);
    EXPECT_EQ(selected, added.paper);
    if (added.ok) {
      EXPECT_EQ(folder_.Read("papersizes.ini"), before + "Custom 8.5 x 11 in;215.9;279.4;Supported by: Plotter\r\n");
      EXPECT_EQ(Find<QLabel>("PaperWidth").text(), "215.9");
      EXPECT_FALSE(Find<QPushButton>("AddPapersize").isEnabled());
    } else {
      EXPECT_EQ(folder_.Read("papersizes.ini"), before);
    }
  }
}

TEST_F(ExportsettingsTest, CustomPapersizeOpensTheEditorOnTheFile) {
  Open("PRINTER");
  std::size_t rows = 0;
  testing::WhenModalOpens([&](QDialog& dialog) {
    rows = dynamic_cast<PaperSizeDefinitions&>(dialog).Rows().size();
    EXPECT_EQ(dialog.windowTitle(), "Papersize Definitions");
  });
  Click("CustomPapersize");
  EXPECT_EQ(rows, 3u);
}

}  // namespace
}  // namespace korrin
