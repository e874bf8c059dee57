#pragma once
#include <cstdint>

namespace grid {

// The compiled form of a formula is a flat postfix program of 32-bit
// words. Each instruction starts with one word: the opcode in the low 8 bits
// and an operand in the upper 24; some take further words. References are
// resolved to absolute cells when compiling, so running never looks at
// text again. A column (at most 16,384) fits an operand: a reference takes
// one word less, which a sheet of a million formulas feels.
enum class Op : std::uint8_t {
  Number,   // +2 words: the double's bits
  Text,     // operand: byte length; then the bytes, padded to words
  Bool,     // operand: 0 or 1
  Error,    // operand: ErrorCode
  Missing,  // an omitted argument
  Ref,      // operand: col; +1 word: row
  Area,     // operand: col1; +3 words: row1, col2, row2
  Add,
  Sub,
  Mul,
  Div,
  Pow,
  Concat,
  Eq,
  Ne,
  Lt,
  Le,
  Gt,
  Ge,
  Neg,
  Plus,
  Percent,
  Call,            // operand: function id | argc << 16
  CallCustom,      // operand: argc; +1 word: name length; then the name, padded to words
  JumpIfFalse,     // operand: else target; +1 word: end target (IF)
  Jump,            // operand: target
  JumpIfNotError,  // operand: target; pops the value when it is an error (IFERROR)
  MakeArray,       // operand: columns; +1 word: rows; pops rows * columns values
  CallArray,       // as Call, inside an argument that takes arrays: scalar
                   // arguments given arrays run element by element
};

// Operators compiled inside an argument that takes arrays carry this
// operand: a block or an array then gives an array, element by element,
// instead of the one cell in the formula's own row or column.
inline constexpr std::uint32_t kArrayMode = 1;

inline constexpr std::uint32_t word(Op op, std::uint32_t operand = 0) {
  return static_cast<std::uint32_t>(op) | (operand << 8);
}
inline constexpr Op opOf(std::uint32_t w) {
  return static_cast<Op>(w & 0xFF);
}
inline constexpr std::uint32_t operandOf(std::uint32_t w) {
  return w >> 8;
}
inline constexpr std::uint32_t kMaxOperand = 0xFFFFFF;
inline constexpr std::uint32_t textWords(std::uint32_t bytes) {
  return (bytes + 3) / 4;
}

}  // namespace grid
