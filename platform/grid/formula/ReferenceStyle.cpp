#include "platform/grid/formula/ReferenceStyle.h"

#include "platform/grid/Limits.h"
#include "platform/grid/formula/Lexer.h"

namespace grid {
namespace {

// The row or column a part names, from the formula's cell.
int resolved(const RefPart& p, bool r1c1, int host) {
  return p.absolute || !r1c1 ? p.value : host + p.value;
}

void writeA1(std::string& out, const RefToken& r, CellPos host) {
  if (r.col.absolute) out += '$';
  int col = resolved(r.col, r.r1c1, host.col);
  int row = resolved(r.row, r.r1c1, host.row);
  out += columnName(col);
  if (r.row.absolute) out += '$';
  out += std::to_string(row);
}

void writeR1C1(std::string& out, const RefToken& r, CellPos host) {
  auto part = [&](char letter, const RefPart& p, int hostValue) {
    out += letter;
    int value = resolved(p, r.r1c1, hostValue);
    if (p.absolute)
      out += std::to_string(value);
    else if (value != hostValue)
      out += "[" + std::to_string(value - hostValue) + "]";
  };
  part('R', r.row, host.row);
  part('C', r.col, host.col);
}

bool writable(const RefToken& r, CellPos host) {
  int col = resolved(r.col, r.r1c1, host.col);
  int row = resolved(r.row, r.r1c1, host.row);
  return col >= 1 && col <= kMaxColumns && row >= 1 && row <= kMaxRows;
}

}  // namespace

std::string formulaInStyle(std::string_view text, CellPos host, RefStyle style) {
  if (style == RefStyle::AsWritten) return std::string(text);
  bool toR1C1 = style == RefStyle::R1C1;
  Lexer lexer(text);
  std::string out;
  out.reserve(text.size() + 8);
  std::size_t copiedTo = 0;
  for (Token t = lexer.next(); t.kind != TokenKind::End && t.kind != TokenKind::Invalid;
       t = lexer.next()) {
    if (t.kind != TokenKind::Ref || t.ref.r1c1 == toR1C1 || !writable(t.ref, host)) continue;
    out.append(text.substr(copiedTo, t.pos - copiedTo));
    if (toR1C1)
      writeR1C1(out, t.ref, host);
    else
      writeA1(out, t.ref, host);
    copiedTo = t.pos + t.len;
  }
  out.append(text.substr(copiedTo));
  return out;
}

}  // namespace grid
