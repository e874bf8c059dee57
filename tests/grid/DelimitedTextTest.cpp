#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "platform/grid/file/DelimitedText.h"

namespace {

using grid::SheetContent;

constexpr std::size_t kOnePass = std::numeric_limits<std::size_t>::max();
constexpr std::size_t kAlwaysHalved = 0;

// Everything a read leaves behind, in a form tests can compare.
struct Read {
  bool ok = false;
  std::string error;
  std::vector<std::string> warnings;
  int maxCols = 0, maxRows = 0;
  std::size_t cellCount = 0;
  // row, column, kind, data or text, number, formula text, program
  std::vector<
      std::tuple<int, int, int, std::string, double, std::string, std::vector<std::uint32_t>>>
      cells;

  bool operator==(const Read&) const = default;
};

Read read(const std::string& text, std::size_t inPartsFrom, bool handedOver = false) {
  SheetContent content;
  Read r;
  r.ok = grid::readDelimitedText(text, "t.csv", content, r.error, &r.warnings, inPartsFrom,
                                 handedOver);
  // What a failed read leaves behind is no result: callers drop it.
  if (!r.ok) {
    r.warnings.clear();
    return r;
  }
  r.maxCols = content.maxCols;
  r.maxRows = content.maxRows;
  r.cellCount = content.cells.cellCount();
  content.cells.forEach([&](const grid::Cell& c, int row) {
    auto code = c.formula.code();
    r.cells.emplace_back(row, c.col, static_cast<int>(c.value.kind), c.value.text, c.value.number,
                         std::string(c.formula.text()),
                         std::vector<std::uint32_t>(code.begin(), code.end()));
  });
  return r;
}

void expectSameAsOnePass(const std::string& text) {
  Read one = read(text, kOnePass), halved = read(text, kAlwaysHalved);
  EXPECT_EQ(one, halved) << "text: " << text << "\none pass: " << one.error
                         << "\nhalved: " << halved.error;
}

// Records of every kind a split may fall into: quoted fields running over
// lines, doubled quotes, a quote inside an unquoted field, CR and CRLF line
// ends, empty lines, formulas copied down and formulas that do not compile.
std::string mixedRecords(int rows) {
  std::string text;
  for (int r = 1; r <= rows; ++r) {
    std::string n = std::to_string(r);
    switch (r % 6) {
      case 0:
        text += n + ",\"two\nlines\nhere\"," + "=A" + n + "*2\n";
        break;
      case 1:
        text += n + ",\"say \"\"hi\"\"\",=A" + n + "+1\r\n";
        break;
      case 2:
        text += n + ",ab\"c,\"=IF(A" + n + ">3,A" + n + ",0)\"\r";
        break;
      case 3:
        text += n + ",x,=1+\n";
        break;
      case 4:
        text += n + ",caf\xC3\xA9,=SUM(A1:A" + n + ")\n";
        break;
      default:
        text += "\n";
    }
  }
  return text;
}

}  // namespace

TEST(DelimitedTextHalves, ReadAsOnePassWhereverTheMiddleFalls) {
  // Growing the text one byte at a time moves the middle over every kind
  // of place: record starts, quoted line breaks, doubled quotes, CRLF.
  std::string base = mixedRecords(30);
  for (std::size_t pad = 0; pad < 160; ++pad) {
    std::string text = std::string(pad % 7, 'p') + "," + std::to_string(pad) + "\n" + base;
    if (pad % 2) text += "last";
    if (pad % 3 == 0) text += "\n\n";
    expectSameAsOnePass(text);
  }
}

TEST(DelimitedTextHalves, SmallAndDegenerateTexts) {
  for (const char* text : {"a", "a\n", "\n\n\n", "a,b\n\n", "\"x\ny\"", "=A1\n=A2", "1;2\n3;4\n",
                           "1\t2\n\"\n\n\n\n\n\"\t3\n", "\"\"\"\"\n\"\"", "x\r\r\r\ny"})
    expectSameAsOnePass(text);
}

TEST(DelimitedTextHalves, AQuotedFieldOverTheMiddleStaysWhole) {
  std::string inside(400, '\n');
  std::string text = "1,2\n3,\"" + inside + "\"\n5,=A1+1\n6,=1+\n";
  Read r = read(text, kAlwaysHalved);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.maxRows, 4);
  ASSERT_EQ(r.cells.size(), 8u);
  EXPECT_EQ(std::get<3>(r.cells[3]), inside);
  // The lines inside the field count for the lines after it.
  ASSERT_EQ(r.warnings.size(), 1u);
  EXPECT_NE(r.warnings[0].find("line 404, cell B4"), std::string::npos) << r.warnings[0];
}

