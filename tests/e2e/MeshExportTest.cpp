// korrin-batch exporting the sample parts and assemblies as XGL and ZGL
// meshes, each file read back by Debian's assimp.

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "e2e/BatchFixture.h"
#include "standin/geometry/GeometryFileText.h"

namespace korrin {
namespace {

using testing::AssimpReport;
using testing::Lines;
using testing::SplitLines;

// assimp prints six decimals of single-precision numbers.
constexpr double kPrintedTolerance = 1e-4;

const Lines kSampleParts = {"bracket", "hole-plate", "stepped-shaft", "flange", "washer",  "bushing",
                            "spacer-block", "pin", "hex-nut", "gear", "housing", "cover-plate"};

class MeshExportTest : public testing::BatchFixture {
 protected:
  // Exports every file to each format in one run a format.
  void ExportAll(const std::string& import, const Lines& paths, const Lines& formats) {
    for (const std::string& format : formats) {
      const testing::ProgramRun run = Export(import, format, paths);
      ASSERT_EQ(run.exitCode, 0) << format << "\n" << run.out << run.err;
      ASSERT_EQ(SplitLines(run.out).back(),
                "Summary: " + std::to_string(paths.size()) + " converted, 0 skipped, 0 failed")
          << format << "\n" << run.out;
    }
  }

  AssimpReport Read(const std::string& file) const {
    const auto report = testing::RunAssimpInfo(Out(file));
    EXPECT_TRUE(report) << "assimp could not read " << Out(file);
    return report.value_or(AssimpReport{});
  }
};

void ExpectSameBounds(const AssimpReport& actual, const AssimpReport& expected, const std::string& what) {
  for (int axis = 0; axis < 3; ++axis) {
    EXPECT_NEAR(actual.minimum[axis], expected.minimum[axis], kPrintedTolerance) << what << " axis " << axis;
    EXPECT_NEAR(actual.maximum[axis], expected.maximum[axis], kPrintedTolerance) << what << " axis " << axis;
  }
}

// The STL export meshes at the template's medium resolution, as XGL and ZGL
// always do, so assimp finds the same triangles in all three files.
TEST_F(MeshExportTest, EverySamplePartIsOneMeshOfItsStlTriangles) {
  Lines paths;
  for (const std::string& part : kSampleParts) paths.push_back(Sample("parts/" + part + ".ipt"));
  ExportAll("*.IPT", paths, {"*.STL", "*.XGL", "*.ZGL"});
  for (const std::string& part : kSampleParts) {
    SCOPED_TRACE(part);
    const AssimpReport stl = Read(part + ".stl");
    const AssimpReport xgl = Read(part + ".xgl");
    const AssimpReport zgl = Read(part + ".zgl");
    ASSERT_GT(stl.faces, 0) << stl.output;
    EXPECT_EQ(xgl.meshes, 1);
    EXPECT_EQ(xgl.nodes, 2);
    EXPECT_EQ(xgl.faces, stl.faces);
    EXPECT_EQ(xgl.vertices, 3 * xgl.faces);
    ExpectSameBounds(xgl, stl, part + ".xgl");
    EXPECT_EQ(zgl.meshes, xgl.meshes);
    EXPECT_EQ(zgl.faces, xgl.faces);
    ExpectSameBounds(zgl, xgl, part + ".zgl");
  }
}

// The drive unit shows its pin twice and its shaft set as a subassembly of
// three parts.
TEST_F(MeshExportTest, AnAssemblyIsOneMeshPerPartShownAtEveryPlace) {
  ExportAll("*.IAM", {Sample("assemblies/drive-unit.iam"), Sample("assemblies/shaft-set.iam")}, {"*.XGL", "*.ZGL"});
  const struct {
    std::string name;
    int meshes;
    int occurrences;
  } assemblies[] = {{"drive-unit", 6, 7}, {"shaft-set", 3, 3}};
  for (const auto& assembly : assemblies) {
    SCOPED_TRACE(assembly.name);
    const AssimpReport xgl = Read(assembly.name + ".xgl");
    const AssimpReport zgl = Read(assembly.name + ".zgl");
    ASSERT_EQ(xgl.meshFaces.size(), static_cast<std::size_t>(assembly.meshes)) << xgl.output;
    EXPECT_EQ(xgl.meshes, assembly.meshes);
    EXPECT_EQ(xgl.nodes, assembly.occurrences + 1);  // the world holds them
    EXPECT_EQ(xgl.faces, std::accumulate(xgl.meshFaces.begin(), xgl.meshFaces.end(), 0));
    EXPECT_EQ(xgl.vertices, 3 * xgl.faces);
    for (const int faces : xgl.meshFaces) EXPECT_GT(faces, 0) << xgl.output;
    EXPECT_EQ(zgl.meshFaces, xgl.meshFaces);
    EXPECT_EQ(zgl.nodes, xgl.nodes);
    ExpectSameBounds(zgl, xgl, assembly.name + ".zgl");
  }
}

}  // namespace
}  // namespace korrin
