#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korrin::standin {

// Splits a document's text into lines as the settings text files do: a line
// ends at LF, a CR right before the LF belongs to the line end, and a last
// line without a line end is still a line.
std::vector<std::string> SplitDocumentLines(std::string_view text);

}  // namespace korrin::standin
