#pragma once

#include <string>
#include <vector>

namespace korrin {

// The command line that gives a program exactly these arguments when it
// splits its line the way CommandLineToArgvW and the C runtime do: each
// argument in double quotes when it is empty or holds a space, a tab or a
// quote; quotes escaped with a backslash, and the backslashes before a quote
// or the closing quote doubled. Nothing else is special: no shell reads it.
std::wstring QuotedCommandLine(const std::vector<std::wstring>& arguments);

}  // namespace korrin
