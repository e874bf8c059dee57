#include "platform/grid/BlockEditor.h"

#include <algorithm>

#include "platform/grid/CellInput.h"
#include "platform/grid/formula/ReferenceRewriter.h"

namespace grid {
namespace {

// Insert (count > 0) or delete (count < 0) rows or columns at `at`.
class ShiftMap : public ReferenceMap {
 public:
  ShiftMap(bool rows, int at, int count, int limit)
      : rows_(rows), at_(at), count_(count), limit_(limit) {}
  std::optional<CellPos> cell(CellPos p) const override {
    int& v = rows_ ? p.row : p.col;
    if (v < at_) return p;
    if (count_ < 0 && v < at_ - count_) return std::nullopt;
    v += count_;
    if (v > limit_) return std::nullopt;
    return p;
  }
  std::optional<Area> area(const Area& a) const override {
    Area r = a;
    int& lo = rows_ ? r.row1 : r.col1;
    int& hi = rows_ ? r.row2 : r.col2;
    if (count_ > 0) {
      if (lo >= at_) lo += count_;
      if (hi >= at_) hi = std::min(hi + count_, limit_);
      if (lo > limit_) return std::nullopt;
    } else {
      int end = at_ - count_;  // first position after the deleted ones
      int newLo = lo < at_ ? lo : lo < end ? at_ : lo + count_;
      int newHi = hi < at_ ? hi : hi < end ? at_ - 1 : hi + count_;
      if (newHi < newLo) return std::nullopt;
      lo = newLo, hi = newHi;
    }
    return r;
  }

 private:
  bool rows_;
  int at_, count_, limit_;
};

Area shifted(const Area& a, int dc, int dr) {
  return {a.col1 + dc, a.row1 + dr, a.col2 + dc, a.row2 + dr};
}

// A block moves by (dc, dr); what it lands on is gone. With `swap`, what it
// lands on moves back the other way instead.
class MoveMap : public ReferenceMap {
 public:
  MoveMap(const Area& from, int dc, int dr, bool swap)
      : from_(from), to_(shifted(from, dc, dr)), dc_(dc), dr_(dr), swap_(swap) {}
  std::optional<CellPos> cell(CellPos p) const override {
    if (from_.contains(p.col, p.row)) return CellPos{p.col + dc_, p.row + dr_};
    if (to_.contains(p.col, p.row)) {
      if (!swap_) return std::nullopt;
      return CellPos{p.col - dc_, p.row - dr_};
    }
    return p;
  }
  std::optional<Area> area(const Area& a) const override {
    if (from_.contains(a)) return shifted(a, dc_, dr_);
    if (swap_ && to_.contains(a)) return shifted(a, -dc_, -dr_);
    return a;
  }

