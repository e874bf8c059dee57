#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/base/AtomicFile.h"
#include "platform/grid/file/SheetFile.h"
#include "tests/grid/GridTestUtil.h"

using namespace grid;
using gridtest::fill;
namespace fs = std::filesystem;

namespace {
class SheetFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("grid-files-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  std::string write(const std::string& name, const std::string& text) const {
    std::ofstream(path(name), std::ios::binary) << text;
    return path(name);
  }
  fs::path dir_;
};
}  // namespace

TEST_F(SheetFiles, NativeFormatKeepsEverything) {
  Sheet a;
  fill(a, {{"A1", "Input"},
           {"B1", "1.50"},
           {"B2", "=B1*2"},
           {"C3", "=\"q\"\"uote\""},
           {"D4", "caf\xE9"}});
  a.setData(2, 0, "Width");
  a.setData(0, 2, "row two");
  a.setCellTag(0, 0,
               "a\xA4"
               "b");
  a.setData(1, 4, "=looks like a formula");
  a.setTypeNumber({2, 3, 2, 3}, 2, 0, 100, true);
  a.setData(2, 3, "12.345");
  a.setTypeComboBox({3, 1, 3, 1}, 0x100000, "x\ty", false);
  a.setLock(1, 1, true);
  a.setColor({1, 1, 1, 1}, 0xE6E6E6, 0);
  a.setBorder({1, 2, 1, 2}, 0x1F, 1, 0x8000000B);
  a.setFont({1, 0, 4, 0}, Font{"Arial", 15, true});
  a.addCellSpan(1, 3, 1, 2);
  a.setColWidth(2, 14.5);
  a.setRowHeight(1, 33);
  a.setBool(13, true);
  a.setActiveCell(2, 2);
  a.setSelectBlock({1, 1, 2, 2});
  a.settings().gridColor = 0x323232;
  a.reCalc();
  std::string error;
  ASSERT_TRUE(a.saveToFile(path("s.json"), error)) << error;

  Sheet b;
  ASSERT_TRUE(b.loadFromFile(path("s.json"), error)) << error;
  EXPECT_EQ(b.maxCols(), 4);
  EXPECT_EQ(b.maxRows(), 4);
  EXPECT_EQ(b.getData(2, 1), "1.50");
  EXPECT_EQ(b.getFormula(2, 2), "B1*2");
  EXPECT_EQ(b.getValue(2, 2), "3");  // the last computed value comes along
  EXPECT_EQ(b.getValue(3, 3), "q\"uote");
  EXPECT_EQ(b.getData(4, 4), "caf\xE9");
  EXPECT_EQ(b.getData(2, 0), "Width");
  EXPECT_EQ(b.getData(0, 2), "row two");
  EXPECT_EQ(b.getCellTag(0, 0),
            "a\xA4"
            "b");
  EXPECT_FALSE(b.hasFormula(1, 4));
  EXPECT_EQ(b.getData(1, 4), "=looks like a formula");
  EXPECT_EQ(b.getValue(2, 3), "12.35");
  EXPECT_EQ(b.getCellType(3, 1).text, "x\ty");
  EXPECT_TRUE(b.getLock(1, 1));
  EXPECT_EQ(b.getBorder(1, 2).type, 0x1Fu);
  EXPECT_TRUE(b.getFont(2, 0).bold);
  int c = 0, r = 0, w = 0, h = 0;
  EXPECT_TRUE(b.getCellSpan(1, 4, c, r, w, h));
  EXPECT_DOUBLE_EQ(b.colWidth(2), 14.5);
  EXPECT_DOUBLE_EQ(b.rowHeight(1), 33);
  EXPECT_TRUE(b.getBool(13));
  EXPECT_TRUE(b.getActiveCell(c, r));
  EXPECT_EQ(b.settings().gridColor, 0x323232u);
  // Saving again gives the same file.
  ASSERT_TRUE(b.saveToFile(path("t.json"), error));
  std::string first, second;
  base::readWholeFile(path("s.json"), first);
  base::readWholeFile(path("t.json"), second);
  EXPECT_EQ(first, second);
  EXPECT_NE(first.find("caf\xC3\xA9"), std::string::npos);  // UTF-8 in the file
}

TEST_F(SheetFiles, DataOnlyLeavesOutFormats) {
  Sheet a;
  fill(a, {{"A1", "1"}, {"A2", "=A1+1"}});
  a.setColor({1, 1, 1, 1}, 1, 2);
  std::string error;
  ASSERT_TRUE(a.saveToFile(path("d.json"), error, true));
  Sheet b;
  ASSERT_TRUE(b.loadFromFile(path("d.json"), error)) << error;
  EXPECT_EQ(b.getFormula(1, 2), "A1+1");
  std::uint32_t bg = 0, fg = 0;
  b.getColor(1, 1, bg, fg);
  EXPECT_EQ(bg, kDefaultColor);
}

