#include "engine/RunOutcomes.h"

#include <algorithm>
#include <cstdio>

namespace korrin {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

namespace {

std::size_t CountOf(const RunResult& result, EntryOutcome outcome) {
  return static_cast<std::size_t>(std::count_if(result.entries.begin(), result.entries.end(),
                                                [outcome](const EntryRecord& entry) { return entry.outcome == outcome; }));
}

}  // namespace

const char* OutcomeWord(EntryOutcome outcome) {
  switch (outcome) {
    case EntryOutcome::Converted:
      return "converted";
    case EntryOutcome::Skipped:
      return "skipped";
    case EntryOutcome::Failed:
      return "failed";
    case EntryOutcome::UpToDate:
      return "up to date";
    case EntryOutcome::NotReached:
      break;
  }
  return "not reached";
}

std::string SummaryLine(const RunResult& result) {
  std::string line = std::to_string(CountOf(result, EntryOutcome::Converted)) + " converted, " +
                     std::to_string(CountOf(result, EntryOutcome::Skipped)) + " skipped, " +
                     std::to_string(CountOf(result, EntryOutcome::Failed)) + " failed";
  if (const std::size_t done = CountOf(result, EntryOutcome::UpToDate); done > 0) {
    line += ", " + std::to_string(done) + " up to date";
  }
  if (const std::size_t missed = CountOf(result, EntryOutcome::NotReached); missed > 0) {
    line += ", " + std::to_string(missed) + " not reached";
  }
  return line;
}

std::string SummaryCsv(const RunResult& result) {
  // The columns added after the first three keep readers of those working.
  std::string csv = "path,outcome,reason,outputs,bytes,seconds\r\n";
  for (const EntryRecord& entry : result.entries) {
    std::string outputs;
    for (const std::string& output : entry.outputs) outputs += (outputs.empty() ? "" : ";") + output;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%lld.%03lld", static_cast<long long>(entry.took.count() / 1000),
                  static_cast<long long>(entry.took.count() % 1000));
    csv += CsvField(entry.path) + "," + OutcomeWord(entry.outcome) + "," + CsvField(entry.reason) + "," +
           CsvField(outputs) + "," + std::to_string(entry.bytes) + "," + seconds + "\r\n";
  }
  return csv;
}

int BatchExitStatus(const RunResult& result) {
  if (!result.orderlyEnd || CountOf(result, EntryOutcome::NotReached) > 0) return 2;
  const std::size_t done = CountOf(result, EntryOutcome::Converted) + CountOf(result, EntryOutcome::UpToDate);
  return done == result.entries.size() ? 0 : 1;
}

}  // namespace korrin
