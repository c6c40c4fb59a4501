#include <fstream>

#include "SampleSet.h"
#include "geometry/ModelReaders.h"
#include "geometry/ShapeCensus.h"
#include "host/StandinFixture.h"
#include "host/HostCodes.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

// The sample set as the program meets it: through the stand-in host.
class SampleSetTest : public testing::StandinFixture {
 protected:
  static void SetUpTestSuite() {
    samples_ = new testing::TemporaryFolder;
    written_ = new Result<std::vector<std::string>>(standin::WriteSampleSet(samples_->string(), {7, 0}));
  }
  static void TearDownTestSuite() {
    delete written_;
    delete samples_;
  }

  static std::string Sample(const std::string& name) { return (*samples_ / name).string(); }

  // Every reference below the document resolves, subassemblies included.
  bool ResolvesCompletely(host::DocumentHandle document, int depth = 0) {
    auto files = Host().documents().ReferencedFiles(document);
    if (!files || depth > 8) return false;
    for (const host::ReferencedFile& file : files.value()) {
      if (file.referencedDocumentType == host::kUnknownDocument) return false;
      auto referenced = Host().documents().ReferencedDocument(file.descriptor);
      if (!referenced || !ResolvesCompletely(referenced.value(), depth + 1)) return false;
    }
    return true;
  }

  static testing::TemporaryFolder* samples_;
  static Result<std::vector<std::string>>* written_;
};

testing::TemporaryFolder* SampleSetTest::samples_ = nullptr;
Result<std::vector<std::string>>* SampleSetTest::written_ = nullptr;

TEST_F(SampleSetTest, EveryFileListedIsThere) {
  ASSERT_TRUE(written_->ok()) << written_->failure().description;
  EXPECT_EQ(written_->value().size(), 44u);
  for (const std::string& path : written_->value()) EXPECT_TRUE(std::filesystem::exists(path)) << path;
  const auto listed = ReadTextFile(Sample("conversion-list.txt")).lines;
  ASSERT_EQ(listed.size(), 5u);
  for (const std::string& path : listed) EXPECT_TRUE(std::filesystem::exists(path)) << path;
}

TEST_F(SampleSetTest, PartsAndTheAssemblyTreeOpenAndResolve) {
  for (const char* part : {"bracket", "hole-plate", "stepped-shaft", "flange", "washer", "bushing", "spacer-block",
                           "pin", "hex-nut", "gear", "housing", "cover-plate"}) {
    const host::DocumentHandle document = Open(Sample("parts/" + std::string(part) + ".ipt"));
    EXPECT_EQ(Host().documents().DocumentType(document).value(), host::kPartDocument) << part;
  }
  const host::DocumentHandle unit = Open(Sample("assemblies/drive-unit.iam"));
  EXPECT_TRUE(ResolvesCompletely(unit));
  const auto components = Host().documents().ReferencedFiles(unit).value();
  EXPECT_EQ(components.size(), 5u);
  const host::DocumentHandle broken = Open(Sample("assemblies/broken-reference.iam"));
  const auto references = Host().documents().ReferencedFiles(broken).value();
  ASSERT_EQ(references.size(), 2u);
  EXPECT_EQ(references[1].referencedDocumentType, host::kUnknownDocument);
}

TEST_F(SampleSetTest, DrawingsCarryTheirSheets) {
  const host::DocumentHandle unit = Open(Sample("drawings/drive-unit.idw"));
  EXPECT_TRUE(ResolvesCompletely(unit));
  ASSERT_EQ(Host().documents().SheetCount(unit).value(), 3);
  const double widths[] = {118.9, 84.1, 59.4};
  for (int number = 1; number <= 3; ++number) {
    EXPECT_EQ(Host().sheets().Width(Host().documents().Sheet(unit, number).value()).value(), widths[number - 1]);
  }
  const host::DocumentHandle flange = Open(Sample("drawings/flange.idw"));
  EXPECT_TRUE(Host().sheets().ExcludedFromPrinting(Host().documents().Sheet(flange, 2).value()).value());
  EXPECT_EQ(Host().sheets().Width(Host().documents().Sheet(flange, 1).value()).value(), 43.18);
  const host::DocumentHandle shaft = Open(Sample("drawings/stepped-shaft.idw"));
  EXPECT_EQ(Host().sheets().StatusWord(Host().documents().ActiveSheet(shaft).value()).value(),
            host::kViewsComputingBit);
  EXPECT_EQ(Host().documents().SheetCount(Open(Sample("drawings/bracket.idw"))).value(), 1);
}

TEST_F(SampleSetTest, ReleasesAndFaultsShowAsTheyShould) {
  EXPECT_FALSE(Host().OpenDocument(Sample("parts/future-gear.ipt"), true).ok());
  auto reader = connector_.NewApprentice();
  ASSERT_TRUE(reader.ok());
  const host::DocumentHandle legacy = reader.value()->Open(Sample("parts/legacy-plate.ipt")).value();
  EXPECT_EQ(reader.value()->CreatingRelease(legacy).value(), (host::Release{5, 3}));
  EXPECT_TRUE(reader.value()->NeedsMigrating(legacy).value());
  EXPECT_FALSE(Host().OpenDocument(Sample("parts/flaky-pin.ipt"), true).ok());
  EXPECT_TRUE(Host().OpenDocument(Sample("parts/flaky-pin.ipt"), true).ok());
  EXPECT_TRUE(std::filesystem::exists(Sample("parts/OLDVERSIONS/bracket.ipt")));
  EXPECT_EQ(Host().documents().DocumentType(Open(Sample("presentations/drive-unit.ipn"))).value(),
            host::kPresentationDocument);
  EXPECT_EQ(Host().documents().DocumentType(Open(Sample("features/slot.ide"))).value(), host::kDesignElementDocument);
}

