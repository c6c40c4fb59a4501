#pragma once

#include <string>
#include <string_view>

namespace korrin {

// One line of the paper size definitions file: name;width;height;description.
// Fields are split at each ";" in turn and kept exactly as written (no
// trimming, "," stays a ","); a missing field is empty, and a ";" after the
// description ends it, so anything after that is ignored.
struct PaperSizeRow {
  std::string name;
  std::string width;
  std::string height;
  std::string description;

  bool operator==(const PaperSizeRow&) const = default;
};

PaperSizeRow SplitPaperSizeLine(std::string_view line);
std::string JoinPaperSizeLine(const PaperSizeRow& row);

// A line starting with ";" is a comment.
bool IsPaperSizeComment(std::string_view line);

// Paper names are typed by hand in several places ("A Sheet", "ASheet"), so
// every comparison ignores the space characters in them.
std::string WithoutSpaces(std::string_view text);

}  // namespace korrin
