#pragma once

#include <string>

#include "engine/BatchRun.h"

namespace korrin {

// "converted", "skipped", "failed", "not reached".
const char* OutcomeWord(EntryOutcome outcome);

// "5 converted, 1 skipped, 2 failed", and the entries not reached when any.
std::string SummaryLine(const RunResult& result);

// A field of a CSV line: quoted, its quotes doubled, when it holds a comma,
// a quote or a line break.
std::string CsvField(const std::string& text);

// The outcomes as CSV (RFC 4180, CR LF): a header line, then path, outcome
// and reason of every entry in list order.
std::string SummaryCsv(const RunResult& result);

// 0 when every entry was converted; 1 when every entry was reached and some
// were skipped or failed; 2 when the run left entries not reached or did not
// end in order.
int BatchExitStatus(const RunResult& result);

}  // namespace korrin
