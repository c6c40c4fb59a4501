#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "app/ConsoleDialogs.h"
#include "app/ConsoleRunView.h"
#include "engine/RunOutcomes.h"

namespace korrin {
namespace {

TEST(ConsoleRunView, WritesEachLineAndRedrawsTheProgressLineAroundIt) {
  std::ostringstream log;
  std::ostringstream progress;
  ConsoleRunView view(log, progress, true);
  view.AppendLogLine("Starting Inventor");
  view.ShowFileCounter("1 of 2 Files");
  view.ShowProgress(50, "50 %", "00:00:03");
  view.AppendLogLine("Error closing Inventor gracefully...\rgone");
  view.ClearProgressLine();
  EXPECT_EQ(log.str(), "Starting Inventor\nError closing Inventor gracefully...\ngone\n");
  EXPECT_EQ(progress.str(),
            "\r\x1b[K1 of 2 Files"
            "\r\x1b[K1 of 2 Files  50 %  00:00:03 left"
            "\r\x1b[K"  // cleared for the log line
            "\r\x1b[K1 of 2 Files  50 %  00:00:03 left"
            "\r\x1b[K");
  EXPECT_EQ(view.lines(), (std::vector<std::string>{"Starting Inventor", "Error closing Inventor gracefully...\rgone"}));

  std::ostringstream quietLog;
  std::ostringstream quiet;
  ConsoleRunView piped(quietLog, quiet, false);
  piped.ShowFileCounter("1 of 2 Files");
  piped.AppendLogLine("Ready");
  EXPECT_EQ(quiet.str(), "");
  EXPECT_EQ(quietLog.str(), "Ready\n");
}

TEST(ConsoleDialogs, ShowsEachBoxWithItsKindAndAnswer) {
  std::ostringstream out;
  int cleared = 0;
  ConsoleDialogs dialogs(out, false, [](const std::string& question) -> std::optional<bool> {
    if (question == "Recurse?") return true;
    return std::nullopt;
  });
  dialogs.SetBeforeWrite([&] { ++cleared; });
  dialogs.ShowMessage("Directory: \r/x\r does not exist");
  EXPECT_FALSE(dialogs.AskYesNo("Close them?"));
  EXPECT_TRUE(dialogs.AskYesNo("Recurse?"));
  EXPECT_FALSE(dialogs.AskOkCancel("Go on?"));
  EXPECT_EQ(out.str(),
            "[message] Directory: \n/x\n does not exist\n"
            "[question] Close them?\n[answer] No\n"
            "[question] Recurse?\n[answer] Yes\n"
            "[question] Go on?\n[answer] Cancel\n");
  EXPECT_EQ(cleared, 4);

  std::ostringstream agreeing;
  ConsoleDialogs yes(agreeing, true);
  EXPECT_TRUE(yes.AskOkCancel("Go on?"));
  EXPECT_EQ(agreeing.str(), "[question] Go on?\n[answer] OK\n");

  // Nobody is there to choose a file, a folder or a text, --yes or not.
  std::ostringstream choices;
  ConsoleDialogs chooser(choices, true);
  EXPECT_EQ(chooser.ChooseFile({FileRequest::Purpose::Save, "Select Report file", "TXT Files (*.TXT)|*.TXT", "", ""}),
            std::nullopt);
  EXPECT_EQ(chooser.BrowseForFolder("Export folder"), std::nullopt);
  EXPECT_EQ(chooser.AskText("Enter value for\rPATH", "PATH", "x"), std::nullopt);
  EXPECT_EQ(choices.str(),
            "[file dialog] Select Report file\n[answer] Cancel\n[folder browser] Export folder\n[answer] Cancel\n"
            "[input box] Enter value for\nPATH\n[answer] Cancel\n");
}

RunResult ResultOf(std::initializer_list<EntryOutcome> outcomes, bool orderly = true) {
  RunResult result;
  result.orderlyEnd = orderly;
  int n = 0;
  for (EntryOutcome outcome : outcomes) {
    EntryRecord entry;
    entry.path = "/d/" + std::to_string(++n) + ".ipt";
    entry.outcome = outcome;
    result.entries.push_back(entry);
  }
  return result;
}

TEST(RunOutcomes, TheExitStatusSaysWhetherEverythingWasConvertedAndReached) {
  using enum EntryOutcome;
  EXPECT_EQ(BatchExitStatus(ResultOf({Converted, Converted})), 0);
  EXPECT_EQ(BatchExitStatus(ResultOf({Converted, Skipped})), 1);
  EXPECT_EQ(BatchExitStatus(ResultOf({Failed, Converted})), 1);
  EXPECT_EQ(BatchExitStatus(ResultOf({Converted, NotReached})), 2);
  EXPECT_EQ(BatchExitStatus(ResultOf({Converted}, false)), 2);
  // A re-run that finds everything done has done its job.
  EXPECT_EQ(BatchExitStatus(ResultOf({UpToDate, Converted})), 0);
  EXPECT_EQ(BatchExitStatus(ResultOf({UpToDate, Skipped})), 1);
  EXPECT_EQ(SummaryLine(ResultOf({Converted, Skipped, Failed, Failed})), "1 converted, 1 skipped, 2 failed");
  EXPECT_EQ(SummaryLine(ResultOf({Converted, NotReached})), "1 converted, 0 skipped, 0 failed, 1 not reached");
  EXPECT_EQ(SummaryLine(ResultOf({UpToDate, UpToDate, NotReached})),
            "0 converted, 0 skipped, 0 failed, 2 up to date, 1 not reached");
}

TEST(RunOutcomes, TheCsvQuotesWhatNeedsQuotingAndKeepsItsFirstThreeColumns) {
  RunResult result = ResultOf({EntryOutcome::Converted, EntryOutcome::Skipped, EntryOutcome::Failed,
                               EntryOutcome::NotReached, EntryOutcome::UpToDate});
  result.entries[0].outputs = {"/o/1_1.dwg", "/o/1_2.dwg"};
  result.entries[0].bytes = 123456;
  result.entries[0].took = std::chrono::milliseconds(61007);
  result.entries[1].path = "/d/a, b.ipt";
  result.entries[1].reason = "Unrecognized Inventorversion, skipping...";
  result.entries[1].took = std::chrono::milliseconds(9);
  result.entries[2].reason = "Error opening: x\rsaid \"no\"";
  result.entries[4].outputs = {"/o/5.stp"};
  result.entries[4].reason = "Up to date: /o/5.stp";
  EXPECT_EQ(SummaryCsv(result),
            "path,outcome,reason,outputs,bytes,seconds\r\n"
            "/d/1.ipt,converted,,/o/1_1.dwg;/o/1_2.dwg,123456,61.007\r\n"
            "\"/d/a, b.ipt\",skipped,\"Unrecognized Inventorversion, skipping...\",,0,0.009\r\n"
            "/d/3.ipt,failed,\"Error opening: x\rsaid \"\"no\"\"\",,0,0.000\r\n"
            "/d/4.ipt,not reached,,,0,0.000\r\n"
            "/d/5.ipt,up to date,Up to date: /o/5.stp,/o/5.stp,0,0.000\r\n");
}

}  // namespace
}  // namespace korrin
