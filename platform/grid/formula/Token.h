#pragma once
#include <cstdint>
#include <string_view>

namespace grid {

enum class TokenKind : std::uint8_t {
  End,
  Number,
  String,    // text between double quotes; doubled quotes still doubled
  ErrorLit,  // #DIV/0! and the others
  Ref,       // A1 or R1C1 cell reference
  Name,      // function name, TRUE/FALSE or an unknown name
  Operator,
  LParen,
  RParen,
  Separator,  // "," or ";" between arguments (or between the columns and rows of an array)
  Colon,
  LBrace,  // "{" opens an array constant
  RBrace,
  Invalid,
};

enum class OperatorKind : std::uint8_t {
  Add,
  Sub,
  Mul,
  Div,
  Pow,
  Concat,
  Percent,
  Eq,
  Ne,
  Lt,
  Le,
  Gt,
  Ge
};

// One part of a reference as written: A1 parts hold the row or column
// itself; R1C1 relative parts ("R[-1]", "C") hold the offset from the
// formula's own cell.
struct RefPart {
  int value = 0;
  bool absolute = false;
};

enum class RefLine : std::uint8_t { None, Column, Row };

// A cell, or one end of a whole-column ("A:C") or whole-row ("3:5") block:
// a column end holds row 1, a row end column 1.
struct RefToken {
  RefPart col, row;
  bool r1c1 = false;
  RefLine line = RefLine::None;
};

struct Token {
  TokenKind kind = TokenKind::End;
  OperatorKind op = OperatorKind::Add;
  std::uint32_t pos = 0;  // offset in the formula text
  std::uint32_t len = 0;
  double number = 0;
  std::uint8_t error = 0;  // ErrorCode of an ErrorLit
  RefToken ref;
  std::string_view text(std::string_view src) const { return src.substr(pos, len); }
};

}  // namespace grid
