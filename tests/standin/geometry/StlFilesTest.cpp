#include <gtest/gtest.h>

#include <BRep_Tool.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>

#include "GeometryExpectations.h"
#include "GeometryFileText.h"
#include "geometry/GeometryFailure.h"
#include "geometry/ModelReaders.h"
#include "geometry/SampleParts.h"
#include "geometry/StlWriter.h"
#include "support/TemporaryFolder.h"

namespace korrin::standin {
namespace {

// The host's three resolutions as a registry would hand them over.
const StlResolutions kResolutions{{1.0, 0.5}, {0.1, 0.5}, {0.01, 0.5}};
// A mesh's chords cut inside convex surfaces and outside hollow ones; at the
// medium resolution the volume stays within this of the exact one.
constexpr double kMediumVolumeTolerance = 0.01;  // relative
// admesh prints the volume to six decimals, in single precision.
constexpr double kAdmeshVolumeTolerance = 1e-4;  // relative

// What admesh says of a closed, well-formed mesh of one solid: every facet
// joined to its neighbours on all three edges, none degenerate, one part, no
// edge running the wrong way.
testing::AdmeshReport CheckedByAdmesh(const std::filesystem::path& path, const std::string& what) {
  const std::optional<testing::AdmeshReport> report = testing::RunAdmesh(path.string());
  EXPECT_TRUE(report.has_value()) << what << ": admesh could not read " << path;
  if (!report) return {};
  EXPECT_GT(report->facets, 0) << what << "\n" << report->output;
  EXPECT_EQ(report->disconnectedFacets, 0) << what << "\n" << report->output;
  EXPECT_EQ(report->degenerateFacets, 0) << what << "\n" << report->output;
  EXPECT_EQ(report->parts, 1) << what << "\n" << report->output;
  EXPECT_EQ(report->backwardsEdges, 0) << what << "\n" << report->output;
  return *report;
}

bool HasMesh(const TopoDS_Shape& shape) {
  for (TopExp_Explorer explorer(shape, TopAbs_FACE); explorer.More(); explorer.Next()) {
    TopLoc_Location location;
    if (!BRep_Tool::Triangulation(TopoDS::Face(explorer.Current()), location).IsNull()) return true;
  }
  return false;
}

TEST(StlFiles, FinerResolutionsGiveMoreTriangles) {
  const Result<TopoDS_Shape> shaft = MakeSteppedShaft();
  ASSERT_TRUE(shaft.ok());
  testing::TemporaryFolder folder;
  std::vector<int> facets;
  for (const StlResolution resolution : {StlResolution::Coarse, StlResolution::Medium, StlResolution::Fine}) {
    const std::filesystem::path path = folder / "shaft.stl";
    ASSERT_TRUE(WriteStl(shaft.value(), path, {kResolutions.For(resolution)}).ok());
    facets.push_back(CheckedByAdmesh(path, "resolution " + std::to_string(static_cast<int>(resolution))).facets);
  }
  ASSERT_EQ(facets.size(), 3u);
  EXPECT_LT(facets[0], facets[1]);
  EXPECT_LT(facets[1], facets[2]);
  std::cout << "stepped shaft facets, coarse / medium / fine: " << facets[0] << " / " << facets[1] << " / " << facets[2]
            << "\n";
}

TEST(StlFiles, CoarseAfterFineIsCoarseAgainAndLeavesNoMesh) {
  const Result<TopoDS_Shape> flange = MakeFlange();
  ASSERT_TRUE(flange.ok());
  testing::TemporaryFolder folder;
  const auto facetsAt = [&](StlResolution resolution) {
    EXPECT_TRUE(WriteStl(flange.value(), folder / "flange.stl", {kResolutions.For(resolution)}).ok());
    EXPECT_FALSE(HasMesh(flange.value()));
    return CheckedByAdmesh(folder / "flange.stl", "flange").facets;
  };
  const int coarse = facetsAt(StlResolution::Coarse);
  const int fine = facetsAt(StlResolution::Fine);
  EXPECT_LT(coarse, fine);
  EXPECT_EQ(facetsAt(StlResolution::Coarse), coarse);
}

TEST(StlFiles, BinaryAndAsciiHoldTheSameTriangles) {
  const Result<TopoDS_Shape> bushing = MakeBushing();
  ASSERT_TRUE(bushing.ok());
  testing::TemporaryFolder folder;
  ASSERT_TRUE(WriteStl(bushing.value(), folder / "binary.stl", {kResolutions.medium, StlEncoding::Binary}).ok());
  ASSERT_TRUE(WriteStl(bushing.value(), folder / "ascii.stl", {kResolutions.medium, StlEncoding::Ascii}).ok());
  const testing::AdmeshReport binary = CheckedByAdmesh(folder / "binary.stl", "binary");
  const testing::AdmeshReport ascii = CheckedByAdmesh(folder / "ascii.stl", "ascii");
  EXPECT_EQ(binary.fileType, "Binary STL file");
  EXPECT_EQ(ascii.fileType, "ASCII STL file");
  EXPECT_EQ(binary.facets, ascii.facets);
  // Binary: an 80-byte header, a count, 50 bytes a triangle.
  EXPECT_EQ(std::filesystem::file_size(folder / "binary.stl"), 84u + 50u * static_cast<unsigned>(binary.facets));
  EXPECT_EQ(folder.Read("ascii.stl").rfind("solid", 0), 0u);
}

TEST(StlFiles, EverySampleMeshesClosedAndReadsBackAsTheSameSolid) {
  const Result<std::vector<NamedShape>> parts = SampleParts();
  ASSERT_TRUE(parts.ok()) << parts.failure().description;
  testing::TemporaryFolder folder;
  for (const NamedShape& part : parts.value()) {
    const std::filesystem::path path = folder / (part.name + ".stl");
    ASSERT_TRUE(WriteStl(part.shape, path, {kResolutions.medium}).ok()) << part.name;
    const testing::AdmeshReport report = CheckedByAdmesh(path, part.name);
    const ShapeMeasures exact = testing::MeasuresOf(part.shape, part.name);
    EXPECT_NEAR(report.volume, exact.volume, exact.volume * kMediumVolumeTolerance) << part.name;

    const Result<ImportedModel> read = ReadStl(path);
    ASSERT_TRUE(read.ok()) << part.name << ": " << read.failure().description;
    const ShapeMeasures mesh = testing::MeasuresOf(read.value().shape, part.name);
    EXPECT_EQ(mesh.solidCount, 1) << part.name;
    EXPECT_EQ(mesh.faceCount, report.facets) << part.name;
    EXPECT_NEAR(mesh.volume, report.volume, report.volume * kAdmeshVolumeTolerance) << part.name;
  }
}

TEST(StlFiles, ShapesWithoutFacesAndZeroDeflectionsAreRefused) {
  struct Case {
    const char* what;
    TopoDS_Shape shape;
    MeshResolution resolution;
    long number;
  };
  const Result<TopoDS_Shape> pin = MakePin();
  ASSERT_TRUE(pin.ok());
  const std::vector<Case> cases{
      {"empty shape", TopoDS_Shape(), {0.1, 0.5}, kGeometryFailed},
      {"zero linear deflection", pin.value(), {0, 0.5}, kInvalidModel},
      {"negative angular deflection", pin.value(), {0.1, -1}, kInvalidModel},
  };
  testing::TemporaryFolder folder;
  for (const Case& c : cases) {
    const Status written = WriteStl(c.shape, folder / "refused.stl", {c.resolution});
    ASSERT_FALSE(written.ok()) << c.what;
    EXPECT_EQ(written.failure().number, c.number) << c.what << ": " << written.failure().description;
  }
  EXPECT_EQ(folder.Listing(), "");
}

}  // namespace
}  // namespace korrin::standin
