#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korrin {

// Everything after the first "(" without the text's last character:
// "Iges Files (*.IGES)" gives "*.IGES". A text without "(" loses only its last
// character, so the caption "Printer" gives "Printe"; the catalogue and the
// run test the printer choice against that form, and stored settings hold it.
std::string TextInParentheses(std::string_view text);

// The text of rest before the first delimiter; rest loses that text and the
// delimiter. Without a delimiter the whole rest is returned and rest empties.
std::string NextToken(std::string& rest, char delimiter);

// "0 files", "1 files", "12 files": there is no singular form.
std::string FileCountText(std::int32_t count);

}  // namespace korrin
