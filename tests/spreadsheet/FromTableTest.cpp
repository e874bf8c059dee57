#include <gtest/gtest.h>

#include <string>

#include "platform/arx/acutil.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/file/SheetFile.h"
#include "spreadsheet/KvFromTable.h"
#include "spreadsheet/KvKeyIndex.h"
#include "spreadsheet/KvLookupTable.h"
#include "tests/spreadsheet/LookupFiles.h"

namespace {

const char kBolts[] =
    "Diameter,Hole,Grade\n"
    "M12,13,8.8\n"
    "M16,18,8.8\n"
    "M20,22,10.9\n";

// A sheet whose FROMTABLE calls start in the folder, computed after the formulas are set.
struct CallingSheet {
  explicit CallingSheet(const std::string& folder, int cols = 4, int rows = 4) {
    sheet.setMaxCols(cols);
    sheet.setMaxRows(rows);
    registerFromTable(sheet, Nx_String(folder));
  }
  std::string eval(const std::string& formula, int col = 1, int row = 1) {
    EXPECT_TRUE(sheet.setFormula(col, row, formula)) << sheet.lastError().message;
    sheet.reCalc();
    return sheet.getValue(col, row);
  }
  grid::Sheet sheet;
};

}  // namespace

TEST(FromTable, FindsTheValueByCaptionsAndKeyWithoutRegardToCase) {
  LookupFiles files;
  files.write("bolts.csv", kBolts);
  CallingSheet s(files.folder());
  EXPECT_EQ(s.eval("FROMTABLE(\"bolts.csv\",\"diameter\",\"HOLE\",\"m16\")"), "18");
  EXPECT_EQ(s.eval("FROMTABLE(\"bolts.csv\",\"Diameter\",\"Grade\",\"M20\")+0"), "10.9");
  // The key may stand in a cell of the calling sheet.
  s.sheet.setData(2, 2, "M12");
  EXPECT_EQ(s.eval("FROMTABLE(\"bolts.csv\",\"Diameter\",\"Hole\",B2)"), "13");
}

TEST(FromTable, CellFormsReadTheCellOfTheLookedUpSheet) {
  LookupFiles files;
  files.write("bolts.csv", kBolts);
  CallingSheet s(files.folder());
  EXPECT_EQ(s.eval("FROMTABLE(\"bolts.csv\",B3)"), "18");
  EXPECT_EQ(s.eval("FROMTABLE(\"bolts.csv\",A4)"), "M20");
  // A second argument that is no cell reference finds no cell.
  EXPECT_EQ(s.eval("FROMTABLE(\"bolts.csv\",\"B3\")"), "");
}

TEST(FromTable, FormsWithATargetWriteThereAndLeaveTheirOwnCellEmpty) {
  LookupFiles files;
  files.write("bolts.csv", kBolts);
  CallingSheet s(files.folder());
  EXPECT_EQ(s.eval("FROMTABLE(\"bolts.csv\",\"Diameter\",\"Hole\",\"M20\",D4)"), "");
  EXPECT_EQ(s.sheet.getData(4, 4), "22");
  EXPECT_EQ(s.eval("FROMTABLE(\"bolts.csv\",C2,C3)"), "");
  EXPECT_EQ(s.sheet.getData(3, 3), "8.8");
}

TEST(FromTable, ANumberKeyFindsTheNumberHoweverItIsWritten) {
  LookupFiles files;
  files.write("plates.csv", "Width,Thickness\n200.0,10\n250,12\n");
  CallingSheet s(files.folder());
  EXPECT_EQ(s.eval("FROMTABLE(\"plates.csv\",\"Width\",\"Thickness\",200)"), "10");
  EXPECT_EQ(s.eval("FROMTABLE(\"plates.csv\",\"Width\",\"Thickness\",\"200.0\")"), "10");
  EXPECT_EQ(s.eval("FROMTABLE(\"plates.csv\",\"Width\",\"Thickness\",125*2)"), "12");
}

TEST(FromTable, ATableWithCaptionsInItsHeaderRowKeepsItsFirstLineAsData) {
  LookupFiles files;
  grid::Sheet table;
  table.setMaxCols(2);
  table.setMaxRows(2);
  table.setData(1, 0, "Grade");
  table.setData(2, 0, "Fy");
  table.setData(1, 1, "S235");
  table.setData(2, 1, "235");
  table.setData(1, 2, "S355");
  table.setData(2, 2, "355");
  files.write("grades.sht", grid::writeSheetText(table.content(), false));
  CallingSheet s(files.folder());
  EXPECT_EQ(s.eval("FROMTABLE(\"grades.sht\",\"grade\",\"fy\",\"s235\")"), "235");
}

TEST(FromTable, MissingFileOrCaptionGivesAnEmptyResultAndOneMessage) {
  LookupFiles files;
  files.write("bolts.csv", kBolts);
  CallingSheet s(files.folder(), 2, 50);
  AcutPrintCapture capture;
  for (int row = 1; row <= 50; ++row)
    ASSERT_TRUE(s.sheet.setFormula(1, row, "FROMTABLE(\"nothere.csv\",\"a\",\"b\",\"c\")+1"));
  for (int row = 1; row <= 50; ++row)
    ASSERT_TRUE(s.sheet.setFormula(2, row, "FROMTABLE(\"bolts.csv\",\"Size\",\"Hole\",\"M12\")"));
  s.sheet.reCalc();
  EXPECT_EQ(s.sheet.getValue(1, 50), "1");  // the empty result counts 0
  EXPECT_EQ(s.sheet.getValue(2, 50), "");
  const std::string& text = capture.text();
  auto count = [&](const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
      ++n;
    return n;
  };
  EXPECT_EQ(count("nothere.csv: no such file"), 1u) << text;
  EXPECT_EQ(count("no column \"Size\""), 1u) << text;
  EXPECT_EQ(count("*Error* FROMTABLE:"), 2u) << text;
}

