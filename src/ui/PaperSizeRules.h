#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "print/PaperSizeRow.h"

namespace korrin {

// The rules of the paper size editor that are worth more than a click: the
// size a paper's name tells, the name of a new row, the checks of an edited
// definition and the inch conversion. "Under the user's locale" means the
// locale Qt reads numbers with (QLocale()).

// Width and height in millimetres, each rounded to one decimal, read from a
// paper name such as "Custom 8.5 x 11 in" or "Large [420 x 297 mm]": the last
// number is the height, the one before it the width; "in" multiplies by 25.4.
// A side the name does not tell is 0; both are -1 (times the unit) when no
// number stands before the last one.
struct PaperSizeOfName {
  double width = 0;
  double height = 0;

  bool operator==(const PaperSizeOfName&) const = default;
};
PaperSizeOfName PaperSizeFromName(std::string_view name);

// "NewPaper" followed by one more than the highest number such rows carry
// ("NewPaper" alone counts as 1); "NewPaper1" when there is none.
std::string NewPaperName(const std::vector<PaperSizeRow>& rows);

// ";" separates the fields of a line of the definitions file, so a name or a
// description that holds one cannot be stored.
inline constexpr const char* kNameSeparatorProblem =
    "Papername MUST NOT contain \";\", which separates the fields of papersizes.ini";
inline constexpr const char* kDescriptionSeparatorProblem =
    "Description MUST NOT contain \";\", which separates the fields of papersizes.ini";

// The message that refuses an edited definition, nothing when it is fine, in
// this order: a name is needed and may hold no ";"; width and height must
// each be above 0 read with "." as the decimal point and at least 1 as a
// whole number under the locale; the description may hold no ";".
std::optional<std::string> PaperDefinitionProblem(const PaperSizeRow& row);

// The separator problem of a row, as PaperDefinitionProblem finds it; the
// list window refuses to save rows that have one.
std::optional<std::string> PaperSeparatorProblem(const PaperSizeRow& row);

// The field's whole number (under the locale, halves to even, a signed 16-bit
// value) times 25.4, written under the locale; nothing for text that is no
// such number.
std::optional<QString> MultipliedWithInch(const QString& text);

}  // namespace korrin
