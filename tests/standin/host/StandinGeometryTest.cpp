#include <cmath>
#include <fstream>
#include <iterator>

#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>
#include <gp.hxx>

#include "StandinFixture.h"
#include "documents/StandinDocumentReader.h"
#include "geometry/GeometryExpectations.h"
#include "geometry/GeometryFileText.h"
#include "geometry/ModelReaders.h"
#include "geometry/SampleParts.h"
#include "geometry/ShapeMeasures.h"
#include "geometry/ShapeText.h"
#include "host/HostCodes.h"
#include "support/FileBytes.h"

namespace korrin {
namespace {

using namespace std::string_literals;

// Drives one translator export through the host interface, as a run does.
class StandinGeometryTest : public testing::StandinFixture {
 protected:
  void SetUp() override {
    auto parts = standin::SampleParts();
    ASSERT_TRUE(parts.ok());
    for (const standin::NamedShape& part : parts.value()) shapes_[part.name] = part.shape;
  }

  std::string WritePart(const std::string& name) {
    standin::StandinDocument part = Part();
    part.geometry = standin::BrepText(shapes_.at(name));
    return Write("parts/" + name + ".ipt", part);
  }

  Status Export(host::DocumentHandle document, const std::string& translator, const std::string& path,
                const std::vector<std::pair<std::int32_t, host::OptionValue>>& entries) {
    host::Application& host = Host();
    host::AddInHandle addIn;
    for (const host::AddInEntry& entry : host.AddIns().value()) {
      if (entry.displayName == translator) addIn = entry.addIn;
    }
    const host::ContextHandle context = host.NewTranslationContext(host::kFileBrowseContext).value();
    const host::OptionMapHandle options = host.NewOptionMap().value();
    if (!host.translators().HasSaveCopyAsOptions(addIn, document, context, options).value()) {
      return Failure{-1, "no options offered"};
    }
    for (const auto& [number, value] : entries) {
      if (Status set = host.SetOption(options, host.OptionName(options, number).value(), value); !set) return set;
    }
    return host.translators().SaveCopyAs(addIn, document, context, options, host.NewDataMedium(path).value());
  }

  double VolumeOf(const std::string& name) { return standin::Measure(shapes_.at(name)).value().volume; }

  // The shape read back from a file has the source's bounding box.
  void ExpectSameBox(const TopoDS_Shape& read, const std::string& name, const std::string& what) {
    constexpr double kTolerance = 1e-3;
    testing::ExpectBoxNear(standin::Measure(read).value().box, standin::Measure(shapes_.at(name)).value().box,
                           kTolerance, what);
  }

