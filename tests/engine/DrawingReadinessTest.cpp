#include "EngineFixture.h"
#include "engine/DrawingReadiness.h"

namespace korrin {
namespace {

class DrawingReadinessTest : public testing::EngineFixture {
 protected:
  std::string Check(const std::string& version = "7.0", bool skipReferenceCheck = false) {
    DrawingCheck check{Host(), log_, processes_, version, skipReferenceCheck, limit_};
    return CheckDrawingReady(check);
  }
  void OpenDrawing(const std::vector<standin::StandinSheet>& sheets, std::vector<std::string> references = {}) {
    standin::StandinDocument drawing = Drawing(sheets);
    for (std::string& reference : references) drawing.references.push_back({std::move(reference), std::nullopt});
    drawingPath_ = Write("drawings/d.idw", drawing);
    Open(drawingPath_);
  }

  std::string drawingPath_;
};

TEST_F(DrawingReadinessTest, AReadyDrawingWithResolvedReferencesMayGoOn) {
  Write("parts/p.ipt", Part());
  OpenDrawing({Sheet("Sheet:1", 42.0, 29.7)}, {"../parts/p.ipt"});
  EXPECT_EQ(Check(), "");
  EXPECT_TRUE(view_.lines.empty());
}

TEST_F(DrawingReadinessTest, UpdatingDrawingIsLoggedUntilTheHelperGetsNormalPriority) {
  standin::StandinSheet slow = Sheet("Sheet:1", 42.0, 29.7);
  slow.computingReads = 3;
  OpenDrawing({slow});
  // Without the helper process every polling round logs the line again.
  EXPECT_EQ(Check(), "");
  EXPECT_EQ(view_.lines, (std::vector<std::string>{"Updating drawing", "Updating drawing"}));

  view_.lines.clear();
  processes_.processes = {{77, "C:\\Program Files\\Inventor\\BackAHL.exe"}};
  ASSERT_TRUE(Host().documents().Close(Host().ActiveDocument().value(), true).ok());
  OpenDrawing({slow});
  EXPECT_EQ(Check(), "");
  EXPECT_EQ(view_.lines, std::vector<std::string>{"Updating drawing"});
  ASSERT_EQ(processes_.priorities.size(), 1u);
  EXPECT_EQ(processes_.priorities[0], (std::pair<std::int64_t, PriorityClass>{77, PriorityClass::Normal}));
}

TEST_F(DrawingReadinessTest, TheFirstUnresolvedReferenceDecides) {
  std::filesystem::create_directories(folder_ / "parts");
  folder_.Write("parts/junk.ipt", "not a document");
  OpenDrawing({Sheet("Sheet:1", 42.0, 29.7)}, {"../parts/missing.ipt", "../parts/junk.ipt"});
  EXPECT_EQ(Check(), "Referenced file not found: " + (folder_ / "parts/missing.ipt").string() +
                         "   Document NOT printet");
  EXPECT_EQ(Check("7.0", true), "");
  // Hosts up to 5.3 are not checked; 10.0 comes after 5.3 although its text sorts before.
  EXPECT_EQ(Check("5.3"), "");
  EXPECT_NE(Check("10.0"), "");
}

TEST_F(DrawingReadinessTest, AReferenceThatExistsButDoesNotResolveNamesTheDrawing) {
  std::filesystem::create_directories(folder_ / "parts");
  folder_.Write("parts/junk.ipt", "not a document");
  OpenDrawing({Sheet("Sheet:1", 42.0, 29.7)}, {"../parts/junk.ipt"});
  EXPECT_EQ(Check(), "Error in " + drawingPath_ + "   Document NOT printet");
}

TEST_F(DrawingReadinessTest, ViewsThatNeverFinishEndAtTheTimeLimit) {
  standin::StandinSheet stuck = Sheet("Sheet:1", 42.0, 29.7);
  stuck.computingReads = 1'000'000;
  OpenDrawing({stuck});
  auto clock = std::make_shared<HostWaitLimit::Clock::time_point>();
  limit_.limit = std::chrono::seconds(5);
  limit_.now = [clock] { return *clock += std::chrono::seconds(1); };
  EXPECT_EQ(Check(), "Waited 5 s for the views of the drawing to be computed; giving up");
  EXPECT_LT(view_.lines.size(), 10u);
}

}  // namespace
}  // namespace korrin
