#pragma once

#include <string>
#include <vector>

namespace korrin {

// The arguments after the program's name as UTF-8 text, the form
// ParseBatchCommandLine reads. Linux passes them as the bytes they are.
std::vector<std::string> ArgumentTexts(int count, char** arguments);
#ifdef _WIN32
// Through the path helpers, so "é" stays one character whatever the
// system's code page.
std::vector<std::string> ArgumentTexts(int count, wchar_t** arguments);
#endif

}  // namespace korrin
