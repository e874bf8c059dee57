#include "platform/grid/formula/FormulaShapes.h"

#include <algorithm>
#include <cstring>

#include "platform/grid/Limits.h"
#include "platform/grid/formula/AsciiClass.h"
#include "platform/grid/formula/Bytecode.h"
#include "platform/grid/formula/Lexer.h"

namespace grid {
namespace {

// Enough for the formulas of any sheet written by hand or by a program;
// past it the rest compile one by one.
constexpr std::size_t kMaxShapes = 4096;
constexpr int kMissesBeforeRelearning = 4;

using ascii::isDigit;
using ascii::isLetter;

// The cell of an A1 reference written at `i` in the form of `ref` (the same
// "$" signs), or false. Stricter than the lexer (at most 7 row digits), so
// that whatever reads here reads as the same reference there.
template <class Ref>
bool readRef(std::string_view s, std::size_t& i, const Ref& ref, int& col, int& row) {
  if (ref.colAbsolute && (i >= s.size() || s[i++] != '$')) return false;
  long c = 0;
  int letters = 0;
  for (; i < s.size() && isLetter(s[i]); ++i) {
    if (++letters > 3) return false;
    c = c * 26 + ((s[i] | 0x20) - 'a' + 1);
  }
  if (letters == 0) return false;
  if (ref.rowAbsolute && (i >= s.size() || s[i++] != '$')) return false;
  long r = 0;
  int digits = 0;
  for (; i < s.size() && isDigit(s[i]); ++i) {
    if (++digits > 7) return false;
    r = r * 10 + (s[i] - '0');
  }
  if (digits == 0) return false;
  col = static_cast<int>(c);
  row = static_cast<int>(r);
  return true;
}

}  // namespace

bool FormulaShapes::compile(std::string_view text, int col, int row, CompiledFormula& out,
                            CompileError* error) {
  std::string_view body = formulaBody(text);
  // The digits are where the formulas of one shape differ down a column.
  std::uint64_t key = 14695981039346656037ull ^ static_cast<std::uint32_t>(col);
  for (char c : body) {
    if (isDigit(c)) continue;
    key = (key ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  auto found = shapes_.find(key);
  if (found != shapes_.end() && body.size() <= kMaxFormulaLength &&
      match(found->second, body, col, row)) {
    found->second.misses = 0;
    instantiate(found->second, body, out);
    ++shared_;
    return true;
  }
  if (!parser_.compile(text, col, row, out, error)) return false;
  if (found == shapes_.end()) {
    if (shapes_.size() >= kMaxShapes) return true;
    Shape shape;
    if (learn(shape, body, col, row, out)) shapes_.emplace(key, std::move(shape));
  } else if (++found->second.misses >= kMissesBeforeRelearning) {
    Shape shape;
    if (learn(shape, body, col, row, out)) found->second = std::move(shape);
  }
  return true;
}

// The text alike outside the references; each reference the shape's,
// moved with the cell where it is relative.
bool FormulaShapes::match(const Shape& shape, std::string_view body, int col, int row) {
  const int dc = col - shape.col, dr = row - shape.row;
  cells_.clear();
  std::size_t at = 0, i = 0;  // in the shape's text, in the body
  for (const RefSpan& ref : shape.refs) {
    std::size_t literal = ref.pos - at;
    if (body.substr(i, literal) != std::string_view(shape.text).substr(at, literal)) return false;
    i += literal;
    int c = 0, r = 0;
    if (!readRef(body, i, ref, c, r)) return false;
    int wantCol = ref.colAbsolute ? ref.col : ref.col + dc;
    int wantRow = ref.rowAbsolute ? ref.row : ref.row + dr;
    if (c != wantCol || r != wantRow || c < 1 || c > kMaxColumns || r < 1 || r > kMaxRows)
      return false;
    cells_.push_back({c, r});
    at = ref.pos + ref.len;
  }
  return body.substr(i) == std::string_view(shape.text).substr(at);
}

// The shape's program with this formula's cells: references are compiled
// to the cells they name, in the order they are written.
void FormulaShapes::instantiate(const Shape& shape, std::string_view body, CompiledFormula& out) {
  code_.assign(shape.code.begin(), shape.code.end());
  const CellPos* cell = cells_.data();
  for (std::uint32_t i : shape.sites) {
    if (opOf(code_[i]) == Op::Ref) {
      code_[i] = word(Op::Ref, static_cast<std::uint32_t>(cell->col));
      code_[i + 1] = static_cast<std::uint32_t>(cell->row);
      ++cell;
    } else {
      const CellPos &a = cell[0], &b = cell[1];
      code_[i] = word(Op::Area, static_cast<std::uint32_t>(std::min(a.col, b.col)));
      code_[i + 1] = static_cast<std::uint32_t>(std::min(a.row, b.row));
      code_[i + 2] = static_cast<std::uint32_t>(std::max(a.col, b.col));
      code_[i + 3] = static_cast<std::uint32_t>(std::max(a.row, b.row));
      cell += 2;
    }
  }
  out = CompiledFormula(code_, body);
}

// A shape from a formula just compiled, when its references are all A1
// cells (not whole rows or columns, not R1C1) that the program holds one
// for one: one per Ref, two per Area.
bool FormulaShapes::learn(Shape& shape, std::string_view body, int col, int row,
                          const CompiledFormula& compiled) {
  Lexer lexer(body);
  for (Token t = lexer.next(); t.kind != TokenKind::End; t = lexer.next()) {
    if (t.kind == TokenKind::Invalid) return false;
    if (t.kind != TokenKind::Ref) continue;
    if (t.ref.r1c1 || t.ref.line != RefLine::None) return false;
    RefSpan ref{
        t.pos, t.len, t.ref.col.value, t.ref.row.value, t.ref.col.absolute, t.ref.row.absolute};
    // The span must read back as the lexer read it.
    std::size_t i = t.pos;
    int c = 0, r = 0;
    if (!readRef(body, i, ref, c, r) || i != t.pos + t.len || c != ref.col || r != ref.row)
      return false;
    shape.refs.push_back(ref);
  }
  std::size_t cells = 0;
  auto code = compiled.code();
  for (std::size_t i = 0; i < code.size(); i += instructionLength(code.data() + i)) {
    Op op = opOf(code[i]);
    if (op != Op::Ref && op != Op::Area) continue;
    cells += op == Op::Ref ? 1 : 2;
    shape.sites.push_back(static_cast<std::uint32_t>(i));
  }
  if (cells != shape.refs.size()) return false;
  shape.text = body;
  shape.col = col;
  shape.row = row;
  shape.code.assign(code.begin(), code.end());
  return true;
}

}  // namespace grid
