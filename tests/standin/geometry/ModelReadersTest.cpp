#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "geometry/GeometryFailure.h"
#include "geometry/IgesWriter.h"
#include "geometry/ModelReaders.h"
#include "geometry/SampleParts.h"
#include "geometry/StepWriter.h"
#include "geometry/StlWriter.h"
#include "support/TemporaryFolder.h"

namespace korrin::standin {
namespace {

using Reader = std::function<Result<ImportedModel>(const std::filesystem::path&)>;

// Broken files fail before any repair would start.
Result<ImportedModel> ReadStepFile(const std::filesystem::path& path) { return ReadStep(path, {}); }
Result<ImportedModel> ReadIgesFile(const std::filesystem::path& path) { return ReadIges(path, {}); }

// Whole files of each kind, written from a sample, to break in the cases.
class BrokenModelFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    const Result<TopoDS_Shape> washer = MakeWasher();
    ASSERT_TRUE(washer.ok());
    ASSERT_TRUE(WriteStep(PlacedPart({"washer", washer.value()}), folder / "whole.stp", {}).ok());
    ASSERT_TRUE(WriteIges(washer.value(), folder / "whole.igs", {}).ok());
    ASSERT_TRUE(WriteStl(washer.value(), folder / "whole.stl", {{0.1, 0.5}, StlEncoding::Binary}).ok());
    ASSERT_TRUE(WriteStl(washer.value(), folder / "ascii.stl", {{0.1, 0.5}, StlEncoding::Ascii}).ok());
  }

  std::string FirstHalf(std::string_view name) const {
    const std::string whole = folder.Read(name);
    return whole.substr(0, whole.size() / 2);
  }

  testing::TemporaryFolder folder;
};

TEST_F(BrokenModelFiles, GiveFailuresNamingTheFileAndTheFault) {
  struct Case {
    const char* what;
    Reader read;
    std::string content;  // the file is left out when this is "-"
    long number;
    std::string problem;
  };
  const std::string missing = "-";
  const std::vector<Case> cases{
      {"missing STEP", ReadStepFile, missing, ENOENT, "cannot open it: No such file or directory"},
      {"missing IGES", ReadIgesFile, missing, ENOENT, "cannot open it: No such file or directory"},
      {"missing STL", ReadStl, missing, ENOENT, "cannot open it: No such file or directory"},
      {"empty STEP", ReadStepFile, "", kModelFileEmpty, "the file is empty"},
      {"empty STL", ReadStl, "", kModelFileEmpty, "the file is empty"},
      {"truncated STEP", ReadStepFile, FirstHalf("whole.stp"), kModelFileBroken,
       "the STEP file is cut short: END-ISO-10303-21 is missing"},
      {"STEP with broken data", ReadStepFile,
       "ISO-10303-21;\nHEADER;\nENDSEC;\nDATA;\n#1=PRODUCT(;\nENDSEC;\nEND-ISO-10303-21;\n", kModelFileBroken,
       "the STEP file cannot be parsed"},
      {"IGES handed to the STEP reader", ReadStepFile, folder.Read("whole.igs"), kModelFileWrongKind,
       "not a STEP file: it does not start with ISO-10303-21"},
      {"text that is not IGES", ReadIgesFile, "This is a note about a part, not a drawing exchange file.\n",
       kModelFileWrongKind, "not an IGES file: it does not open with an 80-column S or G record"},
      {"truncated IGES", ReadIgesFile, FirstHalf("whole.igs"), kModelFileBroken,
       "the IGES file is cut short: the terminate record is missing"},
      {"STEP handed to the IGES reader", ReadIgesFile, folder.Read("whole.stp"), kModelFileWrongKind,
       "not an IGES file: it does not open with an 80-column S or G record"},
      {"truncated binary STL", ReadStl, FirstHalf("whole.stl"), kModelFileWrongKind,
       "not an STL file: neither \"solid\" text with facets nor binary triangles that fill the file"},
      {"truncated ASCII STL", ReadStl, FirstHalf("ascii.stl"), kModelFileBroken,
       "the STL file is cut short: endsolid is missing"},
      {"ASCII STL without facets", ReadStl, "solid nothing\nendsolid nothing\n", kModelFileWrongKind,
       "not an STL file: neither \"solid\" text with facets nor binary triangles that fill the file"},
  };
  for (const Case& c : cases) {
    const std::filesystem::path path = folder / "case.model";
    std::filesystem::remove(path);
    if (c.content != missing) folder.Write("case.model", c.content);
    const Result<ImportedModel> read = c.read(path);
    ASSERT_FALSE(read.ok()) << c.what;
    EXPECT_EQ(read.failure(), (Failure{c.number, path.string() + ": " + c.problem})) << c.what;
  }
}

TEST_F(BrokenModelFiles, FolderIsNotAModelFile) {
  for (const Reader& read : std::vector<Reader>{ReadStepFile, ReadIgesFile, ReadStl}) {
    const Result<ImportedModel> result = read(folder.path());
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure(), (Failure{EISDIR, folder.string() + ": not a file"}));
  }
}

TEST_F(BrokenModelFiles, WholeFilesOfEachKindRead) {
  const std::vector<std::pair<Reader, const char*>> files{
      {ReadStepFile, "whole.stp"}, {ReadIgesFile, "whole.igs"}, {ReadStl, "whole.stl"}, {ReadStl, "ascii.stl"}};
  for (const auto& [read, name] : files) {
    const Result<ImportedModel> result = read(folder / name);
    ASSERT_TRUE(result.ok()) << name << ": " << result.failure().description;
    EXPECT_FALSE(result.value().shape.IsNull()) << name;
  }
}

}  // namespace
}  // namespace korrin::standin
