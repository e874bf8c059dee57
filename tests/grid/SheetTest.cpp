#include <gtest/gtest.h>

#include "platform/grid/Clipboard.h"
#include "tests/grid/GridTestUtil.h"

using namespace grid;
using gridtest::fill;

TEST(SheetModel, StartsEmptyAndRefusesCellsOutside) {
  Sheet s;
  EXPECT_EQ(s.maxCols(), 0);
  EXPECT_EQ(s.maxRows(), 0);
  EXPECT_TRUE(s.setData(0, 0, "corner"));  // the corner cell always exists
  EXPECT_FALSE(s.setData(1, 1, "x"));
  ASSERT_TRUE(s.setMaxCols(3));
  ASSERT_TRUE(s.setMaxRows(2));
  EXPECT_TRUE(s.setData(3, 2, "x"));
  EXPECT_FALSE(s.setData(4, 2, "x"));
  EXPECT_FALSE(s.setData(-1, 1, "x"));
  EXPECT_FALSE(s.setMaxCols(-1));
  EXPECT_FALSE(s.setMaxRows(kMaxRows + 1));
  EXPECT_EQ(s.getData(9, 9), "");
}

TEST(SheetModel, ShrinkingDropsCellsBeyond) {
  Sheet s;
  fill(s, {{"A1", "1"}, {"C3", "3"}, {"B2", "=C3*2"}});
  ASSERT_TRUE(s.setMaxRows(2));
  EXPECT_EQ(s.getData(3, 3), "");
  s.setMaxRows(3);
  EXPECT_EQ(s.getData(3, 3), "");  // gone, not hidden
  s.reCalc();
  EXPECT_EQ(s.getValue(2, 2), "0");
}

TEST(SheetModel, DataValueAndFormulaTexts) {
  Sheet s;
  fill(s, {{"A1", "1.50"}, {"A2", "abc"}, {"A3", "=A1*2"}});
  s.setMaxRows(5);
  EXPECT_EQ(s.getData(1, 1), "1.50");  // as written
  EXPECT_EQ(s.getValue(1, 1), "1.5");  // as a number
  EXPECT_TRUE(s.value(1, 1).isNumber());
  EXPECT_EQ(s.getValue(1, 2), "abc");
  EXPECT_EQ(s.getFormula(1, 3), "A1*2");
  EXPECT_EQ(s.getData(1, 3), "3");        // a formula cell's data is its value
  EXPECT_TRUE(s.setData(1, 3, "plain"));  // data replaces the formula
  EXPECT_EQ(s.getFormula(1, 3), "");
  EXPECT_TRUE(s.setData(1, 4, "=not a formula"));
  EXPECT_FALSE(s.hasFormula(1, 4));
  EXPECT_TRUE(s.setFormula(1, 1, ""));  // removing a formula that is not there
  EXPECT_EQ(s.getData(1, 1), "1.50");
  ASSERT_TRUE(s.setFormula(1, 5, "=1+1"));
  EXPECT_TRUE(s.setFormula(1, 5, "="));
  EXPECT_FALSE(s.hasFormula(1, 5));
  EXPECT_EQ(s.getValue(1, 5), "");
}

TEST(SheetModel, TagsAreKeptPerCellWithRawBytes) {
  Sheet s;
  std::string tag =
      "key\xA4"
      "1\xA4value";
  EXPECT_TRUE(s.setCellTag(0, 0, tag));
  EXPECT_EQ(s.getCellTag(0, 0), tag);
  EXPECT_TRUE(s.setCellTag(0, 0, ""));
  EXPECT_EQ(s.getCellTag(0, 0), "");
  EXPECT_EQ(s.cellCount(), 0u);
}

