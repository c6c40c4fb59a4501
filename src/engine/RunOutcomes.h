#pragma once

#include <string>

#include "engine/BatchRun.h"

namespace korrin {

// "converted", "skipped", "failed", "not reached", "up to date".
const char* OutcomeWord(EntryOutcome outcome);

// "5 converted, 1 skipped, 2 failed", and the entries up to date and not
// reached when any.
std::string SummaryLine(const RunResult& result);

// A field of a CSV line: quoted, its quotes doubled, when it holds a comma,
// a quote or a line break.
std::string CsvField(const std::string& text);

// The outcomes as CSV (RFC 4180, CR LF): a header line, then of every entry
// in list order its path, outcome and reason, the files it wrote (separated
// by ";"), the source's size in bytes and the seconds it took.
std::string SummaryCsv(const RunResult& result);

// 0 when every entry was converted or up to date; 1 when every entry was reached and some
// were skipped or failed; 2 when the run left entries not reached or did not
// end in order.
int BatchExitStatus(const RunResult& result);

}  // namespace korrin