TEST(FromTable, LookupsChainAcrossFilesRelativeToEachFile) {
  LookupFiles files;
  files.write("Data/bolts.csv", kBolts);
  // The plate table takes its hole from the bolt table beside it.
  files.write("Data/plates.csv",
              "Plate,Bolt,Hole\n"
              "P1,M16,\"=FROMTABLE(\"\"bolts.csv\"\",\"\"Diameter\"\",\"\"Hole\"\",B2)\"\n"
              "P2,M20,\"=FROMTABLE(\"\"bolts.csv\"\",\"\"Diameter\"\",\"\"Hole\"\",B3)\"\n");
  CallingSheet s(files.folder());
  EXPECT_EQ(s.eval("FROMTABLE(\"Data/plates.csv\",\"Plate\",\"Hole\",\"P2\")"), "22");
  EXPECT_EQ(s.eval("FROMTABLE(\"Data\\plates.csv\",\"Plate\",\"Hole\",\"P1\")"), "18");
}

TEST(FromTable, ATableThatLooksItselfUpEndsWithAMessage) {
  LookupFiles files;
  files.write("a.csv",
              "Key,Value\nk,\"=FROMTABLE(\"\"b.csv\"\",\"\"Key\"\",\"\"Value\"\",\"\"k\"\")\"\n");
  files.write("b.csv",
              "Key,Value\nk,\"=FROMTABLE(\"\"a.csv\"\",\"\"Key\"\",\"\"Value\"\",\"\"k\"\")\"\n");
  CallingSheet s(files.folder());
  AcutPrintCapture capture;
  EXPECT_EQ(s.eval("FROMTABLE(\"a.csv\",\"Key\",\"Value\",\"k\")"), "");
  EXPECT_NE(capture.text().find("looks itself up"), std::string::npos) << capture.text();
}

TEST(FromTable, ArgumentsOfTheWrongKindGiveAnEmptyResult) {
  LookupFiles files;
  files.write("bolts.csv", kBolts);
  CallingSheet s(files.folder());
  EXPECT_EQ(s.eval("FROMTABLE(12,B3)"), "");
  EXPECT_EQ(s.eval("FROMTABLE(\"bolts.csv\",C3:D4,\"Hole\",\"M12\")"), "");
  grid::ValueRecord result = grid::ValueRecord::makeInteger(5);
  KvFromTableCalls calls{Nx_String(files.folder())};
  answerFromTable(s.sheet, calls, result, {});
  EXPECT_TRUE(result.isEmpty());
}

TEST(LookupTables, AFileIsReadOnceAndAgainWhenItChanges) {
  LookupFiles files;
  std::string path = files.write("bolts.csv", kBolts);
  std::string error;
  auto first = KvLookupTables::get(Nx_String(path), error);
  ASSERT_TRUE(first) << error;
  EXPECT_EQ(KvLookupTables::get(Nx_String(path), error), first);
  files.write("bolts.csv", "Diameter,Hole\nM16,17.5\n");
  KvLookupTables::recheck();
  auto second = KvLookupTables::get(Nx_String(path), error);
  ASSERT_TRUE(second);
  EXPECT_NE(second, first);
  EXPECT_EQ(second->sheet().getData(2, 2), "17.5");
  // A file written just now may change again unseen: it is not kept yet.
  files.write("bolts.csv", kBolts, false);
  KvLookupTables::recheck();
  auto fresh = KvLookupTables::get(Nx_String(path), error);
  KvLookupTables::recheck();
  EXPECT_NE(KvLookupTables::get(Nx_String(path), error), fresh);
}

TEST(LookupTables, CaptionsComeFromTheHeaderRowOrElseTheFirstLine) {
  LookupFiles files;
  std::string path = files.write("bolts.tsv", "Diameter\tHole\nM12\t13\nm12\t14\n");
  std::string error;
  auto table = KvLookupTables::get(Nx_String(path), error);
  ASSERT_TRUE(table) << error;
  EXPECT_EQ(table->captionRow(), 1);
  EXPECT_EQ(table->column("HOLE"), 2);
  EXPECT_EQ(table->column("Length"), 0);
  EXPECT_EQ(table->row(1, "M12"), 2);                                   // the first of equal keys
  EXPECT_EQ(table->row(1, "Diameter"), 0);                              // the captions are no data
  EXPECT_FALSE(KvLookupTables::get(Nx_String(files.folder()), error));  // a folder is no table
}

TEST(KeyIndex, FindsTextsWithoutCaseAndKeepsTheFirstRow) {
  KvKeyIndex index;
  for (int r = 1; r <= 3000; ++r) index.add("Key" + std::to_string(r), r);  // grows on the way
  index.add("KEY7", 9999);
  index.add("", 5);
  EXPECT_EQ(index.size(), 3000u);
  EXPECT_EQ(index.find("key7"), 7);
  EXPECT_EQ(index.find("KEY3000"), 3000);
  EXPECT_EQ(index.find("Key3001"), 0);
  EXPECT_EQ(index.find(""), 0);
  EXPECT_EQ(KvKeyIndex().find("a"), 0);
}
