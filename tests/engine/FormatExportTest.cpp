#include "EngineFixture.h"
#include "engine/FormatExport.h"
#include "settings/TextFile.h"
#include "support/DecimalCommaLocale.h"
#include "support/FileBytes.h"

namespace korrin {
namespace {

using Next = FormatExport::Next;

class FormatExportTest : public testing::EngineFixture {
 protected:
  FormatExport Export(const std::string& pattern, const std::string& outputBase, host::DocumentHandle document) {
    ExportContext context = Context(version_);
    FormatExport result = ExportByFormat(context, pattern, outputBase, document);
    pending_ = context.pending;
    hostGone_ = context.hostGone;
    return result;
  }
  std::string Out(const std::string& name) { return (folder_ / "out" / name).string(); }
  RegistryValue Read(const std::string& key, const std::string& name) {
    RegistryValue value;
    registry_.ReadRegistryValue(RegistryRoot::CurrentUser, HostUserKey(kTag, key), name, value);
    return value;
  }

  void SetUp() override {
    std::filesystem::create_directories(folder_ / "out");
    options_.Replace({"[EXPORTOPTIONS]", "PTPPublishComponentProperties=1", "DWPAllSheets=True",
                      "DWPPublishProperties=0", "SATSaveACISVersion=6", "BMP_X=320", "BMP_Y=200"});
  }

