// References made at run time: INDIRECT, OFFSET and ADDRESS. The first two
// read cells their formula does not name, so they are volatile: computed
// anew after every change of the sheet.
#include <cmath>
#include <string>

#include "platform/grid/CellAddress.h"
#include "platform/grid/Limits.h"
#include "platform/grid/formula/Lexer.h"
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"

namespace grid {
namespace {

using enum ArgKind;

bool resolve(const RefToken& r, CellPos host, int& col, int& row) {
  col = r.col.absolute || !r.r1c1 ? r.col.value : host.col + r.col.value;
  row = r.row.absolute || !r.r1c1 ? r.row.value : host.row + r.row.value;
  return col >= 1 && col <= kMaxColumns && row >= 1 && row <= kMaxRows;
}

// INDIRECT(text, [a1]): "B3", "$B$3", "A1:C4", "A:A" or "3:3", or in R1C1
// style ("R2C3", "R[-1]C") when a1 is FALSE. Anything else is #REF!.
Operand indirect(Args& a) {
  bool a1 = !a.given(1) || a.boolean(1);
  std::string_view text = a.text(0);
  Lexer lexer(text);
  Token first = lexer.next(), next = lexer.next();
  CellPos host = a.context().host;
  int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
  if (first.kind != TokenKind::Ref || first.ref.r1c1 == a1 || !resolve(first.ref, host, c1, r1))
    return err(ErrorCode::Ref);
  c2 = c1, r2 = r1;
  if (next.kind == TokenKind::Colon) {
    Token second = lexer.next();
    if (second.kind != TokenKind::Ref || second.ref.line != first.ref.line ||
        second.ref.r1c1 == a1 || !resolve(second.ref, host, c2, r2))
      return err(ErrorCode::Ref);
    next = lexer.next();
  } else if (first.ref.line != RefLine::None) {
    return err(ErrorCode::Ref);
  }
  if (next.kind != TokenKind::End) return err(ErrorCode::Ref);
  if (first.ref.line == RefLine::Column) r1 = 1, r2 = kMaxRows;
  if (first.ref.line == RefLine::Row) c1 = 1, c2 = kMaxColumns;
  return Operand::range({std::min(c1, c2), std::min(r1, r2), std::max(c1, c2), std::max(r1, r2)});
}

// OFFSET(reference, rows, columns, [height], [width]): a block moved and
// resized; a negative height or width reaches up or left.
Operand offset(Args& a) {
  const Area& base = a.operand(0).area;
  double dr = std::trunc(a.number(1)), dc = std::trunc(a.number(2));
  double h = a.given(3) ? std::trunc(a.number(3)) : base.height();
  double w = a.given(4) ? std::trunc(a.number(4)) : base.width();
  if (h == 0 || w == 0) return err(ErrorCode::Ref);
  double row1 = base.row1 + dr, col1 = base.col1 + dc;
  double row2 = row1 + h + (h > 0 ? -1 : 1), col2 = col1 + w + (w > 0 ? -1 : 1);
  if (row2 < row1) std::swap(row1, row2);
  if (col2 < col1) std::swap(col1, col2);
  if (row1 < 1 || col1 < 1 || row2 > kMaxRows || col2 > kMaxColumns) return err(ErrorCode::Ref);
  return Operand::range({static_cast<int>(col1), static_cast<int>(row1), static_cast<int>(col2),
                         static_cast<int>(row2)});
}

// ADDRESS(row, column, [kind], [a1], [sheet]): kind 1 absolute, 2 absolute
// row, 3 absolute column, 4 relative.
Operand address(Args& a) {
  double r = std::trunc(a.number(0)), c = std::trunc(a.number(1));
  double kind = a.given(2) ? std::trunc(a.number(2)) : 1;
  bool a1 = !a.given(3) || a.boolean(3);
  if (r < 1 || r > kMaxRows || c < 1 || c > kMaxColumns || kind < 1 || kind > 4)
    return err(ErrorCode::Value);
  bool absRow = kind == 1 || kind == 2, absCol = kind == 1 || kind == 3;
  int row = static_cast<int>(r), col = static_cast<int>(c);
  std::string out;
  if (a.given(4)) {
    const std::string& sheet = a.text(4);
    bool plain = !sheet.empty();
    for (char ch : sheet)
      if (!((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
            ch == '_' || ch == '.'))
        plain = false;
    if (plain) {
      out = sheet;
    } else {
      out = "'";
      for (char ch : sheet) out += ch == '\'' ? std::string("''") : std::string(1, ch);
      out += "'";
    }
    out += '!';
  }
  if (a1) {
    out += (absCol ? "$" : "") + columnName(col) + (absRow ? "$" : "") + std::to_string(row);
  } else {
    out += absRow ? "R" + std::to_string(row) : "R[" + std::to_string(row) + "]";
    out += absCol ? "C" + std::to_string(col) : "C[" + std::to_string(col) + "]";
  }
  return Value::makeText(std::move(out));
}

constexpr FunctionInfo kFunctions[] = {
    {"ADDRESS", 2, 5, takes(Number, Number, Number, Boolean, Text), address},
    {"INDIRECT", 1, 2, takes(Text, Boolean), indirect, true},
    {"OFFSET", 3, 5, takes(Reference, Number), offset, true},
};

}  // namespace

std::span<const FunctionInfo> referenceFunctions() {
  return kFunctions;
}

}  // namespace grid
