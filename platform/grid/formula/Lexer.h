#pragma once
#include <string>
#include <string_view>

#include "platform/grid/formula/Token.h"

namespace grid {

// Splits formula text into tokens. Blanks between tokens are skipped; a
// character that starts no token gives an Invalid token with a message.
class Lexer {
 public:
  explicit Lexer(std::string_view text) : src_(text) {}
  Token next();
  const std::string& message() const { return message_; }
  std::string_view source() const { return src_; }

 private:
  bool lexA1(Token& t);
  bool lexR1C1(Token& t);
  bool lexLineEnd(Token& t, RefLine line, bool first);
  bool atIdentifierBoundary(std::size_t i) const;
  std::string_view src_;
  std::size_t pos_ = 0;
  std::string message_;
  RefLine pendingLine_ = RefLine::None;  // the end after ":" of a whole-line block
};

// The text of a string token without its quotes, doubled quotes made single.
std::string unquote(std::string_view quoted);
// Writes text as a formula string literal.
std::string quote(std::string_view text);

}  // namespace grid