  std::string version_ = "7.0";
  std::optional<Failure> pending_;
  bool hostGone_ = false;
};

TEST_F(FormatExportTest, NativeSavesCopyToTheOutputOrSaveInPlace) {
  const std::string source = Write("in/p.ipt", Part());
  const host::DocumentHandle part = Open(source);
  FormatExport copy = Export("*.IPT", Out("p"), part);
  EXPECT_TRUE(copy.directSave);
  EXPECT_EQ(copy.outputBase, Out("p.ipt"));
  EXPECT_TRUE(std::filesystem::exists(Out("p.ipt")));
  EXPECT_EQ(Host().documents().FullFileName(part).value(), source);

  // Exported beside itself, the part is saved in place, never deleted first.
  FormatExport inPlace = Export("*.IPT", (folder_ / "in/p").string(), part);
  EXPECT_EQ(inPlace.outputBase, source);
  EXPECT_TRUE(std::filesystem::exists(source));
  EXPECT_FALSE(pending_);

  // A folder named but for letter case is another folder here: the copy goes there.
  std::filesystem::create_directories(folder_ / "IN");
  FormatExport other = Export("*.IPT", (folder_ / "IN/p").string(), part);
  EXPECT_EQ(other.outputBase, (folder_ / "IN/p.ipt").string());
  EXPECT_TRUE(std::filesystem::exists(folder_ / "IN/p.ipt"));
  EXPECT_EQ(Host().documents().FullFileName(part).value(), source);
}

TEST_F(FormatExportTest, ADrawingSavedOverItsOwnFileIsNotDeletedFirst) {
  const std::string source = Write("in/d.idw", Drawing({Sheet("Sheet:1", 42.0, 29.7)}));
  const host::DocumentHandle drawing = Open(source);
  FormatExport result = Export("*.IDW", (folder_ / "in/d").string(), drawing);
  EXPECT_EQ(result.translatorTag, "IDW");
  EXPECT_TRUE(std::filesystem::exists(source));
  EXPECT_FALSE(pending_);
}

TEST_F(FormatExportTest, TranslatorFormatsOnlyPickTheirTag) {
  const host::DocumentHandle part = Open(Write("in/p.ipt", Part()));
  const struct {
    std::string pattern, tag;
    bool directSave;
  } cases[] = {{"*.DWG", "DWG", false}, {"*.DXF", "DXF", false}, {"*.IGES", "IGS", false}, {"*.STE", "STP", false},
               {"*.STL", "STL", false}, {"*.XYZ", "*.XYZ", false}, {"PRINTE", "PRINTE", true}};
  for (const auto& test : cases) {
    const FormatExport result = Export(test.pattern, Out("p"), part);
    EXPECT_EQ(result.translatorTag, test.tag) << test.pattern;
    EXPECT_EQ(result.directSave, test.directSave) << test.pattern;
    EXPECT_EQ(result.next, Next::Continue) << test.pattern;
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder_ / "out"));
}

TEST_F(FormatExportTest, PackagesSwitchTheirRegistryValuesThenSaveACopy) {
  const host::DocumentHandle part = Open(Write("in/p.ipt", Part()));
  EXPECT_EQ(Export("*.PTP", Out("p"), part).translatorTag, "PTP");
  EXPECT_EQ(Read("\\Translators\\PtpTranslator", "SaveProperties"), RegistryValue(std::int32_t{1}));
  EXPECT_EQ(ReadTextFile(Out("p.ptp")).lines.at(2), "kind PTP");

  Export("*.DWP", Out("p"), part);
  EXPECT_EQ(Read("\\Translators\\DwpTranslator", "SaveAllSheets"), RegistryValue(std::int32_t{1}));
  EXPECT_EQ(Read("\\Translators\\DwpTranslator", "SaveProperties"), RegistryValue(std::int32_t{0}));
  options_.SetExportOption("DWPAllSheets", "False");
  Export("*.DWP", Out("p"), part);
  EXPECT_EQ(Read("\\Translators\\DwpTranslator", "SaveAllSheets"), RegistryValue(std::int32_t{0}));

  // A value that is no number cannot be written: the box says so, the copy is still saved.
  options_.SetExportOption("PTPPublishComponentProperties", "many");
  dialogs_.ExpectMessage("Couldn't write PtpTranslator-SaveProperties information in registrationdatabase");
  EXPECT_EQ(Export("*.PTP", Out("q"), part).next, Next::Continue);
  EXPECT_TRUE(std::filesystem::exists(Out("q.ptp")));
}

TEST_F(FormatExportTest, SatWritesItsVersionOrEndsTheRun) {
  const host::DocumentHandle part = Open(Write("in/p.ipt", Part()));
  // The key is the host's: the run does not create it.
  dialogs_.ExpectMessage("Couldn't set AcisVersion in registry database");
  EXPECT_EQ(Export("*.SAT", Out("p"), part).next, Next::EndRun);
  EXPECT_FALSE(std::filesystem::exists(Out("p.sat")));

  ASSERT_TRUE(registry_.CreateRegistryKey(RegistryRoot::CurrentUser, HostUserKey(kTag, "\\Translators\\SatTranslator"), ""));
  EXPECT_EQ(Export("*.SAT", Out("p"), part).next, Next::Continue);
  EXPECT_EQ(Read("\\Translators\\SatTranslator", "SaveACISVersion"), RegistryValue(std::int32_t{6}));
  EXPECT_TRUE(std::filesystem::exists(Out("p.sat")));

  version_ = "5.3";
  options_.SetExportOption("SATSaveACISVersion", "4");
  Export("*.SAT", Out("p"), part);
  EXPECT_EQ(Read("\\Translators\\SatTranslator", "SaveACISVersion"), RegistryValue(std::int32_t{6}));
}

TEST_F(FormatExportTest, BitmapsHaveTheOptionsSizeOnEitherPath) {
  const host::DocumentHandle part = Open(Write("in/p.ipt", Part()));
  Export("*.BMP", Out("direct"), part);
  EXPECT_EQ(testing::LittleEndian32(folder_.Read("out/direct.bmp"), 18), 320u);
  // The 5.3 host sizes its view window and writes through its command.
  version_ = "5.3";
  Export("*.BMP", Out("command"), part);
  const std::string bytes = folder_.Read("out/command.bmp");
  ASSERT_GE(bytes.size(), 26u);
  EXPECT_EQ(testing::LittleEndian32(bytes, 18), 320u);
  EXPECT_EQ(testing::LittleEndian32(bytes, 22), 200u);
  EXPECT_FALSE(pending_);
}

// The 5.3 host's bitmap command: a host that ends while it works ends the
// wait with its failure, not at the time limit.
TEST_F(FormatExportTest, ABitmapCommandWhoseHostEndsStopsWaitingAtOnce) {
  const host::DocumentHandle part = Open(Write("in/p.ipt", Part()));
  version_ = "5.3";
  int yields = 0;
  events_.onYield = [this, &yields](int) {
    ++yields;
    connector_.EndHostProcess();
  };
  Export("*.BMP", Out("gone"), part);
  ASSERT_TRUE(pending_);
  EXPECT_EQ(pending_->description, "The object invoked has disconnected from its clients.");
  EXPECT_TRUE(hostGone_);
  EXPECT_EQ(yields, 1);
}

TEST_F(FormatExportTest, BitmapSizesReadWithTheLocalesSeparatorAndWithThePoint) {
  const testing::DecimalCommaLocale german;
  if (!german.active()) GTEST_SKIP() << german.reason();
  const host::DocumentHandle part = Open(Write("in/p.ipt", Part()));
  options_.SetExportOption("BMP_X", "320,0");
  options_.SetExportOption("BMP_Y", "200.0");
  Export("*.BMP", Out("typed"), part);
  const std::string bytes = folder_.Read("out/typed.bmp");
  ASSERT_GE(bytes.size(), 26u);
  EXPECT_EQ(testing::LittleEndian32(bytes, 18), 320u);
  EXPECT_EQ(testing::LittleEndian32(bytes, 22), 200u);
  EXPECT_FALSE(pending_);
}

TEST_F(FormatExportTest, AMultiSheetDwfStopsAtASheetThatIsNotReady) {
  const host::DocumentHandle drawing = Open(Write(
      "in/d.idw", [] {
        standin::StandinDocument document = Drawing({Sheet("Sheet:1", 42.0, 29.7), Sheet("Sheet:2", 42.0, 29.7)});
        document.references = {{"missing.ipt", std::nullopt}};
        return document;
      }()));
  const FormatExport result = Export("*.DWF", Out("d"), drawing);
  EXPECT_EQ(result.next, Next::NextEntry);
  EXPECT_EQ(view_.lines, std::vector<std::string>{"Referenced file not found: " + (folder_ / "in/missing.ipt").string() +
                                                  "   Document NOT printet"});
}

TEST_F(FormatExportTest, AFailedHostSaveIsKeptForTheRun) {
  const host::DocumentHandle part = Open(Write("in/p.ipt", Part()));
  Export("*.IPT", (folder_ / "no/such/folder/p").string(), part);
  ASSERT_TRUE(pending_);
  EXPECT_NE(pending_->description.find("no/such/folder"), std::string::npos) << pending_->description;
}

}  // namespace
}  // namespace korrin