 private:
  Area from_, to_;
  int dc_, dr_;
  bool swap_;
};

void shiftSizes(std::vector<double>& sizes, int at, int count) {
  if (at >= static_cast<int>(sizes.size())) return;
  if (count > 0) {
    sizes.insert(sizes.begin() + at, static_cast<std::size_t>(count), -1.0);
  } else {
    int end = std::min(static_cast<int>(sizes.size()), at - count);
    sizes.erase(sizes.begin() + at, sizes.begin() + end);
  }
}

// The text a copy would be typed as: a plain cell's data text, else its value.
std::string inputText(const BlockEditor::CellCopy& copy) {
  bool plain = copy.formula.empty() && (copy.value.isText() || copy.value.isNumber());
  return plain ? copy.value.text : valueText(copy.value);
}

}  // namespace

BlockEditor::BlockEditor(SheetContent& content) : content_(content) {
  parser_.setLengthLimit(4 * kMaxFormulaLength);
}

CompiledFormula BlockEditor::compile(std::string_view text, CellPos host, bool unreadable) {
  CompiledFormula f;
  // A rewritten formula always parses; should it outgrow every bound, the
  // cell keeps an error rather than a formula that no longer says the same.
  // A formula that never parsed keeps its text, as it was loaded.
  if (!parser_.compile(text, host.col, host.row, f)) {
    if (unreadable) return unreadableFormula(text);
    parser_.compile("#REF!", host.col, host.row, f);
  }
  return f;
}

void BlockEditor::remapFormulas(const ReferenceMap& map) {
  content_.cells.forEach([&](Cell& c, int row) {
    if (!c.hasFormula()) return;
    CellPos host{c.col, row};
    std::optional<CellPos> to = map.cell(host);
    if (!to) return;  // the cell itself goes
    std::string_view text = c.formula.text();
    std::string rewritten = rewriteReferences(text, host, *to, &map);
    if (rewritten != text || !(*to == host))
      c.formula = compile(rewritten, *to, isUnreadable(c.formula));
  });
}

void BlockEditor::insertRows(int at, int count) {
  ShiftMap map(true, at, count, content_.maxRows);
  remapFormulas(map);
  content_.cells.insertRows(at, count, content_.maxRows);
  content_.spans.remap([&](const Area& a) { return map.area(a); });
  shiftSizes(content_.rowHeights, at, count);
}

void BlockEditor::deleteRows(int at, int count) {
  ShiftMap map(true, at, -count, content_.maxRows);
  remapFormulas(map);
  content_.cells.deleteRows(at, count);
  content_.spans.remap([&](const Area& a) { return map.area(a); });
  shiftSizes(content_.rowHeights, at, -count);
}

void BlockEditor::insertCols(int at, int count) {
  ShiftMap map(false, at, count, content_.maxCols);
  remapFormulas(map);
  content_.cells.insertCols(at, count, content_.maxCols);
  content_.spans.remap([&](const Area& a) { return map.area(a); });
  shiftSizes(content_.colWidths, at, count);
}

void BlockEditor::deleteCols(int at, int count) {
  ShiftMap map(false, at, -count, content_.maxCols);
  remapFormulas(map);
  content_.cells.deleteCols(at, count);
  content_.spans.remap([&](const Area& a) { return map.area(a); });
  shiftSizes(content_.colWidths, at, -count);
}

void BlockEditor::move(const Area& from, CellPos to) {
  int dc = to.col - from.col1, dr = to.row - from.row1;
  MoveMap map(from, dc, dr, false);
  remapFormulas(map);
  auto moving = content_.cells.take(from);
  content_.cells.take(shifted(from, dc, dr));
  for (auto& [p, cell] : moving) content_.cells.put(p.col + dc, p.row + dr, std::move(cell));
  content_.spans.remap([&](const Area& a) { return map.area(a); });
}

void BlockEditor::swap(const Area& a, CellPos to) {
  int dc = to.col - a.col1, dr = to.row - a.row1;
  MoveMap map(a, dc, dr, true);
  remapFormulas(map);
  auto first = content_.cells.take(a);
  auto second = content_.cells.take(shifted(a, dc, dr));
  for (auto& [p, cell] : first) content_.cells.put(p.col + dc, p.row + dr, std::move(cell));
  for (auto& [p, cell] : second) content_.cells.put(p.col - dc, p.row - dr, std::move(cell));
  content_.spans.remap([&](const Area& s) { return map.area(s); });
}

BlockEditor::Block BlockEditor::snapshot(const Area& a) const {
  Block b;
  b.origin = {a.col1, a.row1};
  b.width = a.width();
  b.height = a.height();
  content_.cells.forEachIn(a, [&](const Cell& c, int row) {
    CellCopy copy;
    copy.dc = c.col - a.col1;
    copy.dr = row - a.row1;
    copy.value = c.value;
    if (c.hasFormula()) {
      copy.formula.assign(c.formula.text());
      copy.unreadable = isUnreadable(c.formula);
    }
    if (c.tag) copy.tag = *c.tag, copy.hasTag = true;
    copy.format = content_.formats.at(c.format);
    b.cells.push_back(std::move(copy));
  });
  return b;
}

void BlockEditor::paste(const Block& block, CellPos to) {
  Area dest{to.col, to.row, std::min(to.col + block.width - 1, content_.maxCols),
            std::min(to.row + block.height - 1, content_.maxRows)};
  content_.cells.take(dest);
  for (const CellCopy& copy : block.cells) {
    CellPos p{to.col + copy.dc, to.row + copy.dr};
    if (!dest.contains(p.col, p.row)) continue;
    Cell& c = content_.cells.obtain(p.col, p.row);
    c.value = copy.value;
    if (!copy.formula.empty()) {
      if (p.col >= 1 && p.row >= 1) {
        CellPos from{block.origin.col + copy.dc, block.origin.row + copy.dr};
        c.formula = compile(rewriteReferences(copy.formula, from, p, nullptr), p, copy.unreadable);
      } else {
        std::string result = valueText(copy.value);  // no formulas in the headers: keep the result
        c.value = result.empty() ? Value{} : Value::makeText(std::move(result));
      }
    }
    if (copy.hasTag) c.tag = std::make_unique<std::string>(copy.tag);
    c.format = content_.formats.intern(copy.format);
    if (c.isBlank()) content_.cells.erase(p.col, p.row);
  }
}

int BlockEditor::pasteInput(const Block& block, CellPos to,
                            const std::function<bool(int col, int row)>& takesInput) {
  Area dest{to.col, to.row, std::min(to.col + block.width - 1, content_.maxCols),
            std::min(to.row + block.height - 1, content_.maxRows)};
  std::vector<const CellCopy*> copies(
      static_cast<std::size_t>(dest.width()) * static_cast<std::size_t>(dest.height()), nullptr);
  for (const CellCopy& copy : block.cells)
    if (dest.contains(to.col + copy.dc, to.row + copy.dr))
      copies[static_cast<std::size_t>(copy.dr) * static_cast<std::size_t>(dest.width()) +
             static_cast<std::size_t>(copy.dc)] = &copy;
  int skipped = 0;
  for (int row = dest.row1; row <= dest.row2; ++row) {
    for (int col = dest.col1; col <= dest.col2; ++col) {
      const CellCopy* copy = copies[static_cast<std::size_t>(row - dest.row1) *
                                        static_cast<std::size_t>(dest.width()) +
                                    static_cast<std::size_t>(col - dest.col1)];
      Cell* old = content_.cells.find(col, row);
      bool hasContent = copy && (!copy->value.isEmpty() || !copy->formula.empty());
      bool oldContent = old && (!old->value.isEmpty() || old->hasFormula());
      if (!hasContent && !oldContent && !copy) continue;
      if (!takesInput(col, row)) {
        if (hasContent || oldContent) ++skipped;
        continue;
      }
      CellFormat format = content_.formats.at(old ? old->format : 0);
      Value value;
      CompiledFormula formula;
      if (copy && !copy->formula.empty() && format.type.kind == CellKind::General) {
        CellPos from{block.origin.col + copy->dc, block.origin.row + copy->dr};
        formula = compile(rewriteReferences(copy->formula, from, {col, row}, nullptr), {col, row},
                          copy->unreadable);
        value = copy->value;
      } else if (copy && !interpretInput(format.type, inputText(*copy), value)) {
        ++skipped;  // the type refuses the text, as it would refuse it typed
        continue;
      }
      if (copy) {
        // Looks travel with the cells; what the cell is and whether it is
        // locked stay the destination's.
        CellFormat looks = copy->format;
        looks.type = format.type;
        looks.locked = format.locked;
        format = looks;
      }
      Cell& c = content_.cells.obtain(col, row);
      c.value = std::move(value);
      c.formula = std::move(formula);
      c.format = content_.formats.intern(format);
      if (c.isBlank()) content_.cells.erase(col, row);
    }
  }
  return skipped;
}

}  // namespace grid
