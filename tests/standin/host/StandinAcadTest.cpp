#include "AcadInstallation.h"
#include "StandinAcad.h"
#include "StandinFixture.h"
#include "documents/FailurePrinter.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

using Lines = std::vector<std::string>;

const Lines kPlateLines = {"KORRIN STAND-IN CONTAINER",
                           "format 1",
                           "kind DWG",
                           "source /drawings/plate.idw",
                           "document drawing",
                           "sheet \"Sheet:1\" width 42 height 29.7 size-code 9994 border yes title-block no",
                           "option Export_Acad_IniFile="};

Lines Plus(Lines lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

std::string Text(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

class StandinAcadTest : public testing::StandinFixture {
 protected:
  // What `korrin-standin install` records for AutoCAD.
  void InstallAcad() {
    const std::string release = std::string(standin::kAcadKey) + "\\" + standin::kStandinAcadRelease;
    ASSERT_TRUE(registry_.CreateRegistryKey(RegistryRoot::LocalMachine, release, ""));
    ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::LocalMachine, standin::kAcadKey,
                                             standin::kAcadCurrentReleaseValueName,
                                             std::string(standin::kStandinAcadRelease)));
  }

  std::string Container(const std::string& name, const Lines& lines = kPlateLines) {
    folder_.Write(name, Text(lines));
    return (folder_ / name).string();
  }

  Lines LinesOf(const std::string& path) { return ReadTextFile(path).lines; }

  standin::StandinAcad acad_;
};

TEST_F(StandinAcadTest, SavingCloseRecordsTheActiveDrawingsLineweightDisplayAndTheUpdate) {
  const std::string first = Container("first.dwg");
  const std::string second = Container("Second.DWG");
  ASSERT_TRUE(acad_.OpenDocument(first).ok());
  const std::string lowered = (folder_ / "second.dwg").string();  // another file on Linux, not there
  EXPECT_EQ(acad_.OpenDocument(lowered).failure().description,
            "AutoCAD cannot open \"" + lowered + "\": No such file or directory");
  ASSERT_TRUE(acad_.OpenDocument(second).ok());
  EXPECT_EQ(acad_.DocumentCount().value(), 2);

  ASSERT_TRUE(acad_.SetLineweightDisplay(false).ok());
  ASSERT_TRUE(acad_.Update().ok());
  ASSERT_TRUE(acad_.CloseActiveDocument(true).ok());
  EXPECT_EQ(LinesOf(second),
            Plus(kPlateLines, {"lineweight-display off", "updated-before-save yes", "saved-by AutoCAD"}));
  EXPECT_EQ(acad_.DocumentCount().value(), 1);

  // The first drawing is active again, its display as it opened, and no
  // update was made while it was active.
  ASSERT_TRUE(acad_.CloseActiveDocument(true).ok());
  EXPECT_EQ(LinesOf(first), Plus(kPlateLines, {"lineweight-display on", "updated-before-save no", "saved-by AutoCAD"}));
  EXPECT_EQ(acad_.DocumentCount().value(), 0);
  EXPECT_EQ(acad_.CloseActiveDocument(true).failure().description, "No drawing is open in AutoCAD.");
  EXPECT_EQ(acad_.SetLineweightDisplay(false).failure().description, "No drawing is open in AutoCAD.");
}

TEST_F(StandinAcadTest, ReopenedDrawingsKeepTheirRecordAndAnUnsavedCloseWritesNothing) {
  const std::string saved = Container(
      "saved.dxf", Plus(kPlateLines, {"lineweight-display off", "updated-before-save yes", "saved-by AutoCAD"}));
  const std::string before = folder_.Read("saved.dxf");
  ASSERT_TRUE(acad_.OpenDocument(saved).ok());
  ASSERT_TRUE(acad_.SetLineweightDisplay(true).ok());
  ASSERT_TRUE(acad_.CloseActiveDocument(false).ok());
  EXPECT_EQ(folder_.Read("saved.dxf"), before);
  EXPECT_EQ(acad_.DocumentCount().value(), 0);

  // Saved again, the lines a save writes are replaced, not repeated.
  ASSERT_TRUE(acad_.OpenDocument(saved).ok());
  ASSERT_TRUE(acad_.CloseActiveDocument(true).ok());
  EXPECT_EQ(LinesOf(saved),
            Plus(kPlateLines, {"lineweight-display off", "updated-before-save no", "saved-by AutoCAD"}));
}