TEST_F(SheetFiles, HandWrittenNativeSheet) {
  std::string p = write("hand.kvs", R"({
  "format": "ssgrid-sheet", "version": 1,
  "cells": {"A1": "Input", "B1": 4, "B2": "=B1*2", "0,1": "first row", "C1": {"data": "5", "format": 1}},
  "formats": [{"type": "number", "decimals": 0, "min": 0, "max": 3}]
})");
  Sheet s;
  std::string error;
  ASSERT_TRUE(s.loadFromFile(p, error)) << error;
  EXPECT_EQ(s.maxCols(), 3);  // grown to fit
  EXPECT_EQ(s.maxRows(), 2);
  s.reCalc();
  EXPECT_EQ(s.getValue(2, 2), "8");
  EXPECT_EQ(s.getData(0, 1), "first row");
  EXPECT_EQ(s.getValue(3, 1), "3");  // clamped by its number type
}

TEST_F(SheetFiles, CsvAndTsvByContent) {
  Sheet s;
  std::string error;
  ASSERT_TRUE(s.loadFromFile(
      write("a.csv", "Name,Value\r\n\"Smith, J\",\"=B3*2\"\r\n\"say \"\"x\"\"\",21\r\n"), error))
      << error;
  EXPECT_EQ(s.maxCols(), 2);
  EXPECT_EQ(s.maxRows(), 3);
  EXPECT_EQ(s.getData(1, 1), "Name");  // the first row is data
  EXPECT_EQ(s.getData(1, 2), "Smith, J");
  EXPECT_EQ(s.getData(1, 3), "say \"x\"");
  s.reCalc();
  EXPECT_EQ(s.getValue(2, 2), "42");
  ASSERT_TRUE(s.loadFromFile(write("b.txt", "a\tb\tc\n1\t\t=A2+1\n"), error)) << error;
  EXPECT_EQ(s.maxCols(), 3);
  EXPECT_EQ(s.getData(2, 2), "");
  ASSERT_TRUE(s.loadFromFile(write("c.csv", "x;1,5;\"=SUM(2;3)\"\n\"multi\nline\";2\n"), error))
      << error;
  EXPECT_EQ(s.getData(2, 1), "1,5");
  EXPECT_EQ(s.getData(1, 2), "multi\nline");
  s.reCalc();
  EXPECT_EQ(s.getValue(3, 1), "5");
  ASSERT_TRUE(s.loadFromFile(write("d.csv",
                                   "\xEF\xBB\xBF"
                                   "caf\xC3\xA9,b\n"),
                             error))
      << error;
  EXPECT_EQ(s.getData(1, 1), "caf\xE9");
  ASSERT_TRUE(s.loadFromFile(write("e.csv", "caf\xE9\n"), error)) << error;  // already 8-bit
  EXPECT_EQ(s.getData(1, 1), "caf\xE9");
  // Multi-byte characters at a field's ends, beside doubled quotes, outside
  // Windows-1252 (read as ?), and an 8-bit byte right before a separator.
  ASSERT_TRUE(s.loadFromFile(write("f.csv",
                                   "\xE2\x82\xAC,\"\xC3\xA9\"\"\xE2\x82\xAC\"\"\",x\xE2\x86\x92y,"
                                   "\xE9,\"=\"\"\xC3\xA9\"\"&C1\"\n"),
                             error))
      << error;
  EXPECT_EQ(s.getData(1, 1), "\x80");
  EXPECT_EQ(s.getData(2, 1), "\xE9\"\x80\"");
  EXPECT_EQ(s.getData(3, 1), "x?y");
  EXPECT_EQ(s.getData(4, 1), "\xE9");
  s.reCalc();
  EXPECT_EQ(s.getValue(5, 1), "\xE9x?y");
}

