#include "platform/grid/formula/Lexer.h"

#include <utility>

#include "platform/base/DecimalNumber.h"
#include "platform/grid/Limits.h"
#include "platform/grid/Value.h"
#include "platform/grid/formula/AsciiClass.h"

namespace grid {
namespace {
using ascii::isDigit;
using ascii::isLetter;
bool isNameChar(char c) {
  return isLetter(c) || isDigit(c) || c == '_' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}
char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
}  // namespace

bool Lexer::atIdentifierBoundary(std::size_t i) const {
  if (i >= src_.size()) return true;
  char c = src_[i];
  if (isNameChar(c) || c == '$' || c == '[') return false;
  std::size_t j = i;
  while (j < src_.size() && (src_[j] == ' ' || src_[j] == '\t')) ++j;
  return !(j < src_.size() && src_[j] == '(');  // a name followed by "(" is a call
}

bool Lexer::lexA1(Token& t) {
  std::size_t i = pos_;
  bool colAbs = false, rowAbs = false;
  if (i < src_.size() && src_[i] == '$') colAbs = true, ++i;
  long col = 0;
  std::size_t letters = 0;
  while (i < src_.size() && isLetter(src_[i]) && letters < 4) {
    col = col * 26 + (upper(src_[i]) - 'A' + 1);
    ++i, ++letters;
  }
  if (letters == 0 || letters > 3) return false;
  if (i < src_.size() && src_[i] == '$') rowAbs = true, ++i;
  long row = 0;
  std::size_t digits = 0;
  while (i < src_.size() && isDigit(src_[i]) && digits < 8) {
    row = row * 10 + (src_[i] - '0');
    ++i, ++digits;
  }
  if (digits == 0 || !atIdentifierBoundary(i)) return false;
  if (col > kMaxColumns || row < 1 || row > kMaxRows) return false;
  t.kind = TokenKind::Ref;
  t.ref.r1c1 = false;
  t.ref.col = {static_cast<int>(col), colAbs};
  t.ref.row = {static_cast<int>(row), rowAbs};
  t.len = static_cast<std::uint32_t>(i - pos_);
  return true;
}

bool Lexer::lexR1C1(Token& t) {
  std::size_t i = pos_;
  auto part = [&](char letter, RefPart& out, int limit) {
    if (i >= src_.size() || upper(src_[i]) != letter) return false;
    ++i;
    out = {0, false};
    if (i < src_.size() && src_[i] == '[') {
      std::size_t j = i + 1;
      bool neg = false;
      if (j < src_.size() && (src_[j] == '-' || src_[j] == '+')) neg = src_[j++] == '-';
      long v = 0;
      std::size_t d = 0;
      while (j < src_.size() && isDigit(src_[j]) && d < 8) v = v * 10 + (src_[j++] - '0'), ++d;
      if (d == 0 || j >= src_.size() || src_[j] != ']' || v > limit) return false;
      out.value = static_cast<int>(neg ? -v : v);
      i = j + 1;
    } else if (i < src_.size() && isDigit(src_[i])) {
      long v = 0;
      std::size_t d = 0;
      while (i < src_.size() && isDigit(src_[i]) && d < 8) v = v * 10 + (src_[i++] - '0'), ++d;
      if (v < 1 || v > limit) return false;
      out = {static_cast<int>(v), true};
    }
    return true;
  };
  RefPart row, col;
  if (!part('R', row, kMaxRows) || !part('C', col, kMaxColumns) || !atIdentifierBoundary(i))
    return false;
  t.kind = TokenKind::Ref;
  t.ref.r1c1 = true;
  t.ref.row = row;
  t.ref.col = col;
  t.len = static_cast<std::uint32_t>(i - pos_);
  return true;
}

// One end of "A:C" or "3:5". The first end is taken only when ":" and a
// second end of the same kind follow, so names and numbers stay as they were.
bool Lexer::lexLineEnd(Token& t, RefLine line, bool first) {
  std::size_t i = pos_;
  bool absolute = i < src_.size() && src_[i] == '$';
  if (absolute) ++i;
  long v = 0;
  std::size_t n = 0;
  bool column = line == RefLine::Column;
  while (i < src_.size() && (column ? isLetter(src_[i]) : isDigit(src_[i])) && n < 8) {
    v = column ? v * 26 + (upper(src_[i]) - 'A' + 1) : v * 10 + (src_[i] - '0');
    ++i, ++n;
  }
  if (n == 0 || v < 1 || v > (column ? kMaxColumns : kMaxRows)) return false;
  if (column ? n > 3 : n > 7) return false;
  // "RC" alone is the formula's own cell in R1C1 style.
  if (column && !absolute && n == 2 && upper(src_[i - 2]) == 'R' && upper(src_[i - 1]) == 'C')
    return false;
  if (first) {
    if (i >= src_.size() || src_[i] != ':') return false;
    std::size_t save = pos_;
    pos_ = i + 1;
    Token probe;
    bool second = lexLineEnd(probe, line, false);
    pos_ = save;
    if (!second) return false;
  } else if (i < src_.size() &&
             (isNameChar(src_[i]) || src_[i] == '$' || src_[i] == '(' || src_[i] == '[')) {
    return false;
  }
  t.kind = TokenKind::Ref;
  t.ref = {};
  t.ref.line = line;
  t.ref.col = {column ? static_cast<int>(v) : 1, column ? absolute : true};
  t.ref.row = {column ? 1 : static_cast<int>(v), column ? true : absolute};
  t.len = static_cast<std::uint32_t>(i - pos_);
  return true;
}

Token Lexer::next() {
  while (pos_ < src_.size() &&
         (src_[pos_] == ' ' || src_[pos_] == '\t' || src_[pos_] == '\r' || src_[pos_] == '\n'))
    ++pos_;
  Token t;
  t.pos = static_cast<std::uint32_t>(pos_);
  if (pos_ >= src_.size()) return t;
  if (pendingLine_ != RefLine::None && src_[pos_] != ':') {
    RefLine line = std::exchange(pendingLine_, RefLine::None);
    if (lexLineEnd(t, line, false)) {
      pos_ += t.len;
      return t;
    }
  }
  char c = src_[pos_];
  auto single = [&](TokenKind k) {
    t.kind = k;
    t.len = 1;
  };
  auto op = [&](OperatorKind k, std::uint32_t len) {
    t.kind = TokenKind::Operator;
    t.op = k;
    t.len = len;
  };
  char n = pos_ + 1 < src_.size() ? src_[pos_ + 1] : '\0';
  switch (c) {
    case '(':
      single(TokenKind::LParen);
      break;
    case ')':
      single(TokenKind::RParen);
      break;
    case ',':
    case ';':
      single(TokenKind::Separator);
      break;
    case ':':
      single(TokenKind::Colon);
      break;
    case '{':
      single(TokenKind::LBrace);
      break;
    case '}':
      single(TokenKind::RBrace);
      break;
    case '+':
      op(OperatorKind::Add, 1);
      break;
    case '-':
      op(OperatorKind::Sub, 1);
      break;
    case '*':
      op(OperatorKind::Mul, 1);
      break;
    case '/':
      op(OperatorKind::Div, 1);
      break;
    case '^':
      op(OperatorKind::Pow, 1);
      break;
    case '&':
      op(OperatorKind::Concat, 1);
      break;
    case '%':
      op(OperatorKind::Percent, 1);
      break;
    case '=':
      op(OperatorKind::Eq, 1);
      break;
    case '<':
      if (n == '>')
        op(OperatorKind::Ne, 2);
      else if (n == '=')
        op(OperatorKind::Le, 2);
      else
        op(OperatorKind::Lt, 1);
      break;
    case '>':
      if (n == '=')
        op(OperatorKind::Ge, 2);
      else
        op(OperatorKind::Gt, 1);
      break;
    case '"': {
      std::size_t i = pos_ + 1;
      for (;;) {
        if (i >= src_.size()) {
          t.kind = TokenKind::Invalid;
          message_ = "text without its closing quote";
          t.len = static_cast<std::uint32_t>(src_.size() - pos_);
          break;
        }
        if (src_[i] == '"') {
          if (i + 1 < src_.size() && src_[i + 1] == '"') {
            i += 2;
            continue;
          }
          t.kind = TokenKind::String;
          t.len = static_cast<std::uint32_t>(i + 1 - pos_);
          break;
        }
        ++i;
      }
      break;
    }
    case '#': {
      std::size_t len = 0;
      ErrorCode e = parseErrorLiteral(src_.substr(pos_), &len);
      if (e == ErrorCode::None) {
        t.kind = TokenKind::Invalid;
        t.len = 1;
        message_ = "unknown error value";
      } else {
        t.kind = TokenKind::ErrorLit;
        t.error = static_cast<std::uint8_t>(e);
        t.len = static_cast<std::uint32_t>(len);
      }
      break;
    }
    default:
      if ((isDigit(c) || c == '$') && lexLineEnd(t, RefLine::Row, true)) {
        pendingLine_ = RefLine::Row;
        break;
      }
      if (isDigit(c) || (c == '.' && isDigit(n))) {
        std::size_t i = pos_;
        while (i < src_.size() && isDigit(src_[i])) ++i;
        if (i < src_.size() && src_[i] == '.') {
          ++i;
          while (i < src_.size() && isDigit(src_[i])) ++i;
        }
        if (i < src_.size() && (src_[i] == 'e' || src_[i] == 'E')) {
          std::size_t j = i + 1;
          if (j < src_.size() && (src_[j] == '+' || src_[j] == '-')) ++j;
          if (j < src_.size() && isDigit(src_[j])) {
            while (j < src_.size() && isDigit(src_[j])) ++j;
            i = j;
          }
        }
        double v = 0;
        t.len = static_cast<std::uint32_t>(i - pos_);
        // Too small for a double is 0, as spreadsheet programs read it; too large is an error.
        if (!base::decimalValue(src_.substr(pos_, i - pos_), v)) {
          t.kind = TokenKind::Invalid;
          message_ = "number out of range";
        } else {
          t.kind = TokenKind::Number;
          t.number = v;
        }
        break;
      }
      if (isLetter(c) || c == '$' || c == '_' || static_cast<unsigned char>(c) >= 0x80) {
        if (lexA1(t)) break;
        if (lexLineEnd(t, RefLine::Column, true)) {
          pendingLine_ = RefLine::Column;
          break;
        }
        if (lexR1C1(t)) break;
        if (c == '$') {
          t.kind = TokenKind::Invalid;
          t.len = 1;
          message_ = "\"$\" outside a cell reference";
          break;
        }
        std::size_t i = pos_;
        while (i < src_.size() && isNameChar(src_[i])) ++i;
        t.kind = TokenKind::Name;
        t.len = static_cast<std::uint32_t>(i - pos_);
        break;
      }
      t.kind = TokenKind::Invalid;
      t.len = 1;
      message_ = std::string("unexpected character '") + c + "'";
  }
  pos_ += t.len;
  return t;
}

std::string unquote(std::string_view quoted) {
  std::string out;
  if (quoted.size() < 2) return out;
  out.reserve(quoted.size() - 2);
  for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
    out += quoted[i];
    if (quoted[i] == '"') ++i;
  }
  return out;
}

std::string quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    out += c;
    if (c == '"') out += '"';
  }
  out += '"';
  return out;
}

}  // namespace grid