  std::map<std::string, TopoDS_Shape> shapes_;
};

TEST_F(StandinGeometryTest, StepFilesFollowTheProtocolAndHeaderEntries) {
  const host::DocumentHandle flange = Open(WritePart("flange"));
  const struct {
    std::int32_t protocol;
    std::string schema;
  } cases[] = {{2, "CONFIG_CONTROL_DESIGN"}, {5, "AUTOMOTIVE_DESIGN { 1 0 10303 214 1 1 1 1 }"}};
  for (const auto& [protocol, schema] : cases) {
    const std::string path = (folder_ / ("flange" + std::to_string(protocol) + ".stp")).string();
    ASSERT_TRUE(Export(flange, "Autodesk STEP Translator", path,
                       {{1, protocol}, {2, "anna"s}, {3, "Released"s}, {4, "Flange for the pump"s}, {5, "Works"s}})
                    .ok());
    const std::string text = testing::FileBytes(path);
    EXPECT_EQ(testing::StepHeaderStrings(text, "FILE_SCHEMA"), std::vector<std::string>{schema}) << protocol;
    const auto header = testing::StepHeaderStrings(text, "FILE_NAME");
    ASSERT_EQ(header.size(), 7u);
    EXPECT_EQ(header[2], "anna");
    EXPECT_EQ(header[3], "Works");
    EXPECT_EQ(header[5], "Korrin stand-in host");
    EXPECT_EQ(header[6], "Released");
    EXPECT_EQ(testing::StepProductNames(text), std::vector<std::string>{"flange"});
    auto back = standin::ReadStep(path, {});
    ASSERT_TRUE(back.ok());
    EXPECT_NEAR(standin::Measure(back.value().shape).value().volume, VolumeOf("flange"), 1e-6 * VolumeOf("flange"));
    ExpectSameBox(back.value().shape, "flange", path);
  }
  EXPECT_FALSE(Export(flange, "Autodesk STEP Translator", (folder_ / "x.stp").string(), {{1, std::int32_t{3}}}).ok());
  EXPECT_FALSE(folder_.Exists("x.stp"));
}

TEST_F(StandinGeometryTest, IgesGeometryOptionsDecideTheEntitiesWritten) {
  const host::DocumentHandle bracket = Open(WritePart("bracket"));
  const struct {
    std::string geometry, surface, faces;
    int present, absent;
  } cases[] = {
      {"Surfaces", "143 - Bounded", "Analytic", 143, 144},
      {"Surfaces", "144 - Trimmed", "Analytic", 144, 143},
      {"Solids", "143 - Bounded", "Analytic", 192, 128},
      {"Solids", "143 - Bounded", "NURBS", 128, 192},
      {"Wireframe", "143 - Bounded", "Analytic", 110, 143},
  };
  int file = 0;
  for (const auto& test : cases) {
    const std::string path = (folder_ / ("bracket" + std::to_string(++file) + ".igs")).string();
    ASSERT_TRUE(Export(bracket, "Autodesk IGES Translator", path, {{1, test.geometry}, {2, test.surface}, {3, test.faces}})
                    .ok())
        << test.geometry;
    const std::map<int, int> entities = testing::IgesEntityCounts(testing::FileBytes(path));
    EXPECT_TRUE(entities.contains(test.present)) << test.geometry << " " << test.surface << " " << test.faces;
    EXPECT_FALSE(entities.contains(test.absent)) << test.geometry << " " << test.surface << " " << test.faces;
    auto back = standin::ReadIges(path, {});
    ASSERT_TRUE(back.ok()) << path;
    ExpectSameBox(back.value().shape, "bracket", path);
    if (test.geometry == "Solids") {
      EXPECT_NEAR(standin::Measure(back.value().shape).value().volume, VolumeOf("bracket"), 1e-4 * VolumeOf("bracket"));
    }
  }
  EXPECT_FALSE(Export(bracket, "Autodesk IGES Translator", (folder_ / "x.igs").string(), {{1, "Points"s}}).ok());
}

TEST_F(StandinGeometryTest, StlMeshesGetFinerWithTheResolutionTheHostReadAtStart) {
  const host::DocumentHandle shaft = Open(WritePart("stepped-shaft"));
  std::vector<int> facets;
  for (const std::int32_t level : {2, 1, 0}) {  // low, medium, high
    const std::string path = (folder_ / ("shaft" + std::to_string(level) + ".stl")).string();
    ASSERT_TRUE(Export(shaft, "Autodesk STL Translator", path, {{1, level}}).ok());
    const auto report = testing::RunAdmesh(path);
    ASSERT_TRUE(report) << "admesh could not read " << path;
    EXPECT_EQ(report->disconnectedFacets, 0) << report->output;
    EXPECT_EQ(report->degenerateFacets, 0) << report->output;
    EXPECT_NEAR(report->volume, VolumeOf("stepped-shaft"), 0.02 * VolumeOf("stepped-shaft"));
    facets.push_back(report->facets);
  }
  EXPECT_LT(facets[0], facets[1]);
  EXPECT_LT(facets[1], facets[2]);
}

TEST_F(StandinGeometryTest, TheHostMeshesAtTheResolutionsOfItsRegistry) {
  const std::string stl = HostUserKey(kTag, "\\System\\Preferences\\STL Output");
  ASSERT_TRUE(registry_.CreateRegistryKey(RegistryRoot::CurrentUser, stl, ""));
  const host::DocumentHandle shaft = Open(WritePart("stepped-shaft"));
  const std::string before = (folder_ / "before.stl").string();
  ASSERT_TRUE(Export(shaft, "Autodesk STL Translator", before, {{1, std::int32_t{0}}}).ok());
  // The host reads its registry when it starts: a new value takes effect
  // after a restart only.
  ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::CurrentUser, stl, "High Resolution", "100"s));
  const std::string same = (folder_ / "same.stl").string();
  ASSERT_TRUE(Export(shaft, "Autodesk STL Translator", same, {{1, std::int32_t{0}}}).ok());
  ASSERT_TRUE(Host().Quit().ok());
  host_.reset();
  const std::string after = (folder_ / "after.stl").string();
  ASSERT_TRUE(Export(Open(WritePart("stepped-shaft")), "Autodesk STL Translator", after, {{1, std::int32_t{0}}}).ok());
  const auto facets = [](const std::string& path) { return testing::RunAdmesh(path).value().facets; };
  EXPECT_EQ(facets(same), facets(before));
  EXPECT_LT(facets(after), facets(before));
}

