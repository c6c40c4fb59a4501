#include <gtest/gtest.h>

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <set>
#include <sstream>

#include "GeometryExpectations.h"
#include "GeometryFileText.h"
#include "geometry/GeometryFailure.h"
#include "geometry/IgesWriter.h"
#include "geometry/ModelReaders.h"
#include "geometry/SampleParts.h"
#include "support/TemporaryFolder.h"

namespace korrin::standin {
namespace {

// Read back, analytic faces keep the part exactly; NURBS conversion
// approximates, and the volume may move by a few parts in a hundred thousand.
constexpr double kVolumeTolerance = 1e-4;  // relative
constexpr double kAreaTolerance = 1e-4;    // relative
constexpr double kBoxTolerance = 1e-3;     // millimetres

// IGES entity types by what they are.
const std::set<int> kSurfaceTypes{108, 114, 118, 120, 122, 128, 140, 143, 144, 190, 192, 194, 196, 198, 510, 514, 186};
const std::set<int> kCurveAndGroupTypes{100, 102, 104, 106, 110, 112, 116, 124, 126, 402};

std::string Describe(const IgesOptions& options) {
  const char* geometry[] = {"surfaces", "solids", "wireframe"};
  std::ostringstream text;
  text << geometry[static_cast<int>(options.geometry)]
       << (options.surfaceType == IgesSurfaceType::Bounded ? " bounded" : " trimmed")
       << (options.solidFaces == IgesSolidFaces::Nurbs ? " nurbs" : " analytic");
  return text.str();
}

std::string Listing(const std::map<int, int>& counts) {
  std::string listing;
  for (const auto& [type, count] : counts) listing += std::to_string(type) + "x" + std::to_string(count) + " ";
  return listing;
}

int EdgeCount(const TopoDS_Shape& shape) {
  TopTools_IndexedMapOfShape edges;
  TopExp::MapShapes(shape, TopAbs_EDGE, edges);
  return edges.Extent();
}

struct OptionCase {
  IgesOptions options;
  std::set<int> present;
  std::set<int> absent;
};

// The bracket has planes, cylinders (holes, fillet), lines and arcs.
std::vector<OptionCase> OptionCases() {
  using enum IgesGeometry;
  using enum IgesSurfaceType;
  using enum IgesSolidFaces;
  return {
      {{Surfaces, Bounded, Analytic, "", ""}, {143, 141}, {144, 142, 186}},
      {{Surfaces, Trimmed, Analytic, "", ""}, {144, 142}, {143, 141, 186}},
      {{Solids, Bounded, Analytic, "", ""}, {186, 514, 510, 190, 192}, {128, 143, 144}},
      {{Solids, Trimmed, Nurbs, "", ""}, {186, 514, 510, 128, 126}, {190, 192, 143, 144}},
      {{Wireframe, Trimmed, Nurbs, "", ""}, {110, 100}, kSurfaceTypes},
  };
}

TEST(IgesFiles, EachOptionWritesItsEntityTypes) {
  const Result<TopoDS_Shape> bracket = MakeBracket();
  ASSERT_TRUE(bracket.ok());
  testing::TemporaryFolder folder;
  for (const OptionCase& c : OptionCases()) {
    const std::string what = Describe(c.options);
    const Status written = WriteIges(bracket.value(), folder / "bracket.igs", c.options);
    ASSERT_TRUE(written.ok()) << what << ": " << written.failure().description;
    const std::map<int, int> counts = testing::IgesEntityCounts(folder.Read("bracket.igs"));
    for (const int type : c.present)
      EXPECT_TRUE(counts.contains(type)) << what << " lacks " << type << ": " << Listing(counts);
    for (const int type : c.absent)
      EXPECT_FALSE(counts.contains(type)) << what << " has " << type << ": " << Listing(counts);
    if (c.options.geometry == IgesGeometry::Wireframe) {
      for (const auto& [type, count] : counts)
        EXPECT_TRUE(kCurveAndGroupTypes.contains(type)) << what << " has " << type;
    }
  }
}

TEST(IgesFiles, EveryOptionReadsBackAsTheSourceShape) {
  const Result<TopoDS_Shape> bracket = MakeBracket();
  ASSERT_TRUE(bracket.ok());
  const ShapeMeasures source = testing::MeasuresOf(bracket.value(), "bracket");
  testing::TemporaryFolder folder;
  for (const OptionCase& c : OptionCases()) {
    const std::string what = Describe(c.options);
    ASSERT_TRUE(WriteIges(bracket.value(), folder / "bracket.igs", c.options).ok()) << what;
    const Result<ImportedModel> read = ReadIges(folder / "bracket.igs", {});
    ASSERT_TRUE(read.ok()) << what << ": " << read.failure().description;
    const ShapeMeasures measures = testing::MeasuresOf(read.value().shape, what);
    testing::ExpectBoxNear(measures.box, source.box, kBoxTolerance, what);
    switch (c.options.geometry) {
      case IgesGeometry::Solids:
        EXPECT_EQ(measures.solidCount, 1) << what;
        EXPECT_NEAR(measures.volume, source.volume, source.volume * kVolumeTolerance) << what;
        break;
      case IgesGeometry::Surfaces:
        EXPECT_EQ(measures.faceCount, source.faceCount) << what;
        EXPECT_NEAR(measures.surfaceArea, source.surfaceArea, source.surfaceArea * kAreaTolerance) << what;
        break;
      case IgesGeometry::Wireframe:
        EXPECT_EQ(measures.faceCount, 0) << what;
        EXPECT_EQ(EdgeCount(read.value().shape), EdgeCount(bracket.value())) << what;
        break;
    }
  }
}

TEST(IgesFiles, EverySampleReadsBackAsBoundedSurfacesAndAsSolids) {
  const Result<std::vector<NamedShape>> parts = SampleParts();
  ASSERT_TRUE(parts.ok()) << parts.failure().description;
  testing::TemporaryFolder folder;
  for (const NamedShape& part : parts.value()) {
    const ShapeMeasures source = testing::MeasuresOf(part.shape, part.name);
    for (const IgesGeometry geometry : {IgesGeometry::Surfaces, IgesGeometry::Solids}) {
      IgesOptions options;
      options.geometry = geometry;
      const std::string what = part.name + " " + Describe(options);
      ASSERT_TRUE(WriteIges(part.shape, folder / "part.igs", options).ok()) << what;
      const Result<ImportedModel> read = ReadIges(folder / "part.igs", {});
      ASSERT_TRUE(read.ok()) << what << ": " << read.failure().description;
      const ShapeMeasures measures = testing::MeasuresOf(read.value().shape, what);
      EXPECT_NEAR(measures.surfaceArea, source.surfaceArea, source.surfaceArea * kAreaTolerance) << what;
      if (geometry == IgesGeometry::Solids) {
        EXPECT_NEAR(measures.volume, source.volume, source.volume * kVolumeTolerance) << what;
      }
      testing::ExpectBoxNear(measures.box, source.box, kBoxTolerance, what);
    }
  }
}

TEST(IgesFiles, OptionsForTheOtherGeometryAreIgnored) {
  const Result<TopoDS_Shape> pin = MakePin();
  ASSERT_TRUE(pin.ok());
  testing::TemporaryFolder folder;
  struct Pair {
    IgesOptions first;
    IgesOptions second;
  };
  using enum IgesGeometry;
  using enum IgesSurfaceType;
  using enum IgesSolidFaces;
  const std::vector<Pair> pairs{
      {{Surfaces, Trimmed, Analytic, "", ""}, {Surfaces, Trimmed, Nurbs, "", ""}},
      {{Solids, Bounded, Nurbs, "", ""}, {Solids, Trimmed, Nurbs, "", ""}},
      {{Wireframe, Bounded, Analytic, "", ""}, {Wireframe, Trimmed, Nurbs, "", ""}},
  };
  for (const Pair& pair : pairs) {
    ASSERT_TRUE(WriteIges(pin.value(), folder / "first.igs", pair.first).ok());
    ASSERT_TRUE(WriteIges(pin.value(), folder / "second.igs", pair.second).ok());
    EXPECT_EQ(testing::IgesEntityCounts(folder.Read("first.igs")), testing::IgesEntityCounts(folder.Read("second.igs")))
        << Describe(pair.first) << " against " << Describe(pair.second);
  }
}

TEST(IgesFiles, GlobalSectionNamesTheFileAuthorAndOrganization) {
  const Result<TopoDS_Shape> washer = MakeWasher();
  ASSERT_TRUE(washer.ok());
  testing::TemporaryFolder folder;
  IgesOptions options;
  options.author = "Ada Author";
  options.organization = "Korrin Works";
  ASSERT_TRUE(WriteIges(washer.value(), folder / "washer.igs", options).ok());
  const std::string global = testing::IgesGlobalSection(folder.Read("washer.igs"));
  EXPECT_NE(global.find(",10Hwasher.igs,"), std::string::npos) << global;
  EXPECT_NE(global.find(",10HAda Author,12HKorrin Works,"), std::string::npos) << global;
  EXPECT_NE(global.find(",2HMM,"), std::string::npos) << global;
}

TEST(IgesFiles, EmptyShapeIsRefusedAndNothingIsWritten) {
  testing::TemporaryFolder folder;
  const Status written = WriteIges(TopoDS_Shape(), folder / "empty.igs", {});
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.failure().number, kInvalidModel);
  EXPECT_EQ(folder.Listing(), "");
}

}  // namespace
}  // namespace korrin::standin
