#include "print/PaperSizeRow.h"

#include <algorithm>

#include "settings/TextTokens.h"

namespace korrin {

PaperSizeRow SplitPaperSizeLine(std::string_view line) {
  std::string rest(line);
  PaperSizeRow row;
  row.name = NextToken(rest, ';');
  row.width = NextToken(rest, ';');
  row.height = NextToken(rest, ';');
  row.description = NextToken(rest, ';');
  return row;
}

std::string JoinPaperSizeLine(const PaperSizeRow& row) {
  return row.name + ';' + row.width + ';' + row.height + ';' + row.description;
}

bool IsPaperSizeComment(std::string_view line) { return !line.empty() && line.front() == ';'; }

std::string WithoutSpaces(std::string_view text) {
  std::string result(text);
  std::erase(result, ' ');
  return result;
}

}  // namespace korrin