TEST_F(StandinGeometryTest, XglAndZglCopiesAreMeshesAtTheMediumResolutionTheHostReadAtStart) {
  const std::string stl = HostUserKey(kTag, "\\System\\Preferences\\STL Output");
  ASSERT_TRUE(registry_.CreateRegistryKey(RegistryRoot::CurrentUser, stl, ""));
  ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::CurrentUser, stl, "Medium Resolution", "20000"s));
  const std::string partPath = WritePart("stepped-shaft");
  const host::DocumentHandle shaft = Open(partPath);
  const std::string medium = (folder_ / "medium.stl").string();
  ASSERT_TRUE(Export(shaft, "Autodesk STL Translator", medium, {{1, std::int32_t{1}}}).ok());
  const int mediumFacets = testing::RunAdmesh(medium).value().facets;
  const standin::BoundingBox box = standin::Measure(shapes_.at("stepped-shaft")).value().box;
  const double deflection =
      std::hypot(box.xMax - box.xMin, box.yMax - box.yMin, box.zMax - box.zMin) / 20000 + 1e-4;
  for (const char* file : {"shaft.xgl", "shaft.zgl"}) {
    const std::string path = (folder_ / file).string();
    ASSERT_TRUE(Host().documents().SaveAs(shaft, path, true).ok()) << file;
    const auto report = testing::RunAssimpInfo(path);
    ASSERT_TRUE(report) << "assimp could not read " << path;
    EXPECT_EQ(report->meshes, 1) << file;
    EXPECT_EQ(report->faces, mediumFacets) << file;
    testing::ExpectBoxNear({report->minimum[0], report->minimum[1], report->minimum[2], report->maximum[0],
                            report->maximum[1], report->maximum[2]},
                           box, deflection, file);
  }
  EXPECT_EQ(Host().documents().FullFileName(shaft).value(), partPath);
  // A new medium value takes effect when the host starts again.
  ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::CurrentUser, stl, "Medium Resolution", "100"s));
  ASSERT_TRUE(Host().Quit().ok());
  host_.reset();
  const std::string coarse = (folder_ / "coarse.xgl").string();
  ASSERT_TRUE(Host().documents().SaveAs(Open(partPath), coarse, true).ok());
  EXPECT_LT(testing::RunAssimpInfo(coarse).value().faces, mediumFacets);
}

