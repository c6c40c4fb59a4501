#include <fstream>

#include "DxfFile.h"
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

  std::unique_ptr<host::Apprentice> NewReader() {
    auto reader = connector_.NewApprentice();
    EXPECT_TRUE(reader.ok()) << (reader ? "" : reader.failure().description);
    return reader ? std::move(reader).value() : nullptr;
  }

  // The tree below a document as a verification walks it, every occurrence
  // again: one line per reference, indented by level, "missing" in front of
  // one that does not open.
  static std::vector<std::string> Expanded(host::Apprentice& reader, host::DocumentHandle document,
                                           const std::string& indent = "") {
    std::vector<std::string> lines;
    auto files = reader.ReferencedFiles(document);
    if (!files || indent.size() > 16) return {indent + "(stopped)"};
    for (const host::ReferencedFile& file : files.value()) {
      const std::string name = std::filesystem::path(file.fullFileName).filename().string();
      auto referenced = reader.ReferencedDocument(file.descriptor);
      lines.push_back(indent + (referenced ? "" : "missing ") + name);
      if (!referenced) continue;
      for (std::string& line : Expanded(reader, referenced.value(), indent + "  ")) lines.push_back(std::move(line));
    }
    return lines;
  }

  static testing::TemporaryFolder* samples_;
  static Result<std::vector<std::string>>* written_;
};

testing::TemporaryFolder* SampleSetTest::samples_ = nullptr;
Result<std::vector<std::string>>* SampleSetTest::written_ = nullptr;

TEST_F(SampleSetTest, EveryFileListedIsThere) {
  ASSERT_TRUE(written_->ok()) << written_->failure().description;
  EXPECT_EQ(written_->value().size(), 69u);
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
  EXPECT_FALSE(reader.value()->Open(Sample("parts/future-gear.ipt")).ok());
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

TEST_F(SampleSetTest, VerifyPartsCarryEveryStatusAndTheReleasesAroundTheHosts) {
  std::unique_ptr<host::Apprentice> reader = NewReader();
  ASSERT_NE(reader, nullptr);
  const std::pair<const char*, std::int32_t> statuses[] = {
      {"up-to-date", host::kStatusUpToDate},   {"out-of-date", host::kStatusOutOfDate},
      {"driver-lost", host::kStatusDriverLost}, {"in-error", host::kStatusInError},
      {"deleted", host::kStatusDeleted},         {"cannot-compute", host::kStatusCannotCompute},
      {"unknown", host::kStatusUnknown}};
  for (const auto& [word, status] : statuses) {
    auto part = reader->Open(Sample("verify/status-" + std::string(word) + ".ipt"));
    ASSERT_TRUE(part.ok()) << word << ": " << part.failure().description;
    EXPECT_EQ(reader->ComputeStatus(part.value()).value(), status) << word;
    EXPECT_FALSE(reader->NeedsMigrating(part.value()).value()) << word;
  }
  const host::DocumentHandle older = reader->Open(Sample("verify/needs-migrating.ipt")).value();
  EXPECT_TRUE(reader->NeedsMigrating(older).value());
  EXPECT_EQ(reader->CreatingRelease(older).value(), (host::Release{6, 0}));
  const host::DocumentHandle newer = reader->Open(Sample("verify/newer-minor.ipt")).value();
  EXPECT_EQ(reader->CreatingRelease(newer).value(), (host::Release{7, 1}));
  EXPECT_EQ(Host().documents().DocumentType(Open(Sample("verify/newer-minor.ipt"))).value(), host::kPartDocument);
}

TEST_F(SampleSetTest, TheVerifyTreeNestsFiveLevelsAndSharesItsSubassemblies) {
  std::unique_ptr<host::Apprentice> reader = NewReader();
  ASSERT_NE(reader, nullptr);
  const std::vector<std::string> expected = {
      "frame.iam",      "  plate.ipt",  "  axle.iam",        "    shaft.ipt",    "    hub.iam",
      "      bearing.ipt", "      nut.ipt", "    hub.iam",     "      bearing.ipt", "      nut.ipt",
      "drive.iam",      "  axle.iam",   "    shaft.ipt",     "    hub.iam",      "      bearing.ipt",
      "      nut.ipt",  "    hub.iam",  "      bearing.ipt", "      nut.ipt",    "  bolt.ipt",
      "bolt.ipt"};
  EXPECT_EQ(Expanded(*reader, reader->Open(Sample("verify/tree/top.iam")).value()), expected);
  EXPECT_EQ(connector_.DocumentReads(), 10u);
  EXPECT_TRUE(ResolvesCompletely(Open(Sample("verify/tree/top.iam"))));
}

TEST_F(SampleSetTest, VerifyAssembliesWithOddReferencesEnd) {
  std::unique_ptr<host::Apprentice> reader = NewReader();
  ASSERT_NE(reader, nullptr);
  const host::DocumentHandle cycle = reader->Open(Sample("verify/cycle-a.iam")).value();
  const auto toB = reader->ReferencedFiles(cycle).value();
  ASSERT_EQ(toB.size(), 1u);
  const host::DocumentHandle b = reader->ReferencedDocument(toB[0].descriptor).value();
  const auto toA = reader->ReferencedFiles(b).value();
  ASSERT_EQ(toA.size(), 1u);
  EXPECT_EQ(toA[0].fullFileName, Sample("verify/cycle-a.iam"));
  EXPECT_EQ(reader->ReferencedDocument(toA[0].descriptor).value(), cycle);

  const host::DocumentHandle missing = reader->Open(Sample("verify/missing-reference.iam")).value();
  EXPECT_EQ(Expanded(*reader, missing), (std::vector<std::string>{"status-up-to-date.ipt", "missing missing-part.ipt"}));
  EXPECT_EQ(reader->ReferencedFiles(missing).value().at(1).referencedDocumentType, host::kUnknownDocument);

  const host::DocumentHandle features = reader->Open(Sample("verify/features-only.iam")).value();
  const auto designElements = reader->ReferencedFiles(features).value();
  ASSERT_EQ(designElements.size(), 2u);
  for (const host::ReferencedFile& file : designElements) {
    EXPECT_EQ(file.referencedDocumentType, host::kDesignElementDocument) << file.fullFileName;
    EXPECT_TRUE(reader->ReferencedFiles(reader->ReferencedDocument(file.descriptor).value()).value().empty());
  }
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
  // A real DXF file, of a layout per sheet.
  const std::string text = samples_->Read("import/drive-unit.dxf");
  auto dxf = standin::ParseDxf(text);
  ASSERT_TRUE(dxf.ok()) << dxf.failure().description;
  EXPECT_EQ(dxf.value().version, "AC1015");
  const std::vector<std::string> layouts = {"Assembly", "Housing", "Details"};
  ASSERT_EQ(dxf.value().layouts.size(), layouts.size());
  for (std::size_t index = 0; index < layouts.size(); ++index) {
    EXPECT_EQ(dxf.value().layouts[index].name, layouts[index]);
    EXPECT_EQ(dxf.value().layouts[index].layers, (std::set<std::string>{"BORDER", "FRAME", "TITLE"})) << layouts[index];
  }
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
