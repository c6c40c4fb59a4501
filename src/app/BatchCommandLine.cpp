#include "app/BatchCommandLine.h"

#include <algorithm>
#include <charconv>

#include "app/BatchCommandLineHelp.h"
#include "app/BatchCommandLineWords.h"

namespace korrin {
namespace {

// A whole number from 1 to the largest, written plainly; none for anything else.
std::optional<long long> PositiveNumber(const std::string& text, long long largest) {
  long long number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (error != std::errc{} || stop != end || number < 1 || number > largest) return std::nullopt;
  return number;
}

BatchCommandLine UsageError(const std::string& what) {
  return {std::nullopt, "korrin-batch: " + what + "\nTry 'korrin-batch --help' for more information.\n",
          kUsageErrorStatus};
}

// The first option of the command line given more than once.
std::optional<std::string> GivenTwice(const GivenOptions& given) {
  for (const std::string& name : given.order) {
    if (std::count(given.order.begin(), given.order.end(), name) > 1) return name;
  }
  return std::nullopt;
}

// Why the options given cannot be meant together, or none.
std::optional<std::string> Conflict(const GivenOptions& given) {
  if (given.paths.empty()) return "no PATH given";
  if (given.Has("export-folder") && given.Has("beside-source")) {
    return "--export-folder and --beside-source exclude each other";
  }
  if (given.Has("yes") && given.Has("no")) return "--yes and --no exclude each other";
  if (auto twice = GivenTwice(given)) return "--" + *twice + " is given twice";
  if (given.Has("verify") && given.Has("validate")) return "--verify and --validate exclude each other";
  if (given.Has("dry-run") && (given.Has("verify") || given.Has("validate"))) {
    return "--dry-run converts nothing; it does not check documents either";
  }
  if (given.Has("replace-title-blocks") && !given.Has("strip-lineweights")) {
    return "--replace-title-blocks needs --strip-lineweights";
  }
  return std::nullopt;
}

// The option's seconds into seconds; a problem when it holds no such number.
std::optional<std::string> ReadTimeout(const GivenOptions& given, const std::string& name, int& seconds) {
  const std::optional<std::string> text = given.Value(name);
  if (!text) return std::nullopt;
  const std::optional<int> read = TimeoutSeconds(*text);
  if (!read) return TimeoutProblem("--" + name, *text);
  seconds = *read;
  return std::nullopt;
}

void FillSwitchesAndNames(const GivenOptions& given, BatchRequest& request) {
  request.paths = given.paths;
  request.verify = given.Has("verify");
  request.validate = given.Has("validate");
  request.recurse = given.Has("recurse");
  request.stripLineweights = given.Has("strip-lineweights");
  request.replaceTitleBlocks = given.Has("replace-title-blocks");
  request.acadTemplateFolder = given.Value("acad-templates");
  request.importFormat = given.Value("import");
  request.exportFormat = given.Value("export");
  request.exportFolder = given.Value("export-folder");
  request.besideSource = given.Has("beside-source");
  request.exportIniFile = given.Value("export-ini");
  request.importIniFile = given.Value("import-ini");
  request.projectFile = given.Value("project");
  request.print = given.Has("print");
  request.referenceCheck = given.Has("refcheck");
  request.skipExisting = given.Has("skip-existing");
  request.dryRun = given.Has("dry-run");
  request.answerYes = given.Has("yes");
  request.reportFile = given.Value("report");
  request.summaryFile = given.Value("summary");
  request.saveSettings = given.Has("save-settings");
}

// The numbers of the request, or the problem with one of them.
std::optional<std::string> FillNumbers(const GivenOptions& given, BatchRequest& request) {
  if (const std::optional<std::string> from = given.Value("from")) {
    const auto number = PositiveNumber(*from, 1LL << 40);
    if (!number) return "--from needs a whole number from 1: " + *from;
    request.from = static_cast<std::size_t>(*number);
  }
  if (auto problem = ReadTimeout(given, "host-timeout", request.timeouts.hostSeconds)) return problem;
  return ReadTimeout(given, "call-timeout", request.timeouts.callSeconds);
}

}  // namespace

BatchCommandLine ParseBatchCommandLine(const std::vector<std::string>& arguments, HostTimeouts timeouts) {
  const GivenOptionsRead read = ReadBatchArguments(arguments);
  if (!read.given) return UsageError(read.problem);
  const GivenOptions& given = *read.given;
  if (given.Has("help")) return {std::nullopt, BatchHelpText(), 0};
  if (given.Has("version")) return {std::nullopt, BatchVersionLine(), 0};

  BatchRequest request;
  if (given.Has("catalogue")) {
    if (!given.paths.empty() || given.order.size() != 1) return UsageError("--catalogue takes no other argument");
    request.catalogue = true;
    return {request, "", 0};
  }
  if (auto conflict = Conflict(given)) return UsageError(*conflict);
  FillSwitchesAndNames(given, request);
  request.timeouts = timeouts;
  if (auto problem = FillNumbers(given, request)) return UsageError(*problem);
  return {request, "", 0};
}

}  // namespace korrin
