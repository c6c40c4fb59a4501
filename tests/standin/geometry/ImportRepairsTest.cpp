#include <gtest/gtest.h>

#include <BRepBuilderAPI_Transform.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <TopExp_Explorer.hxx>
#include <cmath>

#include "GeometryExpectations.h"
#include "ShapeCensus.h"
#include "geometry/IgesWriter.h"
#include "geometry/ImportRepairs.h"
#include "geometry/ModelReaders.h"
#include "geometry/OneShape.h"
#include "geometry/SampleImportShapes.h"
#include "geometry/SampleParts.h"
#include "geometry/StepWriter.h"
#include "support/TemporaryFolder.h"

namespace korrin::standin {
namespace {

using testing::CensusOf;
using testing::ShapeCensus;

constexpr RepairOptions kAsRead{false, false};
constexpr RepairOptions kHealing{true, false};
constexpr RepairOptions kStitching{false, true};
constexpr RepairOptions kBoth{true, true};

std::string Describe(const RepairOptions& options) {
  return std::string("healing ") + (options.healing ? "on" : "off") + ", stitching " +
         (options.stitching ? "on" : "off");
}

// A 40 x 30 x 20 box: 6 faces of 4 edges each, 24000 cubic millimetres.
constexpr double kBoxVolume = 24000;
TopoDS_Shape Box() { return BRepPrimAPI_MakeBox(40, 30, 20).Shape(); }

// The box's faces, not in a shell, the top one lifted by the gap.
TopoDS_Shape BoxFacesWithTopLifted(double gap) {
  gp_Trsf lift;
  lift.SetTranslation(gp_Vec(0, 0, gap));
  std::vector<TopoDS_Shape> faces;
  for (TopExp_Explorer face(Box(), TopAbs_FACE); face.More(); face.Next()) {
    const bool top = Measure(face.Current()).value().box.zMin == 20;
    faces.push_back(top ? BRepBuilderAPI_Transform(face.Current(), lift, true).Shape() : face.Current());
  }
  return OneShape(faces);
}

TopoDS_Shape BoxShell() { return TopExp_Explorer(Box(), TopAbs_SHELL).Current(); }

TEST(ImportRepairs, IgesFacesStayFacesUntilStitchedIntoASolid) {
  testing::TemporaryFolder folder;
  ASSERT_TRUE(WriteIges(Box(), folder / "box.igs", {}).ok());
  const ShapeCensus faces{TopAbs_COMPOUND, 0, 0, 6, 24, true};
  const ShapeCensus solid{TopAbs_SOLID, 1, 1, 6, 0, true};
  for (const auto& [options, expected] : {std::pair{kAsRead, faces}, std::pair{kHealing, faces},
                                          std::pair{kStitching, solid}, std::pair{kBoth, solid}}) {
    const Result<ImportedModel> read = ReadIges(folder / "box.igs", options);
    ASSERT_TRUE(read.ok()) << Describe(options) << ": " << read.failure().description;
    EXPECT_EQ(CensusOf(read.value().shape), expected) << Describe(options);
    const double volume = testing::MeasuresOf(read.value().shape, Describe(options)).volume;
    EXPECT_NEAR(volume, expected.solids == 1 ? kBoxVolume : 0, 1e-6 * kBoxVolume) << Describe(options);
  }
}

// The sewing tolerance must join every sample's faces, fillets, holes and
// gear teeth included, without merging edges that belong apart.
TEST(ImportRepairs, StitchingRebuildsEverySampleFromItsIgesFaces) {
  const Result<std::vector<NamedShape>> parts = SampleParts();
  ASSERT_TRUE(parts.ok());
  testing::TemporaryFolder folder;
  for (const NamedShape& part : parts.value()) {
    ASSERT_TRUE(WriteIges(part.shape, folder / "part.igs", {}).ok()) << part.name;
    const Result<ImportedModel> read = ReadIges(folder / "part.igs", kStitching);
    ASSERT_TRUE(read.ok()) << part.name << ": " << read.failure().description;
    const ShapeMeasures source = testing::MeasuresOf(part.shape, part.name);
    EXPECT_EQ(CensusOf(read.value().shape), (ShapeCensus{TopAbs_SOLID, 1, 1, source.faceCount, 0, true})) << part.name;
    EXPECT_NEAR(testing::MeasuresOf(read.value().shape, part.name).volume, source.volume, 1e-6 * source.volume)
        << part.name;
  }
}

TEST(ImportRepairs, HealingClosesACornerGapWithinAThousandthOfTheSize) {
  const Result<TopoDS_Shape> plate = MakeHolePlate();  // 100 x 60 x 8: gaps up to 0.117 mm are closed
  ASSERT_TRUE(plate.ok());
  testing::TemporaryFolder folder;
  const struct {
    double offset;
    RepairOptions options;
    bool valid;
  } cases[] = {{0.02, kAsRead, false}, {0.02, kStitching, false}, {0.02, kHealing, true},
               {0.02, kBoth, true},    {0.5, kHealing, false}};
  for (const auto& c : cases) {
    const std::string what = std::to_string(c.offset) + " mm off, " + Describe(c.options);
    const Result<TopoDS_Shape> faulty = WithCornerOffItsEdges(plate.value(), c.offset);
    ASSERT_TRUE(faulty.ok()) << what;
    ASSERT_TRUE(WriteStep(PlacedPart({"plate", faulty.value()}), folder / "plate.stp", {}).ok()) << what;
    const Result<ImportedModel> read = ReadStep(folder / "plate.stp", c.options);
    ASSERT_TRUE(read.ok()) << what << ": " << read.failure().description;
    EXPECT_EQ(CensusOf(read.value().shape), (ShapeCensus{TopAbs_SOLID, 1, 1, 12, 0, c.valid})) << what;
  }
}

TEST(ImportRepairs, ClosedShellsBecomeSolidsWithTheirMatterInside) {
  const Result<RepairTolerances> tolerances = RepairTolerancesFor(Box(), 1e-7);
  ASSERT_TRUE(tolerances.ok());
  EXPECT_EQ(tolerances.value().precision, 1e-7);
  EXPECT_NEAR(tolerances.value().widestGap, std::sqrt(40 * 40 + 30 * 30 + 20 * 20) * 1e-3, 1e-6);
  EXPECT_EQ(RepairTolerancesFor(Box(), 0.5).value().widestGap, 0.5);
  const struct {
    const char* what;
    TopoDS_Shape shape;
    RepairOptions options;
    ShapeCensus expected;
    double volume;
  } cases[] = {
      {"a shell", BoxShell(), kStitching, {TopAbs_SOLID, 1, 1, 6, 0, true}, kBoxVolume},
      {"a shell turned inside out", BoxShell().Reversed(), kStitching, {TopAbs_SOLID, 1, 1, 6, 0, true}, kBoxVolume},
      {"a shell, healed only", BoxShell(), kHealing, {TopAbs_SHELL, 0, 1, 6, 0, true}, 0},
      {"faces with a gap of 0.02 mm", BoxFacesWithTopLifted(0.02), kStitching, {TopAbs_SOLID, 1, 1, 6, 0, true},
       kBoxVolume},
      {"faces with a gap of 0.2 mm", BoxFacesWithTopLifted(0.2), kBoth, {TopAbs_COMPOUND, 0, 1, 6, 8, true}, 0},
  };
  for (const auto& c : cases) {
    const Result<TopoDS_Shape> repaired = RepairShape(c.shape, c.options, tolerances.value());
    ASSERT_TRUE(repaired.ok()) << c.what << ": " << repaired.failure().description;
    EXPECT_EQ(CensusOf(repaired.value()), c.expected) << c.what;
    // A sewn gap leaves the volume uncertain by about the gap times the face.
    EXPECT_NEAR(testing::MeasuresOf(repaired.value(), c.what).volume, c.volume, 1e-3 * kBoxVolume) << c.what;
  }
}

TEST(ImportRepairs, PartsOfAnAssemblyAreRepairedWhereTheyArePlaced) {
  gp_Trsf aside;
  aside.SetTranslation(gp_Vec(100, 0, 0));
  const ProductNode pair =
      Assembly("pair", {PlacedPart({"shell", BoxShell()}), PlacedPart({"shell", BoxShell()}, aside)});
  testing::TemporaryFolder folder;
  ASSERT_TRUE(WriteStep(pair, folder / "pair.stp", {}).ok());
  for (const RepairOptions& options : {kAsRead, kStitching}) {
    const Result<ImportedModel> read = ReadStep(folder / "pair.stp", options);
    ASSERT_TRUE(read.ok()) << Describe(options) << ": " << read.failure().description;
    ASSERT_EQ(read.value().products.size(), 1u);
    const ProductNode& assembly = read.value().products[0];
    ASSERT_EQ(assembly.children.size(), 2u) << Describe(options);
    EXPECT_NEAR(assembly.children[1].placement.TranslationPart().X(), 100, 1e-9) << Describe(options);
    for (const ProductNode& part : assembly.children) {
      EXPECT_EQ(testing::CountOf(part.shape, TopAbs_SOLID), options.stitching ? 1 : 0) << Describe(options);
    }
    const ShapeMeasures whole = testing::MeasuresOf(read.value().shape, Describe(options));
    EXPECT_NEAR(whole.volume, options.stitching ? 2 * kBoxVolume : 0, 1e-6 * kBoxVolume) << Describe(options);
    EXPECT_NEAR(whole.box.xMax, 140, 1e-6) << Describe(options);
  }
}

}  // namespace
}  // namespace korrin::standin
