#include "app/BatchCommandLine.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/BatchCommandLineArguments.h"

namespace korrin {
namespace {

std::string UsageMessage(const std::string& problem) {
  return "korrin-batch: " + problem + "\nTry 'korrin-batch --help' for more information.\n";
}

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
  EXPECT_FALSE(request.catalogue);
}

TEST(BatchCommandLine, DefaultsAnswerNoWithTenMinutesPerWait) {
  const BatchCommandLine read = ParseBatchCommandLine({"--beside-source", "--no", "a.ipt"});
  ASSERT_TRUE(read.request.has_value()) << read.message;
  EXPECT_FALSE(read.request->answerYes);
  EXPECT_TRUE(read.request->besideSource);
  EXPECT_FALSE(read.request->referenceCheck);
  EXPECT_FALSE(read.request->skipExisting);
  EXPECT_FALSE(read.request->recurse);
  EXPECT_EQ(read.request->exportFormat, std::nullopt);
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

// The spellings of one request: the value after "=", word options with one
// dash, values and paths that look like options.
TEST(BatchCommandLine, ReadsEverySpellingOfOptionsAndPaths) {
  const struct {
    std::vector<std::string> arguments;
    std::optional<std::string> exportFormat;
    std::optional<std::string> exportFolder;
    bool recurse;
    std::vector<std::string> paths;
  } cases[] = {
      {{"--export=*.STP", "a.ipt"}, "*.STP", std::nullopt, false, {"a.ipt"}},
      {{"-export", "*.STP", "-recurse", "a.ipt"}, "*.STP", std::nullopt, true, {"a.ipt"}},
      {{"-export=*.STP", "-export-folder=/o", "a.ipt"}, "*.STP", "/o", false, {"a.ipt"}},
      {{"--export-folder", "--recurse", "a.ipt"}, std::nullopt, "--recurse", false, {"a.ipt"}},
      {{"--export-folder", "-recurse", "a.ipt"}, std::nullopt, "-recurse", false, {"a.ipt"}},
      {{"--export", "", "a.ipt"}, "", std::nullopt, false, {"a.ipt"}},
      {{"--export-folder", "out dir/é", "my part.ipt", "café/ü.ipt"},
       std::nullopt, "out dir/é", false, {"my part.ipt", "café/ü.ipt"}},
      {{"a.ipt", "--recurse", "b.ipt"}, std::nullopt, std::nullopt, true, {"a.ipt", "b.ipt"}},
      {{"/data/a.ipt", "-", "a,b.ipt", "x=y.ipt"}, std::nullopt, std::nullopt, false,
       {"/data/a.ipt", "-", "a,b.ipt", "x=y.ipt"}},
      {{"--recurse", "--", "--export", "-recurse", "-h"}, std::nullopt, std::nullopt, true,
       {"--export", "-recurse", "-h"}},
  };
  for (const auto& spelled : cases) {
    std::ostringstream name;
    for (const std::string& argument : spelled.arguments) name << '[' << argument << ']';
    const BatchCommandLine read = ParseBatchCommandLine(spelled.arguments);
    ASSERT_TRUE(read.request.has_value()) << name.str() << ": " << read.message;
    EXPECT_EQ(read.exitStatus, 0) << name.str();
    EXPECT_EQ(read.request->exportFormat, spelled.exportFormat) << name.str();
    EXPECT_EQ(read.request->exportFolder, spelled.exportFolder) << name.str();
    EXPECT_EQ(read.request->recurse, spelled.recurse) << name.str();
    EXPECT_EQ(read.request->paths, spelled.paths) << name.str();
  }
}

TEST(BatchCommandLine, RefusesWhatCannotBeMeant) {
  const struct {
    std::vector<std::string> arguments;
    std::string problem;
  } cases[] = {
      {{}, "no PATH given"},
      {{"--recurse"}, "no PATH given"},
      {{"--import"}, "Missing value after '--import'."},
      {{"a", "-import"}, "Missing value after '-import'."},
      {{"--bogus", "a"}, "Unknown option 'bogus'."},
      {{"-bogus=1", "a"}, "Unknown option 'bogus'."},
      {{"-x", "a"}, "Unknown option 'x'."},
      {{"--Recurse", "a"}, "Unknown option 'Recurse'."},
      {{"--help", "--bogus"}, "Unknown option 'bogus'."},
      {{"--bogus", "--", "--help"}, "Unknown option 'bogus'."},
      {{"--recurse=0", "a"}, "Unexpected value after '--recurse'."},
      {{"-help=1"}, "Unexpected value after '--help'."},
      {{"--yes", "--no", "a"}, "--yes and --no exclude each other"},
      {{"--beside-source", "--export-folder", "/o", "a"}, "--export-folder and --beside-source exclude each other"},
      {{"--from", "0", "a"}, "--from needs a whole number from 1: 0"},
      {{"--from", "2x", "a"}, "--from needs a whole number from 1: 2x"},
      {{"--from", "-5", "a"}, "--from needs a whole number from 1: -5"},
      {{"--from", "+3", "a"}, "--from needs a whole number from 1: +3"},
      {{"--from", "2199023255553", "a"}, "--from needs a whole number from 1: 2199023255553"},
      {{"--host-timeout", "-5", "a"}, "--host-timeout needs a whole number of seconds from 1 to 604800: -5"},
      {{"--host-timeout", "999999999", "a"},
       "--host-timeout needs a whole number of seconds from 1 to 604800: 999999999"},
      {{"--call-timeout", "0", "a"}, "--call-timeout needs a whole number of seconds from 1 to 604800: 0"},
      {{"--call-timeout", " 5", "a"}, "--call-timeout needs a whole number of seconds from 1 to 604800:  5"},
      {{"--export", "*.STP", "--export", "*.SAT", "a"}, "--export is given twice"},
      {{"--export=*.STP", "-export", "*.SAT", "a"}, "--export is given twice"},
      {{"--recurse", "--yes", "-recurse", "--yes", "a"}, "--recurse is given twice"},
      {{"--catalogue", "a"}, "--catalogue takes no other argument"},
      {{"--catalogue", "--catalogue"}, "--catalogue takes no other argument"},
      {{"--catalogue", "--yes"}, "--catalogue takes no other argument"},
      {{"--replace-title-blocks", "a"}, "--replace-title-blocks needs --strip-lineweights"},
      {{"--verify", "--validate", "a"}, "--verify and --validate exclude each other"},
      {{"--dry-run", "--validate", "a"}, "--dry-run converts nothing; it does not check documents either"},
  };
  for (const auto& refused : cases) {
    const BatchCommandLine read = ParseBatchCommandLine(refused.arguments);
    EXPECT_FALSE(read.request.has_value()) << refused.problem;
    EXPECT_EQ(read.exitStatus, kUsageErrorStatus) << refused.problem;
    EXPECT_EQ(read.message, UsageMessage(refused.problem));
  }
}

TEST(BatchCommandLine, HelpListsTheOptionsInSeventyNineColumns) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--help"}, {"-h"}, {"-help", "a.ipt"}}) {
    const BatchCommandLine read = ParseBatchCommandLine(arguments);
    EXPECT_FALSE(read.request.has_value()) << arguments.front();
    EXPECT_EQ(read.exitStatus, 0);
    const std::string& help = read.message;
    EXPECT_EQ(help.rfind("Usage: korrin-batch [options] PATH...\n"
                         "Converts CAD documents in batches: collects the documents of PATH (documents,\n"
                         "folders, list files), exports each to the chosen format, logs every step on\n"
                         "standard output.\n\nOptions:\n"
                         "  -h, --help                Show this help.\n"
                         "  --version                 Show the program's version and platform.\n",
                         0),
              0u)
        << help;
    for (const char* block :
         {"  --export-folder <DIR>     Write the exported files into DIR.\n",
          "  --host-timeout <SECONDS>  The time limit of each host call that does work\n"
          "                            (open, save, export, print, quit) and of each wait\n"
          "                            on the host (default 600, or KORRIN_HOST_TIMEOUT).\n",
          "  --from <N>                Continue from the N-th entry of the sorted list.\n",
          "  --dry-run                 List each document and the file its export would\n"
          "                            write, without starting the host.\n",
          "\nArguments:\n  PATH                      A document, a folder, or a text file listing\n"
          "                            documents.\n"}) {
      EXPECT_NE(help.find(block), std::string::npos) << block;
    }
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 79u) << line;
  }
}

