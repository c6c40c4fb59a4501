#include <gtest/gtest.h>

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>

#include "GeometryExpectations.h"
#include "geometry/GeometryFailure.h"
#include "geometry/SampleParts.h"
#include "geometry/ShapeText.h"

namespace korrin::standin {
namespace {

// The text holds every coordinate to 17 significant digits: a round trip
// keeps the measures but for the last bits of the integration.
constexpr double kRoundTripTolerance = 1e-9;  // relative for volume and area, millimetres for the box

TEST(ShapeText, RoundTripKeepsEverySamplesMeasures) {
  const Result<std::vector<NamedShape>> parts = SampleParts();
  ASSERT_TRUE(parts.ok()) << parts.failure().description;
  for (const NamedShape& part : parts.value()) {
    const Result<TopoDS_Shape> read = ShapeFromBrepText(BrepText(part.shape));
    ASSERT_TRUE(read.ok()) << part.name << ": " << read.failure().description;
    const ShapeMeasures before = testing::MeasuresOf(part.shape, part.name);
    const ShapeMeasures after = testing::MeasuresOf(read.value(), part.name);
    EXPECT_NEAR(after.volume, before.volume, before.volume * kRoundTripTolerance) << part.name;
    EXPECT_NEAR(after.surfaceArea, before.surfaceArea, before.surfaceArea * kRoundTripTolerance) << part.name;
    EXPECT_EQ(after.faceCount, before.faceCount) << part.name;
    EXPECT_EQ(after.solidCount, 1) << part.name;
    testing::ExpectBoxNear(after.box, before.box, kRoundTripTolerance, part.name);
  }
}

TEST(ShapeText, LeavesOutMeshes) {
  const Result<TopoDS_Shape> washer = MakeWasher();
  ASSERT_TRUE(washer.ok());
  BRepMesh_IncrementalMesh mesh(washer.value(), 0.01, false, 0.1, false);
  ASSERT_TRUE(mesh.IsDone());
  TopLoc_Location location;
  ASSERT_FALSE(BRep_Tool::Triangulation(TopoDS::Face(TopExp_Explorer(washer.value(), TopAbs_FACE).Current()), location)
                   .IsNull());
  const std::string text = BrepText(washer.value());
  EXPECT_NE(text.find("\nTriangulations 0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nPolygonOnTriangulations 0\n"), std::string::npos) << text;
  BRepTools::Clean(washer.value());
}

TEST(ShapeText, BrokenTextGivesAFailureSayingSo) {
  const Result<TopoDS_Shape> washer = MakeWasher();
  ASSERT_TRUE(washer.ok());
  const std::string whole = BrepText(washer.value());
  // A curve representation of the first edge whose parameter is no number:
  // Open CASCADE's reader looped on it for ever.
  std::string damagedEdge = whole;
  const std::size_t edge = damagedEdge.find("\nEd\n");
  ASSERT_NE(edge, std::string::npos);
  const std::size_t representation = damagedEdge.find('\n', damagedEdge.find('\n', edge + 4) + 1) + 1;
  damagedEdge.replace(damagedEdge.find(' ', representation + 3), 1, " |");
  // The shape itself is written last and named by the text's last line.
  const std::size_t lastLine = whole.rfind('\n') + 1;
  ASSERT_EQ(whole.substr(lastLine), "+1 0 ");
  std::string otherShapeNamed = whole;
  otherShapeNamed.replace(lastLine, 2, "+2");
  constexpr const char* kUnreadable =
      "not a B-rep text: it is damaged or cut short (reading failed: a number or a word could not be read)";
  struct Case {
    const char* what;
    std::string text;
    const char* description;
  };
  const std::vector<Case> cases{
      {"empty", "", "not a B-rep text: the \"CASCADE Topology\" title is missing"},
      {"other text", "solid cube\nendsolid cube\n", "not a B-rep text: the \"CASCADE Topology\" title is missing"},
      {"title alone", "\nCASCADE Topology V3, (c) Open Cascade\n", kUnreadable},
      {"first half", whole.substr(0, whole.size() / 2), kUnreadable},
      {"last line cut", whole.substr(0, whole.rfind('\n', whole.size() - 2)), kUnreadable},
      {"edge parameter damaged", damagedEdge, kUnreadable},
      {"cut in the shapes' title", whole.substr(0, whole.find("\nTShapes ") + 5),
       "not a B-rep text: it is damaged or cut short (it ends before its shapes)"},
      {"text after the shape", whole + "\nEd\n", "not a B-rep text: it is damaged or cut short (text follows its shape)"},
      {"another shape named last", otherShapeNamed,
       "not a B-rep text: it is damaged or cut short (the shape named last is not the last one written)"},
      {"no shape", BrepText(TopoDS_Shape()), "not a B-rep text: it holds no shape"},
  };
  // Reading the same text again gives the same answer: nothing read past the
  // end of the text may decide it.
  constexpr int kReadsOfEachText = 20;
  for (const Case& c : cases) {
    for (int round = 0; round < kReadsOfEachText; ++round) {
      const Result<TopoDS_Shape> read = ShapeFromBrepText(c.text);
      ASSERT_FALSE(read.ok()) << c.what << ", read " << round;
      ASSERT_EQ(read.failure().number, kModelFileBroken) << c.what << ", read " << round;
      ASSERT_EQ(read.failure().description, c.description) << c.what << ", read " << round;
    }
  }
}

TEST(ShapeText, TextCutAnywhereIsNeverTakenForAShape) {
  const Result<TopoDS_Shape> washer = MakeWasher();
  ASSERT_TRUE(washer.ok());
  const std::string whole = BrepText(washer.value());
  // Only the blank that ends the text may go: every shorter cut loses part of it.
  const std::size_t firstTable = whole.find("\nLocations");
  ASSERT_NE(firstTable, std::string::npos);
  for (std::size_t length = firstTable; length + 1 < whole.size(); ++length) {
    const Result<TopoDS_Shape> read = ShapeFromBrepText(std::string_view(whole).substr(0, length));
    ASSERT_FALSE(read.ok()) << "cut after " << length << " of " << whole.size();
    ASSERT_EQ(read.failure().description.rfind("not a B-rep text: it is damaged or cut short (", 0), 0u)
        << "cut after " << length << ": " << read.failure().description;
  }
  EXPECT_TRUE(ShapeFromBrepText(std::string_view(whole).substr(0, whole.size() - 1)).ok());
}

}  // namespace
}  // namespace korrin::standin
