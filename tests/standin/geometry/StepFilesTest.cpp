#include <gtest/gtest.h>

#include <cmath>
#include <gp_Quaternion.hxx>

#include "GeometryExpectations.h"
#include "GeometryFileText.h"
#include "geometry/GeometryFailure.h"
#include "geometry/ModelReaders.h"
#include "geometry/SampleParts.h"
#include "geometry/StepWriter.h"
#include "support/TemporaryFolder.h"

namespace korrin::standin {
namespace {

// STEP keeps analytic surfaces and writes reals to 15 digits: read back, a
// part keeps its volume to this relative tolerance and its box to this many
// millimetres.
constexpr double kVolumeTolerance = 1e-6;
constexpr double kBoxTolerance = 1e-6;

StepOptions HeaderOptions(StepProtocol protocol) {
  return {protocol, "Ada Author", "Korrin Works", "Chief Checker", "Stand-in export", "Korrin stand-in host"};
}

// Reads the file back and checks the shape against the source.
void ExpectReadBackAs(const std::filesystem::path& path, const TopoDS_Shape& source, const std::string& what) {
  const Result<ImportedModel> read = ReadStep(path, {});
  ASSERT_TRUE(read.ok()) << what << ": " << read.failure().description;
  const ShapeMeasures expected = testing::MeasuresOf(source, what);
  const ShapeMeasures actual = testing::MeasuresOf(read.value().shape, what);
  EXPECT_EQ(actual.solidCount, expected.solidCount) << what;
  EXPECT_NEAR(actual.volume, expected.volume, expected.volume * kVolumeTolerance) << what;
  testing::ExpectBoxNear(actual.box, expected.box, kBoxTolerance, what);
}

TEST(StepFiles, HeaderNamesTheSchemaOfEachProtocolAndTheGivenFields) {
  struct Case {
    StepProtocol protocol;
    const char* schema;
  };
  const std::vector<Case> cases{
      {StepProtocol::ConfigurationControlledDesign, "CONFIG_CONTROL_DESIGN"},
      {StepProtocol::AutomotiveDesign, "AUTOMOTIVE_DESIGN { 1 0 10303 214 1 1 1 1 }"},
  };
  const Result<TopoDS_Shape> washer = MakeWasher();
  ASSERT_TRUE(washer.ok());
  testing::TemporaryFolder folder;
  for (const Case& c : cases) {
    const Status written =
        WriteStep(PlacedPart({"washer", washer.value()}), folder / "washer.stp", HeaderOptions(c.protocol));
    ASSERT_TRUE(written.ok()) << c.schema << ": " << written.failure().description;
    const std::string text = folder.Read("washer.stp");
    EXPECT_EQ(testing::StepHeaderStrings(text, "FILE_SCHEMA"), std::vector<std::string>{c.schema});
    const std::vector<std::string> fileName = testing::StepHeaderStrings(text, "FILE_NAME");
    ASSERT_EQ(fileName.size(), 7u) << c.schema << "\n" << text.substr(0, 600);
    EXPECT_EQ(fileName[0], "washer.stp") << c.schema;
    EXPECT_EQ(fileName[2], "Ada Author") << c.schema;
    EXPECT_EQ(fileName[3], "Korrin Works") << c.schema;
    EXPECT_EQ(fileName[5], "Korrin stand-in host") << c.schema;
    EXPECT_EQ(fileName[6], "Chief Checker") << c.schema;
    EXPECT_EQ(testing::StepHeaderStrings(text, "FILE_DESCRIPTION"),
              (std::vector<std::string>{"Stand-in export", "2;1"}));
    EXPECT_EQ(testing::StepProductNames(text), std::vector<std::string>{"washer"}) << c.schema;
    ExpectReadBackAs(folder / "washer.stp", washer.value(), c.schema);
  }
}

TEST(StepFiles, EverySampleReadsBackWithItsVolumeBoxAndName) {
  const Result<std::vector<NamedShape>> parts = SampleParts();
  ASSERT_TRUE(parts.ok()) << parts.failure().description;
  testing::TemporaryFolder folder;
  for (const NamedShape& part : parts.value()) {
    const std::filesystem::path path = folder / (part.name + ".stp");
    const Status written = WriteStep(PlacedPart(part), path, HeaderOptions(StepProtocol::AutomotiveDesign));
    ASSERT_TRUE(written.ok()) << part.name << ": " << written.failure().description;
    ExpectReadBackAs(path, part.shape, part.name);
    const Result<ImportedModel> read = ReadStep(path, {});
    ASSERT_TRUE(read.ok() && read.value().products.size() == 1) << part.name;
    EXPECT_EQ(read.value().products[0].name, part.name);
    EXPECT_FALSE(read.value().products[0].IsAssembly()) << part.name;
  }
}

// The names of a product tree, children indented by two blanks a level.
std::string Outline(const ProductNode& product, int depth = 0) {
  std::string outline = std::string(2 * depth, ' ') + product.name + "\n";
  for (const ProductNode& child : product.children) outline += Outline(child, depth + 1);
  return outline;
}

TEST(StepFiles, AssemblyKeepsItsProductsStructureAndPlacements) {
  const Result<ProductNode> assembly = SampleAssembly();
  ASSERT_TRUE(assembly.ok()) << assembly.failure().description;
  testing::TemporaryFolder folder;
  const Status written =
      WriteStep(assembly.value(), folder / "drive-unit.stp", HeaderOptions(StepProtocol::AutomotiveDesign));
  ASSERT_TRUE(written.ok()) << written.failure().description;

  // One product for each part, the pin once although placed twice.
  EXPECT_EQ(testing::StepProductNames(folder.Read("drive-unit.stp")),
            (std::vector<std::string>{"drive-unit", "housing", "cover-plate", "pin", "shaft-set", "stepped-shaft",
                                      "bushing", "gear"}));

  const Result<ImportedModel> read = ReadStep(folder / "drive-unit.stp", {});
  ASSERT_TRUE(read.ok()) << read.failure().description;
  ASSERT_EQ(read.value().products.size(), 1u);
  const ProductNode& unit = read.value().products[0];
  EXPECT_EQ(Outline(unit), Outline(assembly.value()));
  ASSERT_EQ(unit.children.size(), 5u);
  EXPECT_DOUBLE_EQ(unit.children[1].placement.TranslationPart().Z(), 40) << "cover-plate";
  EXPECT_DOUBLE_EQ(unit.children[2].placement.TranslationPart().X(), -50) << "first pin";
  EXPECT_DOUBLE_EQ(unit.children[3].placement.TranslationPart().X(), 50) << "second pin";
  ASSERT_EQ(unit.children[4].children.size(), 3u);
  const gp_Trsf& gear = unit.children[4].children[2].placement;
  EXPECT_NEAR(gear.TranslationPart().Z(), 115, 1e-9);
  gp_Vec axis;
  double angle = 0;
  gear.GetRotation().GetVectorAndAngle(axis, angle);
  EXPECT_NEAR(angle, M_PI / 20, 1e-9);
  EXPECT_NEAR(axis.Z(), 1, 1e-9);

  // The whole: every part once per placement, as placed.
  double partVolumes = 0;
  std::function<void(const ProductNode&)> addVolumes = [&](const ProductNode& product) {
    if (!product.IsAssembly()) partVolumes += testing::MeasuresOf(product.shape, product.name).volume;
    for (const ProductNode& child : product.children) addVolumes(child);
  };
  addVolumes(assembly.value());
  const ShapeMeasures whole = testing::MeasuresOf(read.value().shape, "drive-unit");
  EXPECT_EQ(whole.solidCount, 7);
  EXPECT_NEAR(whole.volume, partVolumes, partVolumes * kVolumeTolerance);
  // Pins beside the housing, shaft from the floor up to 3 + 140.
  testing::ExpectBoxNear(whole.box, {-54, -30, 0, 54, 30, 143}, kBoxTolerance, "drive-unit");
}

TEST(StepFiles, ProductsWithoutNameOrShapeAreRefusedAndNothingIsWritten) {
  const Result<TopoDS_Shape> pin = MakePin();
  ASSERT_TRUE(pin.ok());
  struct Case {
    const char* what;
    ProductNode product;
    const char* description;
  };
  const std::vector<Case> cases{
      {"part without shape", PlacedPart({"ghost", TopoDS_Shape()}), "the part \"ghost\" has no shape"},
      {"part without name", PlacedPart({"", pin.value()}), "a product without a name cannot be written"},
      {"nested part without shape", Assembly("kit", {PlacedPart({"pin", pin.value()}), PlacedPart({"ghost", {}})}),
       "the part \"ghost\" has no shape"},
  };
  testing::TemporaryFolder folder;
  for (const Case& c : cases) {
    const Status written = WriteStep(c.product, folder / "refused.stp", {});
    ASSERT_FALSE(written.ok()) << c.what;
    EXPECT_EQ(written.failure(), (Failure{kInvalidModel, c.description})) << c.what;
  }
  EXPECT_EQ(folder.Listing(), "");
}

}  // namespace
}  // namespace korrin::standin
