#include <csignal>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "StandinFixture.h"
#include "SystemProcessEnding.h"
#include "host/HostCodes.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

using namespace std::chrono_literals;

// Records every ending asked for and answers as it was told to.
class RecordedEnding final : public standin::ProcessEnding {
 public:
  std::optional<Failure> Crash(int signalNumber) override {
    calls.push_back("crash " + std::to_string(signalNumber));
    return answer;
  }
  std::optional<Failure> Exit(int status) override {
    calls.push_back("exit " + std::to_string(status));
    return answer;
  }
  std::optional<Failure> Hang(std::optional<std::chrono::milliseconds> duration) override {
    calls.push_back("hang " + (duration ? std::to_string(duration->count()) : std::string("forever")));
    return hangAnswer;
  }

  std::vector<std::string> calls;
  std::optional<Failure> answer = Failure{-2147023174, "The RPC server is unavailable."};
  std::optional<Failure> hangAnswer;
};

class StandinFaultEndingTest : public testing::StandinFixture {
 protected:
  std::unique_ptr<standin::StandinApplication> NewHost() {
    return std::make_unique<standin::StandinApplication>(standin::StandinSettings{}, record_, ending_);
  }

  std::string RecordFile() const { return (folder_ / "Inventor.first-opens").string(); }

  std::shared_ptr<RecordedEnding> ending_ = std::make_shared<RecordedEnding>();
  std::shared_ptr<standin::FirstOpenRecord> record_ = std::make_shared<standin::FirstOpenRecord>(RecordFile());
};

const Failure kUnavailable{-2147023174, "The RPC server is unavailable."};

TEST_F(StandinFaultEndingTest, ACrashOnTheFirstOpenEndsTheHostOnceAndIsRecordedBeforeIt) {
  standin::StandinDocument part = Part();
  part.faults.crashFirstOpen = true;
  const std::string path = Write("crash.ipt", part);

  auto host = NewHost();
  EXPECT_EQ(host->OpenDocument(path, true).failure(), kUnavailable);
  EXPECT_EQ(ending_->calls, (std::vector<std::string>{"crash " + std::to_string(SIGKILL)}));
  // The host is gone: every later call fails as on a host whose process ended.
  EXPECT_TRUE(host->quit());
  EXPECT_EQ(host->DocumentCount().failure(), kUnavailable);
  EXPECT_EQ(host->OpenDocument(Write("plain.ipt", Part()), true).failure(), kUnavailable);
  const TextFileRead record = ReadTextFile(RecordFile());
  ASSERT_TRUE(record.complete());
  EXPECT_EQ(record.lines, (std::vector<std::string>{"KORRIN STAND-IN FIRST OPENS", path}));

  // A new host with a record of its own, as a new process reads the file.
  auto restarted = std::make_unique<standin::StandinApplication>(
      standin::StandinSettings{}, std::make_shared<standin::FirstOpenRecord>(RecordFile()), ending_);
  EXPECT_TRUE(restarted->OpenDocument(path, true).ok());
  EXPECT_EQ(ending_->calls.size(), 1u);
}

TEST_F(StandinFaultEndingTest, AnExitOnTheFirstOpenEndsWithItsStatus) {
  standin::StandinDocument part = Part();
  part.faults.exitFirstOpen = 3;
  const std::string path = Write("exit.ipt", part);
  auto host = NewHost();
  EXPECT_EQ(host->OpenDocument(path, true).failure(), kUnavailable);
  EXPECT_EQ(ending_->calls, (std::vector<std::string>{"exit 3"}));
  EXPECT_TRUE(record_->Contains(path));
  EXPECT_TRUE(NewHost()->OpenDocument(path, true).ok());
  EXPECT_EQ(ending_->calls.size(), 1u);
}

TEST_F(StandinFaultEndingTest, AHangThatEndsLetsTheOpenGoOnAndOneTheCallerGaveUpOnEndsTheHost) {
  standin::StandinDocument slow = Part();
  slow.faults.hangFirstOpen = standin::StandinHang{250};
  const std::string slowPath = Write("slow.ipt", slow);
  auto host = NewHost();
  EXPECT_TRUE(host->OpenDocument(slowPath, true).ok());
  EXPECT_EQ(ending_->calls, (std::vector<std::string>{"hang 250"}));

  standin::StandinDocument stuck = Part();
  stuck.faults.hangEveryOpen = standin::StandinHang{std::nullopt};
  const std::string stuckPath = Write("stuck.ipt", stuck);
  ending_->hangAnswer = Failure{-2147417825, "The host did not answer within 5 s"};
  EXPECT_EQ(host->OpenDocument(stuckPath, true).failure(), (Failure{-2147417825, "The host did not answer within 5 s"}));
  EXPECT_EQ(ending_->calls, (std::vector<std::string>{"hang 250", "hang forever"}));
  EXPECT_EQ(host->DocumentCount().failure(), kUnavailable);
  // An "every" hang is not recorded: it hangs each time.
  EXPECT_FALSE(record_->Contains(stuckPath));
}

