#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korrin::standin {

// korrin-standin: installs the stand-in host and writes sample documents.
//   install [--version 5.2|5.3|6.0|7.0] [--root DIR] [--without-autocad]
//   samples DIR
// Returns the exit status: 0 done, 1 failed, 2 wrong usage.
int RunStandinTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace korrin::standin
