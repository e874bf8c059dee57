#include "platform/grid/formula/ReferenceRewriter.h"

#include <algorithm>

#include "platform/grid/Limits.h"
#include "platform/grid/formula/Lexer.h"

namespace grid {
namespace {

CellPos resolve(const RefToken& r, CellPos host) {
  CellPos p;
  p.col = r.col.absolute || !r.r1c1 ? r.col.value : host.col + r.col.value;
  p.row = r.row.absolute || !r.r1c1 ? r.row.value : host.row + r.row.value;
  return p;
}

bool inBounds(CellPos p) {
  return p.col >= 1 && p.col <= kMaxColumns && p.row >= 1 && p.row <= kMaxRows;
}

// Copying moves relative parts by the cell's own move.
CellPos copied(const RefToken& r, CellPos target, CellPos delta) {
  return {r.col.absolute ? target.col : target.col + delta.col,
          r.row.absolute ? target.row : target.row + delta.row};
}

void write(std::string& out, const RefToken& r, CellPos target, CellPos host) {
  if (r.line == RefLine::Column) {
    if (r.col.absolute) out += '$';
    out += columnName(target.col);
    return;
  }
  if (r.line == RefLine::Row) {
    if (r.row.absolute) out += '$';
    out += std::to_string(target.row);
    return;
  }
  if (!r.r1c1) {
    if (r.col.absolute) out += '$';
    out += columnName(target.col);
    if (r.row.absolute) out += '$';
    out += std::to_string(target.row);
    return;
  }
  auto part = [&](char letter, const RefPart& p, int value, int hostValue) {
    out += letter;
    if (p.absolute)
      out += std::to_string(value);
    else if (value != hostValue)
      out += "[" + std::to_string(value - hostValue) + "]";
  };
  part('R', r.row, target.row, host.row);
  part('C', r.col, target.col, host.col);
}

}  // namespace

std::string rewriteReferences(std::string_view text, CellPos oldHost, CellPos newHost,
                              const ReferenceMap* map) {
  Lexer lexer(text);
  std::string out;
  out.reserve(text.size() + 8);
  std::size_t copiedTo = 0;
  CellPos delta{newHost.col - oldHost.col, newHost.row - oldHost.row};
  Token t = lexer.next();
  while (t.kind != TokenKind::End && t.kind != TokenKind::Invalid) {
    if (t.kind != TokenKind::Ref) {
      t = lexer.next();
      continue;
    }
    Token first = t, second;
    bool isArea = false;
    t = lexer.next();
    if (t.kind == TokenKind::Colon) {
      Token m = lexer.next();
      if (m.kind == TokenKind::Ref) {
        second = m;
        isArea = true;
        t = lexer.next();
      } else {
        t = m;
      }
    }
    const Token& last = isArea ? second : first;
    out.append(text.substr(copiedTo, first.pos - copiedTo));
    copiedTo = last.pos + last.len;
    CellPos a = resolve(first.ref, oldHost);
    if (!isArea) {
      std::optional<CellPos> to;
      if (map)
        to = map->cell(a);
      else
        to = copied(first.ref, a, delta);
      if (!to || !inBounds(*to))
        out += "#REF!";
      else
        write(out, first.ref, *to, newHost);
      continue;
    }
    CellPos b = resolve(second.ref, oldHost);
    // Whole columns span every row and whole rows every column, whatever moves.
    if (first.ref.line == RefLine::Column) a.row = 1, b.row = kMaxRows;
    if (first.ref.line == RefLine::Row) a.col = 1, b.col = kMaxColumns;
    if (map) {
      Area from{std::min(a.col, b.col), std::min(a.row, b.row), std::max(a.col, b.col),
                std::max(a.row, b.row)};
      std::optional<Area> to = map->area(from);
      if (to && first.ref.line == RefLine::Column) to->row1 = 1, to->row2 = kMaxRows;
      if (to && first.ref.line == RefLine::Row) to->col1 = 1, to->col2 = kMaxColumns;
      if (!to || !inBounds({to->col1, to->row1}) || !inBounds({to->col2, to->row2})) {
        out += "#REF!";
        continue;
      }
      write(out, first.ref, {to->col1, to->row1}, newHost);
      out += ':';
      write(out, second.ref, {to->col2, to->row2}, newHost);
    } else {
      CellPos ca = copied(first.ref, a, delta), cb = copied(second.ref, b, delta);
      if (!inBounds(ca) || !inBounds(cb)) {
        out += "#REF!";
        continue;
      }
      write(out, first.ref, ca, newHost);
      out += ':';
      write(out, second.ref, cb, newHost);
    }
  }
  out.append(text.substr(std::min(copiedTo, text.size())));
  return out;
}

}  // namespace grid
