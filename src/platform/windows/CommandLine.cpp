#include "platform/windows/CommandLine.h"

namespace korrin {
namespace {

void AppendQuoted(const std::wstring& argument, std::wstring& line) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    line += argument;
    return;
  }
  line += L'"';
  std::size_t backslashes = 0;
  for (wchar_t character : argument) {
    if (character == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a quote: there each one is doubled, and
    // one more escapes the quote itself.
    if (character == L'"') line.append(backslashes * 2 + 1, L'\\');
    else line.append(backslashes, L'\\');
    backslashes = 0;
    line += character;
  }
  // Before the closing quote they are doubled, so it stays a closing quote.
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

}  // namespace

std::wstring QuotedCommandLine(const std::vector<std::wstring>& arguments) {
  std::wstring line;
  for (const std::wstring& argument : arguments) {
    if (!line.empty()) line += L' ';
    AppendQuoted(argument, line);
  }
  return line;
}

}  // namespace korrin