TEST_F(SheetFiles, FailedLoadsLeaveTheSheetAsItWas) {
  Sheet s;
  fill(s, {{"A1", "keep"}});
  s.addCustomFunctionExt("MINE", 0, 0,
                         [](ValueRecord& r, std::span<const ValueRecord>) { return true; });
  struct Bad {
    const char* name;
    std::string text;
    const char* fragment;
  };
  const Bad cases[] = {
      {"trunc.json", R"({"format": "ssgrid-sheet", "version": 1, "cells": {"A1": "x")",
       "line 1, column"},
      {"other.json", R"({"name": "not a sheet"})", "not a sheet file"},
      {"newer.json", R"({"format": "ssgrid-sheet", "version": 99})", "newer"},
      {"huge.json", R"({"format": "ssgrid-sheet", "version": 18446744073709551615})", "newer"},
      {"minus.json", R"({"format": "ssgrid-sheet", "version": -1})", "version"},
      {"zero.json", R"({"format": "ssgrid-sheet", "version": 0})", "version"},
      {"overlap.json",
       R"({"format": "ssgrid-sheet", "version": 1, "spans": [[1, 1, 2, 2], [2, 2, 2, 1]]})",
       "spans[1]: overlaps"},
      {"name.json", R"({"format": "ssgrid-sheet", "version": 1, "cells": {"A0": "x"}})", "cell A0"},
      {"type.json",
       R"({"format": "ssgrid-sheet", "version": 1, "cells": {"A1": {"data": "x", "format": 1}}, "formats": [{"type": "number"}]})",
       "does not suit"},
      {"size.json", R"({"format": "ssgrid-sheet", "version": 1, "size": [1, 99999999]})", "size"},
      {"deep.json", "{\"x\": " + std::string(10000, '[') + std::string(10000, ']') + "}", "nested"},
      {"quote.csv", "a,\"open\nb\n", "line 1: a quoted field is not closed"},
      {"binary.bin", std::string("\x01\x02\0\x03", 4), "binary"},
      {"empty.csv", "  \n", "empty"},
  };
  std::string error;
  for (const Bad& c : cases) {
    EXPECT_FALSE(s.loadFromFile(write(c.name, c.text), error)) << c.name;
    EXPECT_NE(error.find(c.fragment), std::string::npos) << c.name << ": " << error;
    EXPECT_NE(error.find(c.name), std::string::npos) << error;
  }
  EXPECT_FALSE(s.loadFromFile(path("missing.json"), error));
  EXPECT_FALSE(s.loadFromFile(dir_.string(), error));
  EXPECT_EQ(s.getData(1, 1), "keep");
  EXPECT_EQ(s.customFunctionCount(), 1u);
  // A good load replaces everything and drops the custom functions.
  ASSERT_TRUE(s.loadFromFile(write("ok.csv", "new\n"), error));
  EXPECT_EQ(s.customFunctionCount(), 0u);
}

// Formulas in forms the engine does not know (another sheet, a union) or
// that are broken spoil their cell, not the sheet: it reads #NAME?, the
// load names the cell and the reason once, and a save keeps the text.
TEST_F(SheetFiles, AFormulaThatDoesNotParseLoadsAsAnErrorCell) {
  Sheet s;
  std::string error;
  ASSERT_TRUE(s.loadFromFile(
      write(
          "a.json",
          R"({"format": "ssgrid-sheet", "version": 1, "cells": {"A1": "2", "B1": "=Sheet2!A1+A1", "C1": {"formula": "1+", "value": 5}, "D1": "=A1*3"}})"),
      error))
      << error;
  ASSERT_EQ(s.loadWarnings().size(), 2u);
  EXPECT_NE(s.loadWarnings()[0].find("a.json: cell B1: "), std::string::npos)
      << s.loadWarnings()[0];
  EXPECT_NE(s.loadWarnings()[1].find("cell C1"), std::string::npos);
  EXPECT_EQ(s.getValue(2, 1), "#NAME?");
  EXPECT_EQ(s.getValue(3, 1), "#NAME?");  // no stale cached value
  s.reCalc();
  EXPECT_EQ(s.getValue(2, 1), "#NAME?");
  EXPECT_EQ(s.getValue(4, 1), "6");
  EXPECT_EQ(s.getFormula(2, 1), "Sheet2!A1+A1");
  s.setMaxRows(2);
  ASSERT_TRUE(s.insRow(1));                       // the text survives structure edits
  EXPECT_EQ(s.getFormula(2, 2), "Sheet2!A1+A1");  // kept as written, not lost

  ASSERT_TRUE(s.saveToFile(path("b.json"), error)) << error;
  Sheet again;
  ASSERT_TRUE(again.loadFromFile(path("b.json"), error)) << error;
  EXPECT_EQ(again.getFormula(2, 2), "Sheet2!A1+A1");
  EXPECT_EQ(again.loadWarnings().size(), 2u);

  ASSERT_TRUE(s.loadFromFile(write("c.csv", "1,2\n3,=SUM(\n4\n"), error)) << error;
  ASSERT_EQ(s.loadWarnings().size(), 1u);
  EXPECT_NE(s.loadWarnings()[0].find("c.csv: line 2, cell B2: "), std::string::npos)
      << s.loadWarnings()[0];
  EXPECT_EQ(s.getValue(2, 2), "#NAME?");
  EXPECT_EQ(s.getValue(1, 3), "4");
  ASSERT_TRUE(s.loadFromFile(write("d.csv", "1\n"), error));
  EXPECT_TRUE(s.loadWarnings().empty());
}

