#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QLocale>
#include <QScrollBar>
#include <clocale>
#include <memory>

#include "GermanLocale.h"
#include "Screenshots.h"
#include "formats/OptionSets.h"
#include "support/FakePrinters.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"
#include "ui/Exportsettings.h"

namespace korrin {
namespace {

// The export settings window of a German user: numbers are typed with a
// decimal comma, and a point, the group separator, is no part of a number
// typed into a field.
class ExportsettingsGermanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::GermanLocaleUnavailable().empty()) GTEST_SKIP() << testing::GermanLocaleUnavailable();
    ASSERT_EQ(QLocale().decimalPoint(), ",");
    ASSERT_EQ(QLocale().groupSeparator(), ".");
    ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
    printers_.installed = {"Plotter"};
    printers_.defaultPrinter = "Plotter";
    folder_.Write("papersizes.ini", "A3;420;297;Inventor Standard format\r\n");
    store_ = DefaultTemplateLines();
    store_.SetExportOption("BMP_X", "640");
    store_.SetExportOption("STLHigh", "25000");
    store_.SetExportOption("PrinterSheetRangeTo", "4");
    window_ = std::make_unique<Exportsettings>(ExportsettingsPorts{store_, folder_.string(), dialogs_, printers_,
                                                                   (folder_ / "papersizes.ini").string(),
                                                                   "RegistryVersion7.0"});
    window_->PrepareForFormat("PRINTER");
    window_->show();
  }

  QLineEdit& Field(const char* name) {
    auto* field = window_->findChild<QLineEdit*>(name);
    EXPECT_NE(field, nullptr) << name;
    return *field;
  }
  std::string Typed(const char* name, const char* text) {
    Field(name).setText(QString::fromUtf8(text));
    return Field(name).text().toStdString();
  }
  std::string Option(std::string_view key) const {
    std::string value;
    store_.GetExportOption(key, value);
    return value;
  }

  testing::TemporaryFolder folder_;
  testing::ScriptedDialogs dialogs_;
  testing::FakePrinters printers_;
  ExportTemplateLines store_;
  std::unique_ptr<Exportsettings> window_;
};

TEST_F(ExportsettingsGermanTest, FieldsTakeTheDecimalCommaAndRefuseGroupSeparators) {
  // field, typed, shown afterwards: refused texts give the template's value.
  const struct {
    const char* field;
    const char* typed;
    const char* shown;
  } cases[] = {
      {"ImageWidth", "2500,5", "2500,5"},  {"ImageWidth", "12000,5", "10000"}, {"ImageWidth", "-0,5", "0"},
      {"ImageWidth", "2.500,5", "640"},    {"ImageWidth", "20.000", "640"},    {"ImageWidth", "2500.5", "640"},
      {"StlHighValue", "20000,0", "20000,0"}, {"StlHighValue", "20.000", "25000"},
      {"SheetTo", "2,0", "2,0"},            {"SheetTo", "1.000", "4"},
  };
  for (const auto& c : cases) EXPECT_EQ(Typed(c.field, c.typed), c.shown) << c.field << " " << c.typed;
}

TEST_F(ExportsettingsGermanTest, CopiesTakeTheDecimalCommaAndRefuseGroupSeparators) {
  QScrollBar* bar = window_->findChild<QScrollBar*>("CopiesSpin");
  ASSERT_NE(bar, nullptr);
  const struct {
    const char* typed;
    const char* shown;
    int position;
  } cases[] = {{"3,0", "3,0", 9998}, {"3.0", "1", 10000}, {"1.000", "1", 10000}, {"12", "12", 9989}};
  for (const auto& c : cases) {
    EXPECT_EQ(Typed("Copies", c.typed), c.shown) << c.typed;
    EXPECT_EQ(bar->value(), c.position) << c.typed;
  }
}

TEST_F(ExportsettingsGermanTest, ApplyWritesTheNumbersAsTyped) {
  Typed("ImageWidth", "2500,5");
  Typed("Copies", "3,0");
  Typed("CustomScale", "0,5");
  Typed("StlHighValue", "20000,0");
  EXPECT_TRUE(testing::SaveScreenshot(*window_, "Exportsettings-German"));
  window_->findChild<QAbstractButton*>("ApplyAndExit")->click();
  EXPECT_EQ(Option("BMP_X"), "2500,5");
  EXPECT_EQ(Option("PrinterCopies"), "3,0");
  EXPECT_EQ(Option("PrinterCustomScale"), "0,5");
  EXPECT_EQ(Option("STLHigh"), "20000,0");
}

}  // namespace
}  // namespace korrin