TEST_F(StandinFaultEndingTest, EveryOpenFaultsActEachTimeAndFirstOnesOnlyOnce) {
  standin::StandinDocument both = Part();
  both.faults.failFirstOpen = standin::StandinFault{1, "first"};
  both.faults.crashEveryOpen = true;
  const std::string path = Write("both.ipt", both);
  EXPECT_EQ(NewHost()->OpenDocument(path, true).failure(), (Failure{1, "first"}));
  EXPECT_TRUE(ending_->calls.empty());
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_EQ(NewHost()->OpenDocument(path, true).failure(), kUnavailable);
  }
  const std::string crash = "crash " + std::to_string(SIGKILL);
  EXPECT_EQ(ending_->calls, (std::vector<std::string>{crash, crash}));
}

TEST_F(StandinFaultEndingTest, SaveFaultsActOnSavesSaveAsAndTranslatorCopies) {
  standin::StandinDocument part = Part();
  part.faults.hangEverySave = standin::StandinHang{40};
  part.faults.crashEverySave = true;
  const std::string path = Write("save.ipt", part);
  auto host = NewHost();
  const host::DocumentHandle document = host->OpenDocument(path, true).value();
  EXPECT_TRUE(ending_->calls.empty());
  EXPECT_EQ(host->documents().SaveAs(document, (folder_ / "copy.ipt").string(), true).failure(), kUnavailable);
  EXPECT_EQ(ending_->calls, (std::vector<std::string>{"hang 40", "crash " + std::to_string(SIGKILL)}));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "copy.ipt"));

  part.faults = {};
  part.faults.crashEverySave = true;
  auto second = NewHost();
  const host::DocumentHandle again = second->OpenDocument(Write("save2.ipt", part), true).value();
  EXPECT_EQ(second->documents().Save(again).failure(), kUnavailable);
  EXPECT_EQ(ending_->calls.size(), 3u);
}

TEST_F(StandinFaultEndingTest, InsideTheProgramACrashLeavesADeadHostAndAHangATimedOutOne) {
  standin::StandinDocument part = Part();
  part.faults.crashFirstOpen = true;
  part.faults.hangEverySave = standin::StandinHang{std::nullopt};
  const std::string path = Write("inside.ipt", part);
  standin::StandinApplication host(standin::StandinSettings{}, std::make_shared<standin::FirstOpenRecord>());
  EXPECT_EQ(host.OpenDocument(path, true).failure(), kUnavailable);
  EXPECT_EQ(host.UserName().failure(), kUnavailable);
  EXPECT_FALSE(std::filesystem::exists(RecordFile()));

  // A host inside the program remembers only in memory.
  auto record = std::make_shared<standin::FirstOpenRecord>();
  ASSERT_TRUE(record->Add(path).ok());
  standin::StandinApplication next(standin::StandinSettings{}, record);
  const host::DocumentHandle document = next.OpenDocument(path, true).value();
  EXPECT_EQ(next.documents().Save(document).failure(), (Failure{-2147417825, "The host did not answer."}));
  EXPECT_EQ(next.DocumentCount().failure(), kUnavailable);
}

TEST_F(StandinFaultEndingTest, TheRecordKeepsEveryNameAndRefusesALineBreakInTheFile) {
  ASSERT_TRUE(standin::StartFirstOpenRecord(RecordFile()).ok());
  standin::FirstOpenRecord one(RecordFile());
  standin::FirstOpenRecord two(RecordFile());
  ASSERT_TRUE(one.Add("/b/second.ipt").ok());
  ASSERT_TRUE(two.Add("/a/first.ipt").ok());
  EXPECT_TRUE(one.Contains("/a/first.ipt"));
  EXPECT_EQ(ReadTextFile(RecordFile()).lines,
            (std::vector<std::string>{"KORRIN STAND-IN FIRST OPENS", "/a/first.ipt", "/b/second.ipt"}));

  const Status refused = one.Add("/c/two\nlines.ipt");
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.failure().description,
            "The name \"/c/two\nlines.ipt\" holds a line break; " + RecordFile() + " cannot record it.");
  EXPECT_TRUE(one.Contains("/c/two\nlines.ipt"));
  EXPECT_FALSE(two.Contains("/c/two\nlines.ipt"));

  // A file that is not a record records nothing, and is replaced whole.
  folder_.Write("Inventor.first-opens", "/a/first.ipt\n");
  standin::FirstOpenRecord foreign(RecordFile());
  EXPECT_FALSE(foreign.Contains("/a/first.ipt"));
  ASSERT_TRUE(standin::StartFirstOpenRecord(RecordFile()).ok());
  EXPECT_EQ(ReadTextFile(RecordFile()).lines, (std::vector<std::string>{"KORRIN STAND-IN FIRST OPENS"}));
}

TEST(SystemProcessEnding, CrashesBySignalExitsWithTheStatusAndSleepsThroughAHang) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  standin::SystemProcessEnding ending;
  EXPECT_EXIT(ending.Crash(standin::CrashSignal()), ::testing::KilledBySignal(SIGKILL), "");
  EXPECT_EXIT(ending.Exit(7), ::testing::ExitedWithCode(7), "");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ending.Hang(30ms), std::nullopt);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms);
}

}  // namespace
}  // namespace korrin
