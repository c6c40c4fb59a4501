#pragma once

#include <string>
#include <string_view>

namespace korrin::standin {

// A text as a document file writes it: in double quotes, with \\ and \" for
// the backslash and the quote, \t \r \n for tab, CR and LF, and \xHH (two
// upper-case hex digits) for the other control bytes. Every other byte stays
// as it is, so UTF-8 text reads as written.
std::string QuotedText(std::string_view text);

// The letter after the backslash for a character written as a two-character
// escape, and back; '\0' when there is none.
char EscapeLetterOf(char character);
char EscapedCharacterOf(char letter);

// The text quoted as above for a failure description, its first
// kShownTextBytes bytes only (followed by "..." inside the quotes), cut
// between UTF-8 characters.
inline constexpr std::size_t kShownTextBytes = 40;
std::string ShownText(std::string_view text);

}  // namespace korrin::standin
