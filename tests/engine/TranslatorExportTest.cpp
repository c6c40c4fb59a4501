#include "EngineFixture.h"
#include "engine/TranslatorExport.h"
#include "geometry/GeometryFileText.h"
#include "geometry/SampleParts.h"
#include "geometry/ShapeText.h"
#include "settings/TextFile.h"
#include "support/FileBytes.h"

namespace korrin {
namespace {

class TranslatorExportTest : public testing::EngineFixture {
 protected:
  std::string Export(host::DocumentHandle document, const std::string& outputFile) {
    ExportContext context = Context();
    return ExportThroughTranslator(context, document, outputFile);
  }
  host::DocumentHandle OpenPart() {
    standin::StandinDocument part = Part();
    part.geometry = standin::BrepText(standin::MakeWasher().value());
    return Open(Write("washer.ipt", part));
  }
  std::string Output(const std::string& name) { return (folder_ / name).string(); }

  void SetUp() override {
    options_.Replace({"[EXPORTOPTIONS]", "STPApplicationProtocol=False", "STPAuthorization=Released",
                      "STPDescription=Washer", "STPOrganization=Works", "STLValue=1",
                      "IGSOutputGeometryType=Wireframe", "IGSSurfaceType=143 - Bounded", "IGSSolidFaceType=Analytic"});
  }
};

TEST_F(TranslatorExportTest, StepTakesTheProtocolTheUserAndTheHeaderTexts) {
  const host::DocumentHandle washer = OpenPart();
  ASSERT_EQ(Export(washer, Output("washer.stp")), "");
  const std::string text = testing::FileBytes(Output("washer.stp"));
  EXPECT_EQ(testing::StepHeaderStrings(text, "FILE_SCHEMA"),
            std::vector<std::string>{"AUTOMOTIVE_DESIGN { 1 0 10303 214 1 1 1 1 }"});
  const auto header = testing::StepHeaderStrings(text, "FILE_NAME");
  ASSERT_EQ(header.size(), 7u);
  EXPECT_EQ(header[2], Host().UserName().value());
  EXPECT_EQ(header[3], "Works");
  EXPECT_EQ(header[6], "Released");
}

TEST_F(TranslatorExportTest, IgesTakesItsGeometryChoicesIgnoringCaseAndFallsBackOnOtherTexts) {
  const host::DocumentHandle washer = OpenPart();
  const struct {
    const char *geometry, *surface, *faces;
    std::vector<int> present, absent;
  } cases[] = {
      {"Wireframe", "143 - Bounded", "Analytic", {100}, {143, 144, 186}},
      {"", "143 - Bounded", "Analytic", {100}, {143, 144, 186}},
      {"Points", "144 - Trimmed", "NURBS", {100}, {143, 144, 186}},
      {"sURFACES", "143 - bounded", "Analytic", {143, 141}, {144, 186}},
      {"Surfaces", "144 - Trimmed", "Analytic", {144, 142}, {143, 186}},
      {"Surfaces", "Bounded", "Analytic", {144, 142}, {143, 186}},
      {"Surfaces", "", "Analytic", {144, 142}, {143, 186}},
      {"SOLIDS", "143 - Bounded", "nurbs", {186, 128}, {190, 192, 143, 144}},
      {"Solids", "143 - Bounded", "", {186, 192}, {128, 143, 144}},
  };
  int file = 0;
  for (const auto& c : cases) {
    options_.SetExportOption("IGSOutputGeometryType", c.geometry);
    options_.SetExportOption("IGSSurfaceType", c.surface);
    options_.SetExportOption("IGSSolidFaceType", c.faces);
    const std::string what = std::string(c.geometry) + "/" + c.surface + "/" + c.faces;
    const std::string path = Output("washer" + std::to_string(++file) + ".igs");
    const std::string failure = Export(washer, path);
    EXPECT_EQ(failure, "") << what;
    if (!failure.empty()) continue;
    const auto entities = testing::IgesEntityCounts(testing::FileBytes(path));
    for (const int type : c.present) EXPECT_TRUE(entities.contains(type)) << what << " lacks " << type;
    for (const int type : c.absent) EXPECT_FALSE(entities.contains(type)) << what << " has " << type;
  }
}

TEST_F(TranslatorExportTest, StlValueOneExportsAtTheHighResolution) {
  const host::DocumentHandle washer = OpenPart();
  ASSERT_EQ(Export(washer, Output("high.stl")), "");
  options_.SetExportOption("STLValue", "3");
  ASSERT_EQ(Export(washer, Output("low.stl")), "");
  EXPECT_GT(testing::RunAdmesh(Output("high.stl"))->facets, testing::RunAdmesh(Output("low.stl"))->facets);
}

TEST_F(TranslatorExportTest, DrawingExportsTellTheHostTheirSettingsFile) {
  const host::DocumentHandle drawing = Open(Write("d.idw", Drawing({Sheet("Sheet:1", 42.0, 29.7)})));
  ASSERT_EQ(Export(drawing, Output("d.dwg")), "");
  ASSERT_EQ(Export(drawing, Output("d.dxf")), "");
  EXPECT_EQ(ReadTextFile(Output("d.dwg")).lines.back(), "option Export_Acad_IniFile=/cfg/dwgout.ini");
  const std::string key = HostUserKey(kTag, "\\Translators\\DWG\\Last INI file");
  RegistryValue dwg, dxf;
  ASSERT_TRUE(registry_.ReadRegistryValue(RegistryRoot::CurrentUser, key, "Last Export DWG INI file", dwg));
  ASSERT_TRUE(registry_.ReadRegistryValue(RegistryRoot::CurrentUser, key, "Last Export DXF INI file", dxf));
  EXPECT_EQ(dwg, RegistryValue(std::string("/cfg/dwgout.ini")));
  EXPECT_EQ(dxf, RegistryValue(std::string("/cfg/dwgout.ini")));
}

TEST_F(TranslatorExportTest, FailuresComeBackAsTheTextToLog) {
  const host::DocumentHandle washer = OpenPart();
  dialogs_.ExpectMessage("Failed to activate xyz translator");
  EXPECT_EQ(Export(washer, Output("washer.xyz")), "Unknown error");
  EXPECT_EQ(Export(washer, ""), "Unknown error");
  // The stand-in's DWG translator writes drawings only.
  EXPECT_EQ(Export(washer, Output("washer.dwg")),
            Output("washer.dwg") + ": The DWG translator saves drawings only.");
}

TEST_F(TranslatorExportTest, AHostBusyPastTheTimeLimitFailsTheExport) {
  standin::StandinDocument part = Part();
  part.geometry = standin::BrepText(standin::MakePin().value());
  part.faults.busyAfterSaveMilliseconds = 3'600'000;
  const host::DocumentHandle pin = Open(Write("pin.ipt", part));
  auto clock = std::make_shared<HostWaitLimit::Clock::time_point>();
  limit_.limit = std::chrono::seconds(30);
  limit_.now = [clock] { return *clock += std::chrono::seconds(1); };
  EXPECT_EQ(Export(pin, Output("pin.stp")), Output("pin.stp") + ": the host was still busy saving after 30 s");
  // An abort ends the wait at once, without a failure.
  abort_.Raise();
  EXPECT_EQ(Export(pin, Output("pin2.stp")), "");
}

TEST_F(TranslatorExportTest, AHostThatEndsWhileBusyEndsTheWaitAtOnce) {
  standin::StandinDocument part = Part();
  part.geometry = standin::BrepText(standin::MakePin().value());
  part.faults.busyAfterSaveMilliseconds = 3'600'000;
  const host::DocumentHandle pin = Open(Write("pin.ipt", part));
  int reads = 0;
  limit_.now = [&reads] { return HostWaitLimit::Clock::time_point{} + std::chrono::seconds(++reads); };
  events_.onYield = [this](int) { connector_.EndHostProcess(); };
  ExportContext context = Context();
  EXPECT_EQ(ExportThroughTranslator(context, pin, Output("pin.stp")),
            Output("pin.stp") + ": the host could not be asked whether it was done saving: "
                                "The object invoked has disconnected from its clients.");
  EXPECT_TRUE(context.hostGone);
  // One read for the deadline and one in the wait: far from the 60 s limit.
  EXPECT_LE(reads, 3);
}

}  // namespace
}  // namespace korrin
