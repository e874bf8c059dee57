// Fuzz target: the bytes describe a small sheet of numbers and well-formed
// formulas over them. Checks what must hold whatever the formulas compute:
// - the values do not depend on the order the cells were entered in;
// - editing a cell with automatic recalculation on gives the values a full
//   recalculation of the edited sheet gives;
// - saving the sheet and loading it again changes no value.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/grid/Sheet.h"
#include "platform/grid/SheetContent.h"
#include "platform/grid/file/SheetFile.h"

namespace {
constexpr int kCols = 4, kRows = 5;

// Reads the input a byte at a time; zeros once it runs out.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  unsigned next() { return at_ < size_ ? data_[at_++] : 0; }
  unsigned below(unsigned n) { return next() % n; }

 private:
  const std::uint8_t* data_;
  std::size_t size_, at_ = 0;
};

std::string cellName(int col, int row) {
  return std::string(1, static_cast<char>('A' + col - 1)) + std::to_string(row);
}

std::string number(Bytes& in) {
  int v = static_cast<int>(in.next()) - 128;
  return in.below(2) ? std::to_string(v) : std::to_string(v) + "." + std::to_string(in.below(100));
}

std::string expression(Bytes& in, int depth) {
  unsigned pick = depth >= 3 ? in.below(2) : in.below(9);
  switch (pick) {
    case 0:
      return number(in);
    case 1:
      return cellName(1 + static_cast<int>(in.below(kCols)), 1 + static_cast<int>(in.below(kRows)));
    case 2: {
      static const char* ops[] = {"+", "-", "*", "/", "^", "&", "=", "<", ">="};
      return "(" + expression(in, depth + 1) + ops[in.below(9)] + expression(in, depth + 1) + ")";
    }
    case 3:
      return "IF(" + expression(in, depth + 1) + ">0," + expression(in, depth + 1) + "," +
             expression(in, depth + 1) + ")";
    case 4: {
      static const char* ranges[] = {"SUM", "MIN", "MAX", "AVERAGE", "COUNT", "PRODUCT"};
      int c1 = 1 + static_cast<int>(in.below(kCols)), r1 = 1 + static_cast<int>(in.below(kRows));
      int c2 = c1 + static_cast<int>(in.below(kCols - c1 + 1));
      int r2 = r1 + static_cast<int>(in.below(kRows - r1 + 1));
      return std::string(ranges[in.below(6)]) + "(" + cellName(c1, r1) + ":" + cellName(c2, r2) +
             ")";
    }
    case 5: {
      static const char* ones[] = {"ABS", "INT", "SQRT", "LN", "SIGN", "ISERROR", "LEN", "-"};
      return std::string(ones[in.below(8)]) + "(" + expression(in, depth + 1) + ")";
    }
    case 6:
      return "ROUND(" + expression(in, depth + 1) + "," + std::to_string(in.below(4)) + ")";
    case 7:
      return "MOD(" + expression(in, depth + 1) + "," + expression(in, depth + 1) + ")";
    default:
      return "IFERROR(" + expression(in, depth + 1) + "," + number(in) + ")";
  }
}

struct Entry {
  int col, row;
  std::string text;
  bool formula;
};

void enter(grid::Sheet& sheet, const Entry& e) {
  if (e.formula ? !sheet.setFormula(e.col, e.row, "=" + e.text)
                : !sheet.setData(e.col, e.row, e.text))
    std::abort();  // every generated text is valid
}

void makeSheet(grid::Sheet& sheet, bool autoCalc) {
  sheet.setMaxCols(kCols);
  sheet.setMaxRows(kRows);
  sheet.setBool(grid::kOptionAutoCalc, autoCalc);
}

bool same(const grid::Value& a, const grid::Value& b) {
  if (a.kind != b.kind) return false;
  switch (a.kind) {
    case grid::ValueKind::Number:
    case grid::ValueKind::Boolean:
      return a.number == b.number;
    case grid::ValueKind::Text:
      return a.text == b.text;
    case grid::ValueKind::Error:
      return a.error == b.error;
    default:
      return true;
  }
}

void expectSameValues(const grid::Sheet& a, const grid::Sheet& b) {
  for (int row = 1; row <= kRows; ++row)
    for (int col = 1; col <= kCols; ++col)
      if (!same(a.value(col, row), b.value(col, row))) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in(data, size);
  std::vector<Entry> entries;
  for (int row = 1; row <= kRows; ++row)
    for (int col = 1; col <= kCols; ++col) {
      unsigned kind = in.below(3);
      if (kind == 0) continue;
      if (kind == 1)
        entries.push_back({col, row, number(in), false});
      else
        entries.push_back({col, row, expression(in, 0), true});
    }
  if (entries.empty()) return 0;

  grid::Sheet forward, backward;
  makeSheet(forward, false);
  makeSheet(backward, false);
  for (const Entry& e : entries) enter(forward, e);
  for (auto e = entries.rbegin(); e != entries.rend(); ++e) enter(backward, *e);
  forward.reCalc();
  backward.reCalc();
  expectSameValues(forward, backward);

  // Entered one by one with automatic recalculation, then one cell edited.
  grid::Sheet live;
  makeSheet(live, true);
  for (const Entry& e : entries) enter(live, e);
  expectSameValues(live, forward);
  Entry& edited = entries[in.below(static_cast<unsigned>(entries.size()))];
  edited = in.below(2) ? Entry{edited.col, edited.row, number(in), false}
                       : Entry{edited.col, edited.row, expression(in, 0), true};
  enter(live, edited);
  grid::Sheet fresh;
  makeSheet(fresh, false);
  for (const Entry& e : entries) enter(fresh, e);
  fresh.reCalc();
  expectSameValues(live, fresh);

  // Saved and loaded again.
  grid::Sheet loaded;
  std::string error;
  if (!loaded.loadFromText(grid::writeSheetText(fresh.content(), false), "saved", error))
    std::abort();
  loaded.reCalc();
  expectSameValues(loaded, fresh);
  return 0;
}