TEST(DelimitedTextHalves, FaultsInTheSecondHalfNameTheirLine) {
  std::string good;
  for (int r = 1; r <= 200; ++r)
    good += std::to_string(r) + ",\"a\nb\",=A" + std::to_string(r) + "\n";
  // 200 records over 400 lines; the faults come on line 401.
  struct Fault {
    const char* record;
    const char* message;
  } faults[] = {
      {"\"open,1\n2,3\n", "t.csv: line 401: a quoted field is not closed"},
      {"\"closed\"x,1\n", "t.csv: line 401, cell A201: text after the closing quote"},
  };
  for (const Fault& f : faults) {
    std::string text = good + f.record;
    Read halved = read(text, kAlwaysHalved);
    EXPECT_FALSE(halved.ok);
    EXPECT_EQ(halved.error, f.message);
    EXPECT_EQ(halved, read(text, kOnePass));
  }
  // The first half's fault is the one reported, though the second has one too.
  std::string text = "\"a\"b\n" + good + "\"open\n";
  EXPECT_EQ(read(text, kAlwaysHalved).error,
            "t.csv: line 1, cell A1: text after the closing quote");
}

TEST(DelimitedTextHalves, WarningsKeepTheirOrderAndLines) {
  std::string text;
  for (int r = 1; r <= 300; ++r) text += std::to_string(r) + (r % 100 == 0 ? ",=1+\n" : ",=A1\n");
  Read r = read(text, kAlwaysHalved);
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.warnings.size(), 3u);
  EXPECT_NE(r.warnings[0].find("line 100, cell B100"), std::string::npos) << r.warnings[0];
  EXPECT_NE(r.warnings[1].find("line 200, cell B200"), std::string::npos) << r.warnings[1];
  EXPECT_NE(r.warnings[2].find("line 300, cell B300"), std::string::npos) << r.warnings[2];
  EXPECT_EQ(r, read(text, kOnePass));
}

TEST(DelimitedTextHalves, TheRowLimitHoldsOverBothHalves) {
  std::string text(static_cast<std::size_t>(grid::kMaxRows), '\n');
  text += "x\n";
  Read halved = read(text, kAlwaysHalved);
  EXPECT_FALSE(halved.ok);
  EXPECT_EQ(halved.error, "t.csv: more than 1048576 rows");
  text.resize(text.size() - 3);
  text += "x\n";  // the last row there is
  halved = read(text, kAlwaysHalved);
  ASSERT_TRUE(halved.ok) << halved.error;
  EXPECT_EQ(halved.maxRows, grid::kMaxRows);
  EXPECT_EQ(halved.cells.size(), 1u);
}

TEST(DelimitedTextHalves, AHandedOverTextIsGivenBackAsItIsRead) {
  std::string text = mixedRecords(240000);
  ASSERT_GT(text.size(), std::size_t{5} << 20);
  Read one = read(text, kOnePass);
  std::string handed = text;
  EXPECT_EQ(read(handed, grid::kReadInPartsFrom, true), one);
  // Pages given back read as zeros, which no CSV file here holds.
  EXPECT_GT(std::count(handed.begin(), handed.end(), '\0'), 1 << 20);
  // A fault past the middle is reported as one pass reports it, with no
  // second reading of a text that is partly gone.
  text += "\"open\n";
  handed = text;
  Read faulty = read(handed, grid::kReadInPartsFrom, true);
  EXPECT_FALSE(faulty.ok);
  EXPECT_EQ(faulty.error, read(text, kOnePass).error);
}

TEST(CellStoreAppend, RowsMoveInAndOverlapsKeepEveryCell) {
  grid::CellStore top, bottom;
  top.obtain(1, 1).value = grid::Value::makeNumber(1);
  top.obtain(3, 2).value = grid::Value::makeNumber(2);
  bottom.obtain(2, 2).value = grid::Value::makeNumber(3);  // a row both hold
  bottom.obtain(3, 2).value = grid::Value::makeNumber(4);  // a cell both hold: the newer wins
  bottom.obtain(1, 5).value = grid::Value::makeNumber(5);
  top.appendRows(std::move(bottom));
  EXPECT_EQ(top.cellCount(), 4u);
  EXPECT_EQ(bottom.cellCount(), 0u);
  EXPECT_EQ(top.value(1, 1).number, 1);
  EXPECT_EQ(top.value(2, 2).number, 3);
  EXPECT_EQ(top.value(3, 2).number, 4);
  EXPECT_EQ(top.value(1, 5).number, 5);
  EXPECT_EQ(top.rowLimit(), 6);
}