TEST(NumberCells, RoundToDecimalsAndClampToRange) {
  Sheet s;
  s.setMaxCols(2);
  s.setMaxRows(5);
  ASSERT_TRUE(s.setTypeNumber({1, 1, 1, 5}, 0, -10, 10, false));
  EXPECT_TRUE(s.setData(1, 1, "2.5"));
  EXPECT_EQ(s.getValue(1, 1), "3");
  EXPECT_TRUE(s.setData(1, 2, "-2.5"));
  EXPECT_EQ(s.getValue(1, 2), "-3");
  EXPECT_TRUE(s.setValue(1, 3, "99"));
  EXPECT_EQ(s.getValue(1, 3), "10");
  EXPECT_FALSE(s.setData(1, 4, "abc"));  // refused, cell unchanged
  EXPECT_EQ(s.getData(1, 4), "");
  EXPECT_TRUE(s.setData(1, 4, " 1,234 "));
  EXPECT_EQ(s.getValue(1, 4), "10");
  EXPECT_TRUE(s.setData(1, 1, ""));
  EXPECT_TRUE(s.value(1, 1).isEmpty());
  ASSERT_TRUE(s.setTypeNumber({2, 1, 2, 1}, 2, -1e14, 1e14, true));
  EXPECT_TRUE(s.setData(2, 1, "1234567.891"));
  EXPECT_EQ(s.getValue(2, 1), "1234567.89");
  EXPECT_EQ(s.displayText(2, 1), "1,234,567.89");
  EXPECT_EQ(s.cellTypeCode(2, 1), 2);
}

TEST(NumberCells, FormulaResultsKeepTheirPrecision) {
  Sheet s;
  fill(s, {{"A1", "1"}, {"A2", "3"}});
  s.setMaxCols(2);
  s.setTypeNumber({2, 1, 2, 1}, 2, -100, 100, false);
  ASSERT_TRUE(s.setFormula(2, 1, "=A1/A2"));
  EXPECT_EQ(s.getValue(2, 1), "0.333333333333333");
  EXPECT_EQ(s.displayText(2, 1), "0.33");
}

TEST(CellTypes, TextCellsKeepNumbersAsText) {
  Sheet s;
  fill(s, {{"A1", "12"}, {"A2", "5"}});
  ASSERT_TRUE(s.setTypeEdit({1, 1, 1, 1}, 0x110000, 4));
  EXPECT_TRUE(s.value(1, 1).isText());  // retyped data follows the type
  EXPECT_FALSE(s.setData(1, 1, "12345"));
  EXPECT_EQ(s.getData(1, 1), "12");
  EXPECT_EQ(gridtest::eval(s, "=A1+A2"), "17");
  EXPECT_EQ(gridtest::eval(s, "=SUM(A1:A2)"), "5");
  ASSERT_TRUE(s.setTypeGeneral({1, 1, 1, 1}));
  EXPECT_TRUE(s.value(1, 1).isNumber());
}