TEST_F(StandinGeometryTest, AnAssemblyInXglHasAMeshPerPartHoweverOftenItIsUsed) {
  WritePart("housing");
  WritePart("pin");
  standin::StandinDocument unit = Part();
  unit.type = standin::DocumentType::Assembly;
  unit.environment = "Assembly";
  standin::StandinPlacement left;
  left.translationMillimetres = {-20, 0, 40};
  standin::StandinPlacement right = left;
  right.translationMillimetres.x = 20;
  unit.references = {{"parts/housing.ipt", std::nullopt}, {"parts/pin.ipt", left}, {"parts/pin.ipt", right}};
  const host::DocumentHandle assembly = Open(Write("unit.iam", unit));
  const std::string stl = (folder_ / "unit.stl").string();
  ASSERT_TRUE(Export(assembly, "Autodesk STL Translator", stl, {{1, std::int32_t{1}}}).ok());
  const std::string path = (folder_ / "unit.zgl").string();
  ASSERT_TRUE(Host().documents().SaveAs(assembly, path, true).ok());
  const auto whole = testing::RunAssimpInfo(path);
  ASSERT_TRUE(whole) << "assimp could not read " << path;
  ASSERT_EQ(whole->meshFaces.size(), 2u) << whole->output;  // the housing, then the pin
  EXPECT_EQ(whole->meshes, 2);
  EXPECT_EQ(whole->nodes, 4);  // the world, the housing and the pin twice
  EXPECT_EQ(whole->faces, whole->meshFaces[0] + whole->meshFaces[1]);
  // The STL file holds every occurrence: the pin's triangles twice.
  EXPECT_EQ(testing::RunAdmesh(stl).value().facets, whole->faces + whole->meshFaces[1]);

  // Parts used once sit where the assembly places them.
  standin::StandinDocument lid = unit;
  standin::StandinPlacement onTop;
  onTop.translationMillimetres = {0, 0, 60};
  onTop.rotationAxis = {0, 0, 1};
  onTop.rotationDegrees = 90;
  WritePart("cover-plate");
  lid.references = {{"parts/housing.ipt", std::nullopt}, {"parts/cover-plate.ipt", onTop}};
  const std::string lidPath = (folder_ / "lid.xgl").string();
  ASSERT_TRUE(Host().documents().SaveAs(Open(Write("lid.iam", lid)), lidPath, true).ok());
  const auto lidReport = testing::RunAssimpInfo(lidPath);
  ASSERT_TRUE(lidReport) << "assimp could not read " << lidPath;
  gp_Trsf turned;
  turned.SetRotation(gp::OZ(), M_PI / 2);
  gp_Trsf lifted;
  lifted.SetTranslation(gp_Vec(0, 0, 60));
  TopoDS_Compound placed;
  BRep_Builder builder;
  builder.MakeCompound(placed);
  builder.Add(placed, shapes_.at("housing"));
  builder.Add(placed, shapes_.at("cover-plate").Moved(TopLoc_Location(lifted * turned)));
  const standin::BoundingBox box = standin::Measure(placed).value().box;
  const double deflection = std::hypot(box.xMax - box.xMin, box.yMax - box.yMin, box.zMax - box.zMin) / 6300 + 1e-4;
  testing::ExpectBoxNear({lidReport->minimum[0], lidReport->minimum[1], lidReport->minimum[2], lidReport->maximum[0],
                          lidReport->maximum[1], lidReport->maximum[2]},
                         box, deflection, lidPath);
}

TEST_F(StandinGeometryTest, OnlyPartsAndAssembliesWithShapesBecomeMeshes) {
  const host::DocumentHandle drawing = Open(Write("plate.idw", Drawing({Sheet("Sheet:1", 42.0, 29.7)})));
  const Status refused = Host().documents().SaveAs(drawing, (folder_ / "plate.xgl").string(), true);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.failure().description, "A drawing cannot be saved as .XGL.");
  EXPECT_FALSE(folder_.Exists("plate.xgl"));
  const Status empty = Host().documents().SaveAs(Open(Write("empty.ipt", Part())), (folder_ / "e.xgl").string(), true);
  ASSERT_FALSE(empty.ok());
  EXPECT_EQ(empty.failure().description, "The part \"empty\" has no geometry.");
  const standin::ModelNode pin{"pin", standin::BrepText(shapes_.at("pin")), std::nullopt, {}};
  const Status unmeshable = geometry_.WriteXgl(pin, standin::StlFineness{0}, (folder_ / "pin.zgl").string(), true);
  ASSERT_FALSE(unmeshable.ok());
  EXPECT_EQ(unmeshable.failure().description, "An STL resolution must be a positive number.");
  EXPECT_FALSE(folder_.Exists("pin.zgl"));
}

TEST_F(StandinGeometryTest, AssembliesKeepTheirProductStructureInStep) {
  WritePart("housing");
  WritePart("pin");
  standin::StandinDocument unit = Part();
  unit.type = standin::DocumentType::Assembly;
  unit.environment = "Assembly";
  standin::StandinPlacement left;
  left.translationMillimetres = {-20, 0, 40};
  standin::StandinPlacement right;
  right.translationMillimetres = {20, 0, 40};
  unit.references = {{"parts/housing.ipt", std::nullopt}, {"parts/pin.ipt", left}, {"parts/pin.ipt", right}};
  const host::DocumentHandle assembly = Open(Write("unit.iam", unit));
  const std::string path = (folder_ / "unit.stp").string();
  ASSERT_TRUE(Export(assembly, "Autodesk STEP Translator", path, {{1, std::int32_t{5}}}).ok());
  const auto names = testing::StepProductNames(testing::FileBytes(path));
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), (std::set<std::string>{"unit", "housing", "pin"}));
  auto back = standin::ReadStep(path, {});
  ASSERT_TRUE(back.ok());
  EXPECT_NEAR(standin::Measure(back.value().shape).value().volume, VolumeOf("housing") + 2 * VolumeOf("pin"), 1e-3);
}

