#pragma once

#include <string>
#include <vector>

#include "verify/ValidationReport.h"

namespace korrin {

// The validation report as korrin-batch prints it: a header line and one
// line per row, columns padded to their widest cell and two blanks apart,
// each line led by "!" for a red row and a blank otherwise; then the legend.
std::vector<std::string> ValidationTableLines(const ValidationReport& report);

// The report as CSV (RFC 4180, CR LF): the ten columns and "Red" (yes/no).
std::string ValidationCsv(const ValidationReport& report);

// A row without a finding: not red, no mark, no remark.
bool IsCleanRow(const ReportRow& row);

}  // namespace korrin
