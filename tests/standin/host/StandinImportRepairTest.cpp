#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "OcctGeometryExchange.h"
#include "StandinApplication.h"
#include "documents/StandinDocumentReader.h"
#include "geometry/GeometryExpectations.h"
#include "geometry/IgesWriter.h"
#include "geometry/SampleImportShapes.h"
#include "geometry/SampleParts.h"
#include "geometry/ShapeCensus.h"
#include "geometry/ShapeText.h"
#include "geometry/StepWriter.h"
#include "host/HostCodes.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using standin::ImportRepair;

// Imports through the host interface of a host started with the repair
// switches given, as the connector starts it from the registry.
class StandinImportRepairTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const TopoDS_Shape cover = standin::MakeCoverPlate().value();
    const TopoDS_Shape washer = standin::MakeWasher().value();
    const TopoDS_Shape gap = standin::WithCornerOffItsEdges(standin::MakeHolePlate().value(), 0.02).value();
    ASSERT_TRUE(standin::WriteIges(cover, folder_ / "cover.igs", {}).ok());
    ASSERT_TRUE(standin::WriteIges(standin::InARow(cover, 2, 150).value(), folder_ / "covers.igs", {}).ok());
    ASSERT_TRUE(standin::WriteStep(standin::PlacedPart({"plate", gap}), folder_ / "plate.stp", {}).ok());
    const TopoDS_Shape washers = standin::InARow(washer, 3, 30).value();
    ASSERT_TRUE(standin::WriteStep(standin::PlacedPart({"washers", washers}), folder_ / "washers.stp", {}).ok());
  }

  std::shared_ptr<host::Application> Host(const ImportRepair& iges, const ImportRepair& step) {
    standin::StandinSettings settings;
    settings.igesImport = iges;
    settings.stepImport = step;
    settings.geometry = &geometry_;
    return std::make_shared<standin::StandinApplication>(settings, std::make_shared<standin::FirstOpenRecord>());
  }

  // Imports the file and saves it into the folder "saved" under its own name.
  standin::StandinDocument ImportAndSave(host::Application& host, const std::string& file, const std::string& saved) {
    std::filesystem::create_directories(folder_ / "saved");
    auto imported = host.OpenDocument((folder_ / file).string(), true);
    EXPECT_TRUE(imported.ok()) << file << ": " << (imported ? "" : imported.failure().description);
    const Status written = host.documents().SaveAs(imported.value(), (folder_ / "saved" / saved).string(), false);
    EXPECT_TRUE(written.ok()) << file << ": " << (written ? "" : written.failure().description);
    return standin::ReadStandinDocument((folder_ / "saved" / saved).string()).value();
  }

  static testing::ShapeCensus CensusOfPart(const standin::StandinDocument& part) {
    return testing::CensusOf(standin::ShapeFromBrepText(part.geometry).value());
  }

  testing::TemporaryFolder folder_;
  standin::OcctGeometryExchange geometry_;
};

TEST_F(StandinImportRepairTest, EachFormatsSwitchesDecideWhatItsImportSavesAs) {
  using testing::ShapeCensus;
  constexpr ImportRepair kOff{false, false};
  constexpr ImportRepair kHealing{true, false};
  constexpr ImportRepair kStitching{false, true};
  constexpr ImportRepair kBoth{true, true};
  const struct {
    const char* file;
    ImportRepair iges, step;
    ShapeCensus saved;
  } cases[] = {
      {"cover.igs", kOff, kBoth, {TopAbs_COMPOUND, 0, 0, 15, 78, true}},
      {"cover.igs", kStitching, kOff, {TopAbs_SOLID, 1, 1, 15, 0, true}},
      {"plate.stp", kBoth, kOff, {TopAbs_SOLID, 1, 1, 12, 0, false}},
      {"plate.stp", kOff, kHealing, {TopAbs_SOLID, 1, 1, 12, 0, true}},
  };
  int number = 0;
  for (const auto& c : cases) {
    auto host = Host(c.iges, c.step);
    const standin::StandinDocument saved = ImportAndSave(*host, c.file, std::to_string(++number) + ".ipt");
    EXPECT_EQ(saved.type, standin::DocumentType::Part) << c.file << " " << number;
    EXPECT_EQ(CensusOfPart(saved), c.saved) << c.file << " " << number;
  }
}

TEST_F(StandinImportRepairTest, AFileOfSeveralSolidsSavesAsAnAssemblyWithItsPartsBesideIt) {
  const struct {
    const char* file;
    ImportRepair iges;
    std::vector<std::string> parts;  // empty: the file saves as one part
  } cases[] = {
      {"washers.stp", {}, {"washers_1.ipt", "washers_2.ipt", "washers_3.ipt"}},
      {"covers.igs", {false, true}, {"covers_1.ipt", "covers_2.ipt"}},
      {"covers.igs", {}, {}},
  };
  for (const auto& c : cases) {
    auto host = Host(c.iges, {});
    const bool assembly = !c.parts.empty();
    const std::string name = std::filesystem::path(c.file).stem().string() + (assembly ? ".iam" : ".ipt");
    const standin::StandinDocument saved = ImportAndSave(*host, c.file, name);
    EXPECT_EQ(saved.type, assembly ? standin::DocumentType::Assembly : standin::DocumentType::Part) << c.file;
    std::vector<std::string> references;
    for (const standin::StandinReference& reference : saved.references) {
      references.push_back(reference.path);
      EXPECT_FALSE(reference.placement) << c.file << " " << reference.path;
    }
    EXPECT_EQ(references, c.parts) << c.file;
    std::set<double> leftEdges;
    for (const std::string& part : c.parts) {
      auto document = standin::ReadStandinDocument((folder_ / "saved" / part).string());
      ASSERT_TRUE(document.ok()) << part << ": " << document.failure().description;
      EXPECT_EQ(CensusOfPart(document.value()).solids, 1) << part;
      const TopoDS_Shape shape = standin::ShapeFromBrepText(document.value().geometry).value();
      leftEdges.insert(std::round(testing::MeasuresOf(shape, part).box.xMin));
    }
    EXPECT_EQ(leftEdges.size(), c.parts.size()) << c.file << ": each part keeps its own place";
  }
}

}  // namespace
}  // namespace korrin
