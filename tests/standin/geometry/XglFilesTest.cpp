#include <gtest/gtest.h>

#include <BRepPrimAPI_MakeBox.hxx>
#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>
#include <gp_Ax1.hxx>
#include <zlib.h>

#include <cmath>
#include <regex>
#include <set>

#include "GeometryExpectations.h"
#include "GeometryFileText.h"
#include "geometry/GeometryFailure.h"
#include "geometry/SampleParts.h"
#include "geometry/XglWriter.h"
#include "support/FileBytes.h"
#include "support/TemporaryFolder.h"

namespace korrin::standin {
namespace {

const MeshResolution kResolution{0.05, 0.2};
// assimp prints six decimals of single-precision numbers.
constexpr double kPrintedTolerance = 1e-4;

gp_Trsf Moved(double x, double y, double z) {
  gp_Trsf placement;
  placement.SetTranslation(gp_Vec(x, y, z));
  return placement;
}

TopoDS_Shape Box() { return BRepPrimAPI_MakeBox(10, 20, 30).Shape(); }

std::vector<std::string> AllOf(const std::string& text, const std::string& pattern) {
  std::vector<std::string> found;
  const std::regex expression(pattern);
  for (std::sregex_iterator match(text.begin(), text.end(), expression), end; match != end; ++match) {
    found.push_back(match->size() > 1 ? (*match)[1].str() : match->str());
  }
  return found;
}

gp_XYZ Parsed(const std::string& triple) {
  double v[3] = {0, 0, 0};
  EXPECT_EQ(std::sscanf(triple.c_str(), "%lf,%lf,%lf", &v[0], &v[1], &v[2]), 3) << triple;
  return gp_XYZ(v[0], v[1], v[2]);
}

TEST(XglFiles, APartShownOnceIsOneMeshAtItsPlaceWithOutwardNormals) {
  auto document = MakeXglDocument({{Box(), {Moved(5, 0, 0)}}}, kResolution);
  ASSERT_TRUE(document.ok()) << document.failure().description;
  const std::string& xml = document.value().xml;
  EXPECT_EQ(document.value().counts, (XglCounts{1, 24, 12, 1}));  // four corners and two triangles a side
  EXPECT_EQ(xml.rfind("<WORLD>\n<BACKGROUND><BACKCOLOR>1.0,1.0,1.0</BACKCOLOR></BACKGROUND>\n<LIGHTING>", 0), 0u);
  EXPECT_TRUE(xml.ends_with("</MESH>\n<OBJECT><MESHREF>0</MESHREF></OBJECT>\n</WORLD>\n")) << xml.substr(xml.size() - 200);
  EXPECT_EQ(AllOf(xml, "<MESH ID=\"(\\d+)\">"), std::vector<std::string>{"0"});
  EXPECT_EQ(AllOf(xml, "<MAT ID=\"(\\d+)\">"), std::vector<std::string>{"0"});
  EXPECT_TRUE(AllOf(xml, "<TRANSFORM>").empty());

  const std::vector<std::string> positions = AllOf(xml, "<P ID=\"\\d+\">([^<]*)</P>");
  const std::vector<std::string> normals = AllOf(xml, "<N ID=\"\\d+\">([^<]*)</N>");
  ASSERT_EQ(positions.size(), 24u);
  ASSERT_EQ(normals.size(), 24u);
  EXPECT_EQ(std::set<std::string>(positions.begin(), positions.end()),
            (std::set<std::string>{"5.0,0.0,0.0", "15.0,0.0,0.0", "5.0,20.0,0.0", "15.0,20.0,0.0", "5.0,0.0,30.0",
                                   "15.0,0.0,30.0", "5.0,20.0,30.0", "15.0,20.0,30.0"}));
  EXPECT_EQ(std::set<std::string>(normals.begin(), normals.end()),
            (std::set<std::string>{"1.0,0.0,0.0", "-1.0,0.0,0.0", "0.0,1.0,0.0", "0.0,-1.0,0.0", "0.0,0.0,1.0",
                                   "0.0,0.0,-1.0"}));
  // Every triangle runs counter-clockwise seen from outside, its corners'
  // normals along its own and away from the box's middle.
  const std::regex face(
      "<F><MATREF>0</MATREF><FV1><PREF>(\\d+)</PREF><NREF>\\1</NREF></FV1><FV2><PREF>(\\d+)</PREF><NREF>\\2</NREF></FV2>"
      "<FV3><PREF>(\\d+)</PREF><NREF>\\3</NREF></FV3></F>");
  const gp_XYZ middle(10, 10, 15);
  int faces = 0;
  for (std::sregex_iterator match(xml.begin(), xml.end(), face), end; match != end; ++match, ++faces) {
    gp_XYZ corner[3];
    for (int i = 0; i < 3; ++i) corner[i] = Parsed(positions.at(std::stoul((*match)[i + 1])));
    const gp_XYZ winding = (corner[1] - corner[0]).Crossed(corner[2] - corner[0]).Normalized();
    const gp_XYZ normal = Parsed(normals.at(std::stoul((*match)[1])));
    EXPECT_NEAR(winding.Dot(normal), 1.0, 1e-9) << match->str();
    EXPECT_GT(normal.Dot(corner[0] - middle), 0) << match->str();
  }
  EXPECT_EQ(faces, 12);
}

TEST(XglFiles, APartShownTwiceIsOneMeshPlacedByEachObject) {
  gp_Trsf turned;
  turned.SetRotation(gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)), M_PI / 2);
  turned = Moved(100, 0, 0).Multiplied(turned);
  auto document = MakeXglDocument({{Box(), {gp_Trsf(), turned}}}, kResolution);
  ASSERT_TRUE(document.ok()) << document.failure().description;
  const std::string& xml = document.value().xml;
  EXPECT_EQ(document.value().counts, (XglCounts{1, 24, 12, 2}));
  EXPECT_EQ(AllOf(xml, "<MESH ID=\"(\\d+)\">"), std::vector<std::string>{"0"});
  // The mesh keeps the part's own coordinates; each object turns and moves it.
  for (const std::string& position : AllOf(xml, "<P ID=\"\\d+\">([^<]*)</P>")) {
    const gp_XYZ p = Parsed(position);
    EXPECT_TRUE(p.X() >= 0 && p.X() <= 10 && p.Y() >= 0 && p.Y() <= 20 && p.Z() >= 0 && p.Z() <= 30) << position;
  }
  EXPECT_EQ(AllOf(xml, "<OBJECT>.*</OBJECT>"),
            (std::vector<std::string>{
                "<OBJECT><TRANSFORM><FORWARD>0.0,0.0,1.0</FORWARD><UP>0.0,1.0,0.0</UP><POSITION>0.0,0.0,0.0</POSITION>"
                "<SCALE>1.0</SCALE></TRANSFORM><MESHREF>0</MESHREF></OBJECT>",
                "<OBJECT><TRANSFORM><FORWARD>0.0,0.0,1.0</FORWARD><UP>-1.0,0.0,0.0</UP><POSITION>100.0,0.0,0.0"
                "</POSITION><SCALE>1.0</SCALE></TRANSFORM><MESHREF>0</MESHREF></OBJECT>"}));
}