TEST_F(SampleSetTest, ImportFilesOpenAsModelsExceptTheOneTheHostCannotRead) {
  EXPECT_EQ(Host().documents().DocumentType(Open(Sample("import/bracket.stp"))).value(), host::kPartDocument);
  EXPECT_EQ(Host().documents().DocumentType(Open(Sample("import/washer.igs"))).value(), host::kPartDocument);
  EXPECT_EQ(Host().documents().DocumentType(Open(Sample("import/drive-unit.stp"))).value(), host::kAssemblyDocument);
  auto proe = Host().OpenDocument(Sample("import/housing.prt.3"), true);
  ASSERT_FALSE(proe.ok());
  EXPECT_EQ(proe.failure().description,
            "The stand-in host reads no Pro/ENGINEER files: \"" + Sample("import/housing.prt.3") + "\"");
}

TEST_F(SampleSetTest, ExportedDrawingsImportWithTheirSheetsExceptTheDamagedOne) {
  const host::DocumentHandle bracket = Open(Sample("import/bracket.dwg"));
  ASSERT_EQ(Host().documents().SheetCount(bracket).value(), 1);
  EXPECT_EQ(Host().sheets().SizeCode(Host().documents().Sheet(bracket, 1).value()).value(), 9993);  // A4
  const host::DocumentHandle unit = Open(Sample("import/drive-unit.dxf"));
  ASSERT_EQ(Host().documents().SheetCount(unit).value(), 3);
  const double widths[] = {118.9, 84.1, 59.4};
  for (int number = 1; number <= 3; ++number) {
    EXPECT_EQ(Host().sheets().Width(Host().documents().Sheet(unit, number).value()).value(), widths[number - 1]);
  }
  EXPECT_EQ(ReadTextFile(Sample("import/drive-unit.dxf")).lines.at(3), "source " + Sample("drawings/drive-unit.idw"));
  const std::string damaged = Sample("import/damaged.dwg");
  EXPECT_EQ(Host().OpenDocument(damaged, true).failure().description,
            "\"" + damaged + "\" is not a drawing this host can read: it is no stand-in container");
}

TEST_F(SampleSetTest, ImportRepairShowsOnItsSampleFiles) {
  using testing::ShapeCensus;
  const struct {
    const char* name;
    standin::RepairOptions repair;
    ShapeCensus expected;
  } cases[] = {
      {"import/cover-plate-faces.igs", {}, {TopAbs_COMPOUND, 0, 0, 15, 78, true}},
      {"import/cover-plate-faces.igs", {false, true}, {TopAbs_SOLID, 1, 1, 15, 0, true}},
      {"import/hole-plate-gap.stp", {}, {TopAbs_SOLID, 1, 1, 12, 0, false}},
      {"import/hole-plate-gap.stp", {true, false}, {TopAbs_SOLID, 1, 1, 12, 0, true}},
  };
  for (const auto& c : cases) {
    const std::string path = Sample(c.name);
    const auto read = path.ends_with(".igs") ? standin::ReadIges(path, c.repair) : standin::ReadStep(path, c.repair);
    ASSERT_TRUE(read.ok()) << c.name << ": " << read.failure().description;
    EXPECT_EQ(testing::CensusOf(read.value().shape), c.expected)
        << c.name << " healing " << c.repair.healing << " stitching " << c.repair.stitching;
  }
  const host::DocumentHandle washers = Open(Sample("import/washers.stp"));
  EXPECT_EQ(Host().documents().DocumentType(washers).value(), host::kAssemblyDocument);
}

TEST_F(SampleSetTest, TheProgramsOwnPartIsAStandinPartWithAShape) {
  const std::string logo = std::string(KORRIN_DATA_DIR) + "/logo.ipt";
  auto reader = connector_.NewApprentice();
  ASSERT_TRUE(reader.ok());
  const host::DocumentHandle document = reader.value()->Open(logo).value();
  EXPECT_EQ(reader.value()->ComputeStatus(document).value(), host::kStatusUpToDate);
  const host::DocumentHandle part = Open(logo);
  EXPECT_EQ(Host().documents().DocumentType(part).value(), host::kPartDocument);
  const std::string copy = (folder_ / "logo.stp").string();
  host::AddInHandle step;
  for (const host::AddInEntry& entry : Host().AddIns().value()) {
    if (entry.displayName == "Autodesk STEP Translator") step = entry.addIn;
  }
  const host::ContextHandle context = Host().NewTranslationContext(host::kFileBrowseContext).value();
  const host::OptionMapHandle options = Host().NewOptionMap().value();
  ASSERT_TRUE(Host().translators().HasSaveCopyAsOptions(step, part, context, options).value());
  EXPECT_TRUE(
      Host().translators().SaveCopyAs(step, part, context, options, Host().NewDataMedium(copy).value()).ok());
}

}  // namespace
}  // namespace korrin
