#include "documents/LineTokens.h"

#include "documents/DocumentKeys.h"
#include "documents/DocumentNumbers.h"
#include "documents/QuotedText.h"
#include "documents/StandinDocumentFailures.h"

namespace korrin::standin {
namespace {

constexpr std::size_t kHexEscapeLength = 4;  // \xHH
constexpr char kHexEscapeLetter = 'x';
constexpr int kHexDigitBits = 4;

bool IsBlank(char character) { return character == ' ' || character == '\t'; }

int HexDigitValue(char character) {
  if (character >= '0' && character <= '9') return character - '0';
  if (character >= 'A' && character <= 'F') return character - 'A' + 10;
  if (character >= 'a' && character <= 'f') return character - 'a' + 10;
  return -1;
}

std::string The(std::string_view what) { return "the " + std::string(what) + " "; }

}  // namespace

bool LineTokens::IsBlankOrComment() const {
  for (const char character : line_) {
    if (!IsBlank(character)) return character == kCommentMarker;
  }
  return true;
}

std::string LineTokens::Word(std::string_view what) {
  Token token;
  if (!Next(what, token)) return {};
  if (token.quoted) Fail(The(what) + "must not be in quotes");
  return ok() ? token.text : std::string();
}

void LineTokens::Keyword(std::string_view keyword) {
  if (!ok()) return;
  SkipBlanks();
  if (position_ == line_.size()) return Fail(QuotedText(keyword) + " is missing");
  Token token;
  if (!Next(keyword, token)) return;
  if (token.quoted || token.text != keyword)
    Fail("expected " + QuotedText(keyword) + ", found " + ShownText(token.text));
}

std::string LineTokens::Text(std::string_view what) {
  Token token;
  if (!Next(what, token)) return {};
  if (!token.quoted) Fail(The(what) + "must be in double quotes");
  return ok() ? token.text : std::string();
}

std::int32_t LineTokens::WholeNumber(std::string_view what, std::int32_t minimum) {
  const std::string word = Word(what);
  if (!ok()) return 0;
  const NumberRead<std::int32_t> read = ReadWholeNumber(word);
  if (read.syntax == NumberSyntax::NotANumber) Fail(The(what) + ShownText(word) + " is not a whole number");
  if (read.syntax == NumberSyntax::OutOfRange) Fail(The(what) + ShownText(word) + " is out of range");
  if (ok() && read.value < minimum) Fail(The(what) + ShownText(word) + " is below " + std::to_string(minimum));
  return ok() ? read.value : 0;
}

double LineTokens::Decimal(std::string_view what) {
  const std::string word = Word(what);
  if (!ok()) return 0;
  const NumberRead<double> read = ReadDecimal(word);
  if (read.syntax == NumberSyntax::NotANumber) Fail(The(what) + ShownText(word) + " is not a number");
  if (read.syntax == NumberSyntax::OutOfRange) Fail(The(what) + ShownText(word) + " is out of range");
  return ok() ? read.value : 0;
}

double LineTokens::PositiveDecimal(std::string_view what) {
  const double value = Decimal(what);
  if (ok() && !(value > 0)) Fail(The(what) + ShownText(DecimalText(value)) + " is not above 0");
  return value;
}

bool LineTokens::YesNo(std::string_view what) {
  const std::string word = Word(what);
  if (!ok()) return false;
  if (word == kYesWord) return true;
  if (word != kNoWord) Fail(The(what) + ShownText(word) + " is not \"yes\" or \"no\"");
  return false;
}

bool LineTokens::AtEnd() {
  SkipBlanks();
  return ok() && position_ == line_.size();
}

void LineTokens::End() {
  if (AtEnd() || !ok()) return;
  Token token;
  if (Next("", token)) Fail("unexpected " + ShownText(token.text) + " at the end of the line");
}

void LineTokens::Fail(std::string_view description) {
  if (failed_) return;
  failed_ = true;
  problem_ = "line " + std::to_string(number_) + ": " + std::string(description);
}

Status LineTokens::status() const {
  if (!failed_) return {};
  return Failure{kDamagedStandinDocument, problem_};
}

bool LineTokens::Next(std::string_view what, Token& token) {
  if (!ok()) return false;
  SkipBlanks();
  if (position_ == line_.size()) {
    Fail(The(what) + "is missing");
    return false;
  }
  if (line_[position_] == '"') return QuotedToken(token);
  token = BareToken();
  return true;
}

LineTokens::Token LineTokens::BareToken() {
  const std::size_t start = position_;
  while (position_ < line_.size() && !IsBlank(line_[position_])) ++position_;
  return {std::string(line_.substr(start, position_ - start)), false};
}

bool LineTokens::QuotedToken(Token& token) {
  token = {"", true};
  ++position_;  // the opening quote
  while (ok()) {
    if (position_ == line_.size()) {
      Fail("a text has no closing quote");
    } else if (line_[position_] == '\\') {
      AppendEscape(token.text);
    } else if (line_[position_] != '"') {
      token.text += line_[position_++];
    } else {
      ++position_;
      if (position_ < line_.size() && !IsBlank(line_[position_])) Fail("a closing quote must be followed by a blank");
      break;
    }
  }
  return ok();
}

void LineTokens::AppendEscape(std::string& text) {
  const std::string_view escape = line_.substr(position_, kHexEscapeLength);
  if (escape.size() < 2) return Fail("a text has no closing quote");
  if (const char character = EscapedCharacterOf(escape[1]); character != '\0') {
    text += character;
    position_ += 2;
  } else if (escape[1] == kHexEscapeLetter) {
    const int high = escape.size() == kHexEscapeLength ? HexDigitValue(escape[2]) : -1;
    const int low = escape.size() == kHexEscapeLength ? HexDigitValue(escape[3]) : -1;
    if (high < 0 || low < 0) return Fail("\\x in a text must be followed by two hex digits");
    text += static_cast<char>((high << kHexDigitBits) | low);
    position_ += kHexEscapeLength;
  } else {
    Fail("a backslash in a text must be followed by \\, \", t, r, n or x");
  }
}

void LineTokens::SkipBlanks() {
  while (position_ < line_.size() && IsBlank(line_[position_])) ++position_;
}

}  // namespace korrin::standin