TEST(XglFiles, AssimpReadsTheMeshesOfXglAndZglFilesAsWritten) {
  const Result<TopoDS_Shape> flange = MakeFlange();
  const Result<TopoDS_Shape> pin = MakePin();
  ASSERT_TRUE(flange.ok() && pin.ok());
  testing::TemporaryFolder folder;
  const std::vector<XglPart> flangeOnly{{flange.value(), {Moved(0, 0, 50)}}};
  const std::vector<XglPart> withPins{{flange.value(), {Moved(0, 0, 50)}}, {pin.value(), {Moved(-30, 0, 0), Moved(30, 0, 0)}}};
  const struct {
    std::string file;
    const std::vector<XglPart>* parts;
    bool compressed;
  } cases[] = {{"flange.xgl", &flangeOnly, false}, {"flange.zgl", &flangeOnly, true},
               {"pinned.xgl", &withPins, false}, {"pinned.zgl", &withPins, true}};
  for (const auto& c : cases) {
    const std::filesystem::path path = folder / c.file;
    const Result<XglCounts> counts = WriteXgl(*c.parts, path, kResolution, c.compressed);
    ASSERT_TRUE(counts.ok()) << c.file << ": " << counts.failure().description;
    const auto report = testing::RunAssimpInfo(path.string());
    ASSERT_TRUE(report) << "assimp could not read " << path;
    EXPECT_EQ(report->meshes, counts.value().meshes) << c.file;
    EXPECT_EQ(report->faces, counts.value().faces) << c.file;
    EXPECT_EQ(report->vertices, 3 * counts.value().faces) << c.file;
    EXPECT_EQ(report->nodes, counts.value().objects + 1) << c.file;  // the world holds the objects
  }
  // The part shown once is where the model has it, within the mesh's reach
  // of its exact surfaces.
  const auto report = testing::RunAssimpInfo((folder / "flange.zgl").string());
  ASSERT_TRUE(report);
  standin::BoundingBox box = testing::MeasuresOf(flange.value().Moved(TopLoc_Location(Moved(0, 0, 50))), "flange").box;
  testing::ExpectBoxNear({report->minimum[0], report->minimum[1], report->minimum[2], report->maximum[0],
                          report->maximum[1], report->maximum[2]},
                         box, kResolution.linearDeflection + kPrintedTolerance, "flange.zgl");
  // ZGL is the XGL document as one zlib stream.
  const std::string packed = testing::FileBytes((folder / "flange.zgl").string());
  const std::string plain = testing::FileBytes((folder / "flange.xgl").string());
  std::string unpacked(plain.size(), '\0');
  uLongf size = static_cast<uLongf>(unpacked.size());
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(unpacked.data()), &size, reinterpret_cast<const Bytef*>(packed.data()),
                       static_cast<uLong>(packed.size())),
            Z_OK);
  EXPECT_EQ(size, plain.size());
  EXPECT_TRUE(unpacked == plain);
  EXPECT_LT(packed.size(), plain.size() / 4);
}

TEST(XglFiles, WhatHasNoMeshIsRefusedAndLeavesNoFile) {
  TopoDS_Compound empty;
  BRep_Builder().MakeCompound(empty);
  const struct {
    std::string what;
    std::vector<XglPart> parts;
    MeshResolution resolution;
  } cases[] = {{"no parts", {}, kResolution},
               {"a part without faces", {{empty, {gp_Trsf()}}}, kResolution},
               {"a part shown nowhere", {{Box(), {}}}, kResolution},
               {"no linear limit", {{Box(), {gp_Trsf()}}}, {0, 0.2}},
               {"no angular limit", {{Box(), {gp_Trsf()}}}, {0.05, -1}}};
  testing::TemporaryFolder folder;
  for (const auto& c : cases) {
    const Result<XglCounts> written = WriteXgl(c.parts, folder / "refused.xgl", c.resolution, false);
    ASSERT_FALSE(written.ok()) << c.what;
    EXPECT_EQ(written.failure().number, kInvalidModel) << c.what;
    EXPECT_FALSE(std::filesystem::exists(folder / "refused.xgl")) << c.what;
  }
}

}  // namespace
}  // namespace korrin::standin
