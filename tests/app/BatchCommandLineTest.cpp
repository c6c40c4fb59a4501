#include "app/BatchCommandLine.h"

#include <gtest/gtest.h>

namespace korrin {
namespace {

TEST(BatchCommandLine, ReadsEveryOption) {
  const BatchCommandLine read = ParseBatchCommandLine(
      {"--recurse", "--import", "*.IPT", "--export", "STEP Files (*.STP)", "--export-folder", "/out", "--export-ini",
       "e.ini", "--import-ini", "i.ini", "--project", "p.ipj", "--print", "--refcheck", "--skip-existing", "--from", "3", "--yes",
       "--report", "r.txt", "--summary", "s.csv", "--save-settings", "--host-timeout", "30", "--call-timeout", "7", "--strip-lineweights",
       "--replace-title-blocks", "--acad-templates", "/tpl", "--verify", "a.ipt", "folder"});
  ASSERT_TRUE(read.request.has_value()) << read.message;
  const BatchRequest& request = *read.request;
  EXPECT_EQ(request.paths, (std::vector<std::string>{"a.ipt", "folder"}));
  EXPECT_TRUE(request.recurse);
  EXPECT_EQ(request.importFormat, "*.IPT");
  EXPECT_EQ(request.exportFormat, "STEP Files (*.STP)");
  EXPECT_EQ(request.exportFolder, "/out");
  EXPECT_FALSE(request.besideSource);
  EXPECT_EQ(request.exportIniFile, "e.ini");
  EXPECT_EQ(request.importIniFile, "i.ini");
  EXPECT_EQ(request.projectFile, "p.ipj");
  EXPECT_TRUE(request.print);
  EXPECT_TRUE(request.referenceCheck);
  EXPECT_TRUE(request.skipExisting);
  EXPECT_FALSE(request.dryRun);
  EXPECT_EQ(request.from, 3u);
  EXPECT_TRUE(request.answerYes);
  EXPECT_EQ(request.reportFile, "r.txt");
  EXPECT_EQ(request.summaryFile, "s.csv");
  EXPECT_TRUE(request.saveSettings);
  EXPECT_EQ(request.timeouts.hostSeconds, 30);
  EXPECT_EQ(request.timeouts.callSeconds, 7);
  EXPECT_TRUE(request.stripLineweights);
  EXPECT_TRUE(request.replaceTitleBlocks);
  EXPECT_EQ(request.acadTemplateFolder, "/tpl");
  EXPECT_TRUE(request.verify);
  EXPECT_FALSE(request.validate);
}

TEST(BatchCommandLine, DefaultsAnswerNoWithTenMinutesPerWait) {
  const BatchCommandLine read = ParseBatchCommandLine({"--beside-source", "--no", "a.ipt"});
  ASSERT_TRUE(read.request.has_value()) << read.message;
  EXPECT_FALSE(read.request->answerYes);
  EXPECT_TRUE(read.request->besideSource);
  EXPECT_FALSE(read.request->referenceCheck);
  EXPECT_FALSE(read.request->skipExisting);
  const BatchCommandLine dry = ParseBatchCommandLine({"--dry-run", "--skip-existing", "a.ipt"});
  ASSERT_TRUE(dry.request.has_value()) << dry.message;
  EXPECT_TRUE(dry.request->dryRun);
  EXPECT_TRUE(dry.request->skipExisting);
  EXPECT_EQ(read.request->from, std::nullopt);
  EXPECT_EQ(read.request->timeouts.hostSeconds, 600);
  EXPECT_EQ(read.request->timeouts.callSeconds, 30);
  // The environment's limits stand where no option changes them.
  const BatchCommandLine fromEnvironment = ParseBatchCommandLine({"--call-timeout", "5", "a.ipt"}, {120, 9});
  ASSERT_TRUE(fromEnvironment.request.has_value()) << fromEnvironment.message;
  EXPECT_EQ(fromEnvironment.request->timeouts.hostSeconds, 120);
  EXPECT_EQ(fromEnvironment.request->timeouts.callSeconds, 5);
}

TEST(BatchCommandLine, RefusesWhatCannotBeMeant) {
  const struct {
    std::vector<std::string> arguments;
    std::string problem;
  } cases[] = {
      {{}, "no PATH given"},
      {{"--import"}, "Missing value after '--import'."},
      {{"--bogus", "a"}, "Unknown option 'bogus'."},
      {{"--yes", "--no", "a"}, "--yes and --no exclude each other"},
      {{"--beside-source", "--export-folder", "/o", "a"}, "--export-folder and --beside-source exclude each other"},
      {{"--from", "0", "a"}, "--from needs a whole number from 1: 0"},
      {{"--from", "2x", "a"}, "--from needs a whole number from 1: 2x"},
      {{"--host-timeout", "-5", "a"}, "--host-timeout needs a whole number of seconds from 1 to 604800: -5"},
      {{"--host-timeout", "999999999", "a"},
       "--host-timeout needs a whole number of seconds from 1 to 604800: 999999999"},
      {{"--call-timeout", "0", "a"}, "--call-timeout needs a whole number of seconds from 1 to 604800: 0"},
      {{"--call-timeout", " 5", "a"}, "--call-timeout needs a whole number of seconds from 1 to 604800:  5"},
      {{"--export", "*.STP", "--export", "*.SAT", "a"}, "--export is given twice"},
      {{"--catalogue", "a"}, "--catalogue takes no other argument"},
      {{"--replace-title-blocks", "a"}, "--replace-title-blocks needs --strip-lineweights"},
      {{"--verify", "--validate", "a"}, "--verify and --validate exclude each other"},
      {{"--dry-run", "--validate", "a"}, "--dry-run converts nothing; it does not check documents either"},
  };
  for (const auto& refused : cases) {
    const BatchCommandLine read = ParseBatchCommandLine(refused.arguments);
    EXPECT_FALSE(read.request.has_value()) << refused.problem;
    EXPECT_EQ(read.exitStatus, kUsageErrorStatus);
    EXPECT_EQ(read.message,
              "korrin-batch: " + refused.problem + "\nTry 'korrin-batch --help' for more information.\n");
  }
}

TEST(BatchCommandLine, HelpListsTheOptionsAndEndsWell) {
  const BatchCommandLine read = ParseBatchCommandLine({"--help"});
  EXPECT_FALSE(read.request.has_value());
  EXPECT_EQ(read.exitStatus, 0);
  for (const char* option : {"--export-folder <DIR>", "--beside-source", "--from <N>", "--host-timeout <SECONDS>", "--call-timeout <SECONDS>",
                             "--summary <FILE>", "--dry-run", "--skip-existing", "PATH..."}) {
    EXPECT_NE(read.message.find(option), std::string::npos) << option;
  }
  const BatchCommandLine catalogue = ParseBatchCommandLine({"--catalogue"});
  ASSERT_TRUE(catalogue.request.has_value());
  EXPECT_TRUE(catalogue.request->catalogue);
}

}  // namespace
}  // namespace korrin