TEST(CellTypes, ParametersAreKept) {
  Sheet s;
  s.setMaxCols(8);
  s.setMaxRows(2);
  EXPECT_TRUE(s.setTypeComboBox({1, 1, 1, 2}, 0x100002, "a\tb\tc", true));
  EXPECT_EQ(s.getCellType(1, 2).comboItems(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(s.getCellType(1, 2).editable);
  EXPECT_TRUE(s.setTypeCheckBox({2, 1, 2, 2}, 0x300, "", 8134, 8136));
  EXPECT_EQ(s.cellTypeCode(2, 1), 12);
  EXPECT_TRUE(s.setData(2, 1, "1"));
  EXPECT_EQ(s.getValue(2, 1), "1");
  EXPECT_TRUE(s.setTypeButton({3, 1, 3, 1}, 0, "Go"));
  EXPECT_EQ(s.displayText(3, 1), "Go");
  EXPECT_TRUE(s.setTypePicture({4, 1, 4, 1}, 0x24, "pic.bmp"));
  EXPECT_EQ(s.cellTypeCode(4, 1), 8);
  EXPECT_EQ(s.getCellType(4, 1).text, "pic.bmp");
  EXPECT_TRUE(s.setTypePictureHandle({5, 1, 5, 1}, 0x210024, 251));
  EXPECT_EQ(s.getCellType(5, 1).handle, 251u);
  EXPECT_TRUE(s.setTypeStaticText({6, 0, 6, 2}, 140));
  EXPECT_EQ(s.cellTypeCode(6, 0), 5);
  EXPECT_FALSE(s.setTypeEdit({1, 1, 9, 1}, 0, 0));  // block outside the sheet
  EXPECT_FALSE(s.setTypeNumber({1, 1, 1, 1}, 16, 0, 1, false));
}

TEST(CellTypes, TypingACellAgainChangesOnlyWhatDiffers) {
  Sheet s;
  s.setMaxCols(2);
  s.setMaxRows(2);
  fill(s, {{"A1", "12.345"}});
  ASSERT_TRUE(s.setTypeNumber({1, 1, 1, 1}, 2, -100, 100, false));
  ASSERT_TRUE(s.setTypeNumber({1, 1, 1, 1}, 2, -100, 100, false));
  EXPECT_EQ(s.getCellType(1, 1).decimals, 2);
  EXPECT_TRUE(s.value(1, 1).isNumber());
  // Another parameter of the same kind of type still applies.
  ASSERT_TRUE(s.setTypeNumber({1, 1, 1, 1}, 1, -100, 100, false));
  EXPECT_EQ(s.getCellType(1, 1).decimals, 1);
  // A cell outside the sheet is refused even with the type every cell has.
  EXPECT_FALSE(s.setTypeGeneral({3, 3, 3, 3}));
  EXPECT_TRUE(s.setTypeGeneral({2, 2, 2, 2}));
}

TEST(Formats, ARetypedFormatIsTheInternedOneAndNoKeptAnswerOutlivesASweep) {
  FormatTable table;
  CellFormat locked;
  locked.locked = true;
  const std::uint32_t from = table.intern(locked);
  CellType number;
  number.kind = CellKind::Number;
  number.decimals = 7;
  const std::uint32_t to = table.retype(from, number);
  CellFormat expected = locked;
  expected.type = number;
  EXPECT_EQ(table.at(to), expected);
  EXPECT_EQ(table.retype(from, number), to);
  CellType fewer = number;
  fewer.decimals = 2;
  const std::uint32_t other = table.retype(from, fewer);
  EXPECT_NE(other, to);
  EXPECT_EQ(table.at(other).type, fewer);
  // The sweep drops the plain locked format: the indexes move down.
  std::vector<std::uint32_t> remap;
  table.compact({true, false, true, true}, remap);
  const std::uint32_t moved = remap[to];
  EXPECT_EQ(table.at(table.retype(moved, number)), expected);
  EXPECT_EQ(table.retype(moved, number), moved);
}

TEST(Formats, LocksColoursBordersFontsShareFormats) {
  Sheet s;
  s.setMaxCols(100);
  s.setMaxRows(100);
  ASSERT_TRUE(s.setLockRange({1, 1, 100, 100}, true));
  EXPECT_TRUE(s.getLock(50, 50));
  EXPECT_FALSE(s.getLock(0, 50));
  EXPECT_LE(s.content().formats.size(), 3u);  // 10,000 cells, one format
  ASSERT_TRUE(s.setColor({2, 2, 2, 2}, 0xFFD1A4, 0x8000000B));
  std::uint32_t bg = 0, fg = 0;
  EXPECT_TRUE(s.getColor(2, 2, bg, fg));
  EXPECT_EQ(bg, 0xFFD1A4u);
  EXPECT_TRUE(s.getLock(2, 2));  // other attributes stay
  ASSERT_TRUE(s.setBorder({3, 3, 3, 3}, 0x1F, 1, 0x8000000B));
  EXPECT_EQ(s.getBorder(3, 3).type, 0x1Fu);
  ASSERT_TRUE(s.setFont({1, 0, 100, 0}, Font{"Tahoma", 15, true}));
  EXPECT_TRUE(s.getFont(5, 0).bold);
  EXPECT_EQ(s.getFont(5, 5).face, "Tahoma");             // the default filled in
  ASSERT_TRUE(s.setLockRange({-1, -1, -1, -1}, false));  // negative bounds: everything
  EXPECT_FALSE(s.getLock(100, 100));
}

TEST(Spans, CoverCellsAndNeverOverlap) {
  Sheet s;
  s.setMaxCols(5);
  s.setMaxRows(10);
  ASSERT_TRUE(s.addCellSpan(1, 1, 1, 2));
  ASSERT_TRUE(s.addCellSpan(1, 4, 1, 3));
  int c = 0, r = 0, w = 0, h = 0;
  ASSERT_TRUE(s.getCellSpan(1, 6, c, r, w, h));
  EXPECT_EQ(c, 1);
  EXPECT_EQ(r, 4);
  EXPECT_EQ(h, 3);
  EXPECT_FALSE(s.getCellSpan(1, 3, c, r, w, h));
  EXPECT_FALSE(s.addCellSpan(1, 2, 2, 1));  // overlaps the first
  EXPECT_TRUE(s.addCellSpan(1, 1, 2, 1));   // same anchor: replaced
  EXPECT_FALSE(s.getCellSpan(1, 2, c, r, w, h));
  EXPECT_TRUE(s.addCellSpan(2, 8, 5, 1));  // may reach past the last column
  EXPECT_TRUE(s.removeCellSpan(4, 8));     // removed from any of its cells
  EXPECT_FALSE(s.getCellSpan(2, 8, c, r, w, h));
  EXPECT_FALSE(s.removeCellSpan(5, 10));
  EXPECT_FALSE(s.addCellSpan(6, 1, 2, 1));
}

TEST(Options, PlainFlagsByNumber) {
  Sheet s;
  EXPECT_FALSE(s.getBool(7));
  EXPECT_TRUE(s.getBool(8));
  EXPECT_TRUE(s.setBool(13, true));
  EXPECT_TRUE(s.getBool(13));
  EXPECT_TRUE(s.setBool(30, true));
  EXPECT_FALSE(s.setBool(-1, true));
  EXPECT_FALSE(s.setBool(kMaxOptions, true));
  EXPECT_FALSE(s.getBool(1000));
}

namespace {
struct CountingListener : SheetListener {
  int cells = 0, layouts = 0;
  void cellChanged(int, int) override { ++cells; }
  void layoutChanged() override { ++layouts; }
};
}  // namespace

TEST(Options, RepaintingOffSilencesTheListener) {
  Sheet s;
  CountingListener l;
  s.setListener(&l);
  s.setMaxCols(2);
  s.setMaxRows(2);
  s.setData(1, 1, "a");
  EXPECT_EQ(l.cells, 1);
  s.setBool(8, false);
  s.setData(1, 2, "b");
  s.setMaxRows(5);
  EXPECT_EQ(l.cells, 1);
  int layouts = l.layouts;
  s.setBool(8, true);
  EXPECT_EQ(l.layouts, layouts + 1);
  s.setListener(nullptr);
}

TEST(Selection, ActiveCellBlockAndEditState) {
  Sheet s;
  int c = 0, r = 0;
  EXPECT_FALSE(s.getActiveCell(c, r));
  s.setMaxCols(4);
  s.setMaxRows(4);
  EXPECT_TRUE(s.setActiveCell(2, 3));
  EXPECT_TRUE(s.getActiveCell(c, r));
  EXPECT_EQ(c, 2);
  EXPECT_EQ(r, 3);
  EXPECT_FALSE(s.setActiveCell(5, 1));
  Area a;
  EXPECT_FALSE(s.getSelectBlock(a));
  EXPECT_TRUE(s.setSelectBlock({1, 2, 4, 2}));
  EXPECT_TRUE(s.getSelectBlock(a));
  EXPECT_EQ(a, (Area{1, 2, 4, 2}));
  EXPECT_TRUE(s.setSelectBlock({-1, 2, -1, 3}));
  EXPECT_FALSE(s.setSelectBlock({1, 1, 9, 1}));
  int start = 0, end = 0;
  EXPECT_FALSE(s.setSel(0, 2));  // only while editing
  s.setEditMode(true);
  EXPECT_TRUE(s.setSel(1, 3));
  EXPECT_TRUE(s.getSel(start, end));
  EXPECT_EQ(end, 3);
  s.setEditMode(false);
  EXPECT_FALSE(s.getSel(start, end));
}

TEST(ClipboardCopyPaste, BlocksTravelWithFormulasAndFormats) {
  Sheet a, b;
  fill(a, {{"A1", "1"}, {"A2", "2"}, {"B1", "=A1*10"}, {"B2", "=$A$1+A2"}});
  a.setColor({2, 1, 2, 1}, 0x123456, 0);
  ASSERT_TRUE(a.setSelectBlock({1, 1, 2, 2}));
  ASSERT_TRUE(a.clipboardCopy());
  EXPECT_EQ(Clipboard::instance().text(), "1\t10\r\n2\t3\r\n");
  b.setMaxCols(5);
  b.setMaxRows(5);
  ASSERT_TRUE(b.setActiveCell(3, 3));
  ASSERT_TRUE(b.clipboardPaste());
  EXPECT_EQ(b.getFormula(4, 3), "C3*10");
  EXPECT_EQ(b.getFormula(4, 4), "$A$1+C4");
  std::uint32_t bg = 0, fg = 0;
  b.getColor(4, 3, bg, fg);
  EXPECT_EQ(bg, 0x123456u);
  b.reCalc();
  EXPECT_EQ(b.getValue(4, 3), "10");
  Clipboard::instance().setText("x\ty\r\n7\t=text");
  ASSERT_TRUE(b.clipboardPaste());
  EXPECT_EQ(b.getData(3, 3), "x");
  EXPECT_EQ(b.getValue(3, 4), "7");
  EXPECT_FALSE(b.hasFormula(4, 4));  // pasted text is data
  Clipboard::instance().clear();
}

TEST(TextMeasures, WidestAndTallestText) {
  Sheet s;
  fill(s, {{"A1", "abc"}, {"A2", "abcdefghij"}, {"B1", "x"}});
  s.setData(2, 2, "two\nlines");
  double w1 = 0, h1 = 0, w2 = 0, h2 = 0;
  ASSERT_TRUE(s.getMaxTextCellSize(1, 1, w1, h1));
  ASSERT_TRUE(s.getMaxTextCellSize(1, 2, w2, h2));
  EXPECT_GT(w2, w1);
  EXPECT_EQ(h1, h2);
  double width = 0, height = 0;
  ASSERT_TRUE(s.getMaxTextColWidth(1, width));
  EXPECT_EQ(width, w2);
  ASSERT_TRUE(s.getMaxTextRowHeight(2, height));
  EXPECT_GT(height, h2);  // two lines
  EXPECT_FALSE(s.getMaxTextRowHeight(2000, height));
  s.setFont({1, 2, 1, 2}, Font{"Tahoma", 30, false});
  double w3 = 0, h3 = 0;
  s.getMaxTextCellSize(1, 2, w3, h3);
  EXPECT_GT(w3, w2);
  EXPECT_TRUE(s.setColWidth(1, w3));
  EXPECT_DOUBLE_EQ(s.colWidth(1), w3);
  EXPECT_TRUE(s.setRowHeight(0, 25));
  EXPECT_DOUBLE_EQ(s.rowHeight(0), 25);
  EXPECT_TRUE(s.setColWidthInPixels(2, 70));
  EXPECT_EQ(s.colWidthInPixels(2), 70);
  EXPECT_FALSE(s.setRowHeight(1, -3));
}

TEST(Formats, UnusedFormatsAreSweptAway) {
  Sheet s;
  s.setMaxCols(1);
  s.setMaxRows(1);
  for (std::uint32_t colour = 0; colour < 20000; ++colour)
    ASSERT_TRUE(s.setColor({1, 1, 1, 1}, colour, 0));
  EXPECT_LT(s.content().formats.size(), 10000u);
  std::uint32_t bg = 0, fg = 0;
  s.getColor(1, 1, bg, fg);
  EXPECT_EQ(bg, 19999u);
}
