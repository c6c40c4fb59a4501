#pragma once

#include <string>

namespace korrin {

// korrin-batch's help: the usage line, what the program does, every option
// of BatchOptions() and the PATH argument, wrapped to 79 columns.
std::string BatchHelpText();

// "korrin-batch VERSION (SYSTEM PROCESSOR)" and a line end.
std::string BatchVersionLine();

}  // namespace korrin
