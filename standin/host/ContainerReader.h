#pragma once

#include <string>
#include <vector>

#include "documents/StandinDocument.h"
#include "ports/Result.h"

namespace korrin::standin {

// A container read back: its kind, the sheets it lists, and every line as
// read, so a program that rewrites it can keep what it does not know.
struct ContainerRead {
  std::string kind;
  std::vector<StandinSheet> sheets;
  std::vector<std::string> lines;
};

// Reads a container file. The signature, the format line (line 2), the kind
// and the sheet lines are read; every other line is kept as it is. A
// failure's description says what is wrong but not which file, so the
// caller names it in its own words: "it is no stand-in container",
// "line 6: the sheet width "x" is not a number". A file that cannot be read
// keeps the system's number and description.
Result<ContainerRead> ReadContainer(const std::string& path);

}  // namespace korrin::standin