TEST_F(SheetFiles, LoadKeepsTheOwnersSwitches) {
  Sheet a;
  fill(a, {{"A1", "1"}});
  a.setBool(7, true);
  std::string error;
  ASSERT_TRUE(a.saveToFile(path("o.json"), error));
  Sheet b;
  b.setBool(8, false);
  ASSERT_TRUE(b.loadFromFile(path("o.json"), error));
  EXPECT_FALSE(b.getBool(7));
  EXPECT_FALSE(b.getBool(8));
}

TEST_F(SheetFiles, SavesAreAtomic) {
  Sheet a;
  fill(a, {{"A1", "old"}});
  std::string error;
  ASSERT_TRUE(a.saveToFile(path("x.json"), error));
  a.setData(1, 1, "new");
  base::setAtomicWriteFailureAfter(10);
  EXPECT_FALSE(a.saveToFile(path("x.json"), error));
  base::setAtomicWriteFailureAfter(-1);
  EXPECT_FALSE(error.empty());
  Sheet b;
  ASSERT_TRUE(b.loadFromFile(path("x.json"), error)) << error;
  EXPECT_EQ(b.getData(1, 1), "old");
  EXPECT_FALSE(a.saveToFile(path("no/such/dir/x.json"), error));
}

TEST_F(SheetFiles, JsonTextEscapesAndStrictSyntax) {
  Sheet s;
  std::string error;
  ASSERT_TRUE(s.loadFromText(
      R"({"format":"ssgrid-sheet","version":1,"cells":{"A1":"caf\u00e9 \"q\" \\ \/ \t","A2":"\ud83d\ude00","A3":-1.5e2,"A4":0}})",
      "esc", error))
      << error;
  EXPECT_EQ(s.getData(1, 1), "caf\xE9 \"q\" \\ / \t");
  EXPECT_EQ(s.getData(1, 2), "?");  // no such character in the sheet's code page
  EXPECT_EQ(s.getValue(1, 3), "-150");
  EXPECT_EQ(s.getValue(1, 4), "0");
  for (const char* bad :
       {R"({"format":"ssgrid-sheet","version":1,} )", R"({"format":"ssgrid-sheet","version":01})",
        R"({"format":"ssgrid-sheet","version":1} x)",
        R"({"format":"ssgrid-sheet","version":1,"cells":{"A1":"\ud800"}})",
        R"({"format":"ssgrid-sheet","version":1,"cells":{"A1":"a
b"}})",
        R"({"format":"ssgrid-sheet","version":1,"cells":{"A1":tru}})",
        R"({"format":"ssgrid-sheet" "version":1})"}) {
    EXPECT_FALSE(s.loadFromText(bad, "bad", error)) << bad;
    EXPECT_NE(error.find("not valid JSON"), std::string::npos) << error;
  }
  EXPECT_EQ(s.getValue(1, 3), "-150");
}

// A parsed load installed again and again (a standards batch): every copy is
// the file as loaded, whatever the runs before did to theirs.
TEST_F(SheetFiles, ALoadKeptAsideInstallsAsTheTextWouldEveryTime) {
  const std::string text = "Width,3\nHeight,=B1*2\nTotal,=B1+B2\n=BOGUS((\n";
  LoadedSheet kept;
  std::string error;
  ASSERT_TRUE(Sheet::parseText(text, "plate.csv", kept, error)) << error;

  Sheet fresh, copied;
  ASSERT_TRUE(fresh.loadFromText(text, "plate.csv", error)) << error;
  ASSERT_TRUE(copied.loadCopy(kept, "plate.csv", error)) << error;
  EXPECT_EQ(copied.loadWarnings(), fresh.loadWarnings());
  EXPECT_FALSE(copied.loadWarnings().empty());
  for (int row = 1; row <= 4; ++row) {
    for (int col = 1; col <= 2; ++col) {
      EXPECT_EQ(copied.getData(col, row), fresh.getData(col, row)) << col << "," << row;
      EXPECT_EQ(copied.getFormula(col, row), fresh.getFormula(col, row)) << col << "," << row;
    }
  }

  // A run changes its copy: values, formulas and tags.
  ASSERT_TRUE(copied.setValue(2, 1, "10"));
  ASSERT_TRUE(copied.setFormula(2, 2, "B1*5"));
  ASSERT_TRUE(copied.setCellTag(2, 3, "seen"));
  copied.reCalc();
  EXPECT_EQ(copied.getValue(2, 3), "60");

  // The next run starts from the file again; the kept load is untouched.
  ASSERT_TRUE(copied.loadCopy(kept, "plate.csv", error)) << error;
  copied.reCalc();
  EXPECT_EQ(copied.getValue(2, 1), "3");
  EXPECT_EQ(copied.getFormula(2, 2), "B1*2");
  EXPECT_EQ(copied.getCellTag(2, 3), "");
  EXPECT_EQ(copied.getValue(2, 3), "9");
  EXPECT_EQ(kept.content.cells.find(2, 2)->formula.text(), "B1*2");
}
