#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ports/Result.h"

namespace korrin::standin {

// Reads one line of a document file from left to right: bare words
// separated by blanks (spaces and tabs) and texts in double quotes (see
// QuotedText.h). The first problem is kept, with the line's number, and
// every later read returns an empty value, so a caller reads a whole line
// and asks status() once. "what" names the value in the description, e.g.
// "sheet width" gives: line 7: the sheet width "29,7" is not a number.
class LineTokens {
 public:
  LineTokens(std::string_view line, std::size_t number) : line_(line), number_(number) {}

  std::size_t number() const { return number_; }
  // Nothing but blanks, or a comment.
  bool IsBlankOrComment() const;

  std::string Word(std::string_view what);
  // The next word must be this one.
  void Keyword(std::string_view keyword);
  std::string Text(std::string_view what);
  std::int32_t WholeNumber(std::string_view what, std::int32_t minimum);
  double Decimal(std::string_view what);
  double PositiveDecimal(std::string_view what);
  bool YesNo(std::string_view what);
  // Only blanks are left (and nothing has failed).
  bool AtEnd();
  // The line must hold nothing more.
  void End();

  // Keeps "line N: description" unless a problem is kept already.
  void Fail(std::string_view description);
  bool ok() const { return !failed_; }
  Status status() const;

 private:
  struct Token {
    std::string text;
    bool quoted = false;
  };

  bool Next(std::string_view what, Token& token);
  Token BareToken();
  bool QuotedToken(Token& token);
  void AppendEscape(std::string& text);
  void SkipBlanks();

  std::string_view line_;
  std::size_t number_;
  std::size_t position_ = 0;
  bool failed_ = false;
  std::string problem_;
};

}  // namespace korrin::standin