TEST_F(StandinAcadTest, ItIsQuiescentOnlyAfterAFewReadsFollowingEachOpen) {
  const std::string plate = Container("plate.dwg");
  EXPECT_TRUE(acad_.IsQuiescent().value());
  for (int open = 0; open < 2; ++open) {  // the second open finds the drawing open and activates it
    ASSERT_TRUE(acad_.OpenDocument(plate).ok());
    for (int read = 0; read < standin::StandinAcad::kBusyReadsAfterOpen; ++read) {
      EXPECT_FALSE(acad_.IsQuiescent().value()) << "open " << open << ", read " << read;
    }
    EXPECT_TRUE(acad_.IsQuiescent().value());
  }
  EXPECT_EQ(acad_.DocumentCount().value(), 1);
  EXPECT_FALSE(acad_.OpenDocument((folder_ / "missing.dwg").string()).ok());
  EXPECT_TRUE(acad_.IsQuiescent().value());
}

TEST_F(StandinAcadTest, FilesThatAreNoDrawingContainersFailNamingTheFile) {
  Lines sat = kPlateLines;
  sat[2] = "kind SAT";
  Lines newer = kPlateLines;
  newer[1] = "format 2";
  Lines damagedSheet = kPlateLines;
  damagedSheet[5] = "sheet \"Sheet:1\" width 42,0 height 29.7 size-code 9994 border yes title-block no";
  folder_.Write("cut.dwg", "AC1018\r\n\x01\x02 binary\r\n");
  const struct {
    std::string file;
    std::string reason;
  } cases[] = {
      {"missing.dwg", "No such file or directory"},
      {"cut.dwg", "it is no stand-in container"},
      {Container("model.sat", sat), "it holds SAT, not a drawing"},
      {Container("newer.dwg", newer), "its container format 2 is newer than this host reads (1)"},
      {Container("sheet.dwg", damagedSheet), "line 6: the sheet width \"42,0\" is not a number"},
  };
  for (const auto& test : cases) {
    const std::string path = (folder_ / std::filesystem::path(test.file).filename().string()).string();
    const Status opened = acad_.OpenDocument(path);
    ASSERT_FALSE(opened.ok()) << path;
    EXPECT_EQ(opened.failure(), (Failure{-2147467259, "AutoCAD cannot open \"" + path + "\": " + test.reason}));
  }
  EXPECT_EQ(acad_.DocumentCount().value(), 0);
}

TEST_F(StandinAcadTest, AfterExitCallsFailAsOnAHostThatIsGoneAndNothingIsSaved) {
  const std::string plate = Container("plate.dwg");
  const std::string before = folder_.Read("plate.dwg");
  ASSERT_TRUE(acad_.SetVisible(true).ok());
  EXPECT_TRUE(acad_.visible());
  ASSERT_TRUE(acad_.OpenDocument(plate).ok());
  acad_.Exit();
  const Failure gone{-2147417848, "The object invoked has disconnected from its clients."};
  EXPECT_EQ(acad_.IsQuiescent().failure(), gone);
  EXPECT_EQ(acad_.DocumentCount().failure(), gone);
  EXPECT_EQ(acad_.OpenDocument(plate).failure(), gone);
  EXPECT_EQ(acad_.CloseActiveDocument(true).failure(), gone);
  EXPECT_EQ(folder_.Read("plate.dwg"), before);
}

TEST_F(StandinAcadTest, TheConnectorStartsAutocadOnlyWhereOneIsInstalled) {
  const Failure notRunning{-2147221021, "Operation unavailable"};
  const Failure notInstalled{-2147221005, "Invalid class string"};
  EXPECT_EQ(connector_.GetRunningAcad().failure(), notRunning);
  EXPECT_EQ(connector_.CreateAcad().failure(), notInstalled);
  // A current release naming no key of its own is no installation.
  ASSERT_TRUE(registry_.CreateRegistryKey(RegistryRoot::LocalMachine, standin::kAcadKey, ""));
  ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::LocalMachine, standin::kAcadKey,
                                           standin::kAcadCurrentReleaseValueName, std::string("R99.0")));
  EXPECT_EQ(connector_.CreateAcad().failure(), notInstalled);

  InstallAcad();
  auto created = connector_.CreateAcad();
  ASSERT_TRUE(created.ok()) << created.failure().description;
  auto running = connector_.GetRunningAcad();
  ASSERT_TRUE(running.ok());
  EXPECT_EQ(running.value(), created.value());
  ASSERT_TRUE(running.value()->OpenDocument(Container("plate.dwg")).ok());
  EXPECT_EQ(connector_.GetRunningAcad().value()->DocumentCount().value(), 1);

  dynamic_cast<standin::StandinAcad&>(*created.value()).Exit();
  EXPECT_EQ(connector_.GetRunningAcad().failure(), notRunning);
  EXPECT_EQ(connector_.CreateAcad().value()->DocumentCount().value(), 0);
}

}  // namespace
}  // namespace korrin