TEST(BatchCommandLine, VersionNamesTheReleaseAndPlatform) {
#ifdef _WIN32
  const std::string expected = std::string("korrin-batch ") + KORRIN_EXPECTED_VERSION + " (Windows " +
                               KORRIN_EXPECTED_PROCESSOR + ")\n";
#else
  const std::string expected = std::string("korrin-batch ") + KORRIN_EXPECTED_VERSION + " (Linux " +
                               KORRIN_EXPECTED_PROCESSOR + ")\n";
#endif
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--version"}, {"-version"}, {"--version", "--yes", "a.ipt"}}) {
    const BatchCommandLine read = ParseBatchCommandLine(arguments);
    EXPECT_FALSE(read.request.has_value());
    EXPECT_EQ(read.exitStatus, 0);
    EXPECT_EQ(read.message, expected);
  }
  EXPECT_EQ(ParseBatchCommandLine({"--version=2"}).message, UsageMessage("Unexpected value after '--version'."));
  const BatchCommandLine catalogue = ParseBatchCommandLine({"-catalogue"});
  ASSERT_TRUE(catalogue.request.has_value()) << catalogue.message;
  EXPECT_TRUE(catalogue.request->catalogue);
}

TEST(BatchCommandLine, ArgumentsArriveAsUtf8AfterTheProgramName) {
  char program[] = "korrin-batch";
  char accented[] = "caf\xc3\xa9.ipt";
  char spaced[] = "my part.ipt";
  char* narrow[] = {program, accented, spaced, nullptr};
  EXPECT_EQ(ArgumentTexts(3, narrow), (std::vector<std::string>{"caf\xc3\xa9.ipt", "my part.ipt"}));
  EXPECT_EQ(ArgumentTexts(1, narrow), std::vector<std::string>{});
  EXPECT_EQ(ArgumentTexts(0, narrow), std::vector<std::string>{});
#ifdef _WIN32
  wchar_t wideProgram[] = L"korrin-batch.exe";
  wchar_t wideAccented[] = L"caf\u00e9 \u20ac.ipt";
  wchar_t* wide[] = {wideProgram, wideAccented, nullptr};
  EXPECT_EQ(ArgumentTexts(2, wide), std::vector<std::string>{"caf\xc3\xa9 \xe2\x82\xac.ipt"});
#endif
}

}  // namespace
}  // namespace korrin