TEST_F(StandinGeometryTest, OpeningExchangeFilesMakesNewUnsavedModels) {
  const host::DocumentHandle washer = Open(WritePart("washer"));
  const std::string step = (folder_ / "washer.stp").string();
  const std::string iges = (folder_ / "washer.igs").string();
  const std::string stl = (folder_ / "washer.stl").string();
  ASSERT_TRUE(Export(washer, "Autodesk STEP Translator", step, {}).ok());
  ASSERT_TRUE(Export(washer, "Autodesk IGES Translator", iges, {{1, "Solids"s}}).ok());
  ASSERT_TRUE(Export(washer, "Autodesk STL Translator", stl, {{1, std::int32_t{0}}}).ok());
  for (const std::string& path : {step, iges, stl}) {
    const host::DocumentHandle imported = Open(path);
    EXPECT_EQ(Host().documents().DocumentType(imported).value(), host::kPartDocument) << path;
    EXPECT_EQ(Host().documents().FullFileName(imported).value(), "") << path;
    const std::string saved = path + ".ipt";
    ASSERT_TRUE(Host().documents().SaveAs(imported, saved, false).ok()) << path;
    auto shape = standin::ShapeFromBrepText(standin::ReadStandinDocument(saved).value().geometry);
    ASSERT_TRUE(shape.ok()) << path;
    EXPECT_NEAR(standin::Measure(shape.value()).value().volume, VolumeOf("washer"), 0.02 * VolumeOf("washer"))
        << path;
  }
  folder_.Write("bad.stp", "ISO-10303-21;\nHEADER;\n");
  auto broken = Host().OpenDocument((folder_ / "bad.stp").string(), true);
  ASSERT_FALSE(broken.ok());
  EXPECT_NE(broken.failure().description.find("bad.stp"), std::string::npos) << broken.failure().description;
}

TEST_F(StandinGeometryTest, AnImportedAssemblySavesItsComponentsBesideIt) {
  WritePart("housing");
  WritePart("pin");
  standin::StandinDocument unit = Part();
  unit.type = standin::DocumentType::Assembly;
  standin::StandinPlacement raised;
  raised.translationMillimetres = {0, 0, 40};
  unit.references = {{"parts/housing.ipt", std::nullopt}, {"parts/pin.ipt", raised}};
  const std::string step = (folder_ / "unit.stp").string();
  ASSERT_TRUE(Export(Open(Write("unit.iam", unit)), "Autodesk STEP Translator", step, {}).ok());

  const host::DocumentHandle imported = Open(step);
  EXPECT_EQ(Host().documents().DocumentType(imported).value(), host::kAssemblyDocument);
  std::filesystem::create_directories(folder_ / "imported");
  const std::string saved = (folder_ / "imported/unit.iam").string();
  ASSERT_TRUE(Host().documents().SaveAs(imported, saved, false).ok());
  auto document = standin::ReadStandinDocument(saved);
  ASSERT_TRUE(document.ok());
  ASSERT_EQ(document.value().references.size(), 2u);
  EXPECT_EQ(document.value().references[0].path, "housing.ipt");
  EXPECT_EQ(document.value().references[1].path, "pin.ipt");
  ASSERT_TRUE(document.value().references[1].placement);
  EXPECT_NEAR(document.value().references[1].placement->translationMillimetres.z, 40, 1e-9);
  const auto files = Host().documents().ReferencedFiles(imported).value();
  EXPECT_EQ(files[1].referencedDocumentType, host::kPartDocument);
  EXPECT_EQ(files[1].fullFileName, (folder_ / "imported/pin.ipt").string());
}

}  // namespace
}  // namespace korrin
