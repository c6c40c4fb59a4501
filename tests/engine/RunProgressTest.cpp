#include <gtest/gtest.h>

#include "engine/RunLog.h"
#include "engine/RunProgress.h"
#include "support/RecordingEventPump.h"
#include "support/RecordingRunView.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using namespace std::chrono_literals;

WallClock::time_point At(int day, int hours, int minutes, int seconds) {
  return WallClock::time_point{} + std::chrono::days(day) + std::chrono::hours(hours) +
         std::chrono::minutes(minutes) + std::chrono::seconds(seconds);
}

TEST(RunLog, ALineIsLoggedShownAndYieldsOnce) {
  testing::RecordingRunView view;
  testing::RecordingEventPump events;
  RunLog log(view, events);
  log.LogLine("Opening: /a.ipt");
  log.ShowStatus("Resolving filesize of selected files");
  EXPECT_EQ(view.lines, std::vector<std::string>{"Opening: /a.ipt"});
  EXPECT_EQ(view.status, "Resolving filesize of selected files");
  EXPECT_EQ(events.yields, 1);
}

TEST(ElapsedTime, CountsWholeSecondsAcrossMidnightAndRefusesABackwardClock) {
  EXPECT_EQ(ElapsedSeconds(At(0, 10, 30, 50), At(0, 11, 30, 10)), 3560);
  EXPECT_EQ(ElapsedSeconds(At(0, 23, 59, 50), At(1, 0, 0, 10)), 20);
  EXPECT_EQ(ElapsedSeconds(At(0, 8, 0, 0), At(3, 9, 0, 0)), 3 * 86400 + 3600);
  EXPECT_EQ(ElapsedSeconds(At(1, 0, 0, 0), At(0, 23, 0, 0)), std::nullopt);
  EXPECT_EQ(ElapsedTime(At(0, 10, 30, 50), At(0, 11, 30, 10)), "0:59:20");
  EXPECT_EQ(ElapsedTime(At(0, 8, 0, 0), At(2, 9, 1, 2)), "49:01:02");
  EXPECT_EQ(ElapsedTime(At(1, 0, 0, 0), At(0, 0, 0, 0)), "ERROR");
}

TEST(ProgressAfterEntry, ShowsPercentAndTimeLeftByBytes) {
  // A third done in 1862.5 s per third: 3725 s left.
  EXPECT_EQ(ProgressAfterEntry(3725, 100, 300), (ProgressDisplay{33, "33.3 %", "02:04:10"}));
  EXPECT_EQ(ProgressAfterEntry(3725, 150, 300, ','), (ProgressDisplay{50, "50,0 %", "01:02:05"}));
  EXPECT_EQ(ProgressAfterEntry(10, 300, 300), (ProgressDisplay{100, "100.0 %", "00:00:00"}));
  // Past ten hours, and past a hundred, the hours keep counting.
  EXPECT_EQ(ProgressAfterEntry(36000, 1, 2)->timeLeftText, "10:00:00");
  EXPECT_EQ(ProgressAfterEntry(360000, 1, 2)->timeLeftText, "100:00:00");
  // Sums beyond 32 bits.
  EXPECT_EQ(ProgressAfterEntry(60, 3'000'000'000LL, 6'000'000'000LL)->percentText, "50.0 %");
  // Nothing to divide by: the display keeps its state.
  EXPECT_EQ(ProgressAfterEntry(60, 0, 300), std::nullopt);
  EXPECT_EQ(ProgressAfterEntry(60, 10, 0), std::nullopt);
}

TEST(TotalFileSize, SumsEveryEntryAndCountsAMissingFileAsNothing) {
  testing::TemporaryFolder folder;
  folder.Write("a.ipt", std::string(1000, 'a'));
  folder.Write("b.ipt", std::string(24, 'b'));
  ConversionList list;
  ASSERT_TRUE(list.Add((folder / "a.ipt").string()));
  ASSERT_TRUE(list.Add((folder / "b.ipt").string()));
  ASSERT_TRUE(list.Add((folder / "gone.ipt").string()));
  EXPECT_EQ(TotalFileSize(list), 1024);
  EXPECT_EQ(FileSizeOf((folder / "gone.ipt").string()), 0);
}

}  // namespace
}  // namespace korrin
