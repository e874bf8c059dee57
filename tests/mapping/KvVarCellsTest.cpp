// Variable cells: declarations, the cell types their values get, the fill
// from a macro and the comparisons; and the request record.
#include <gtest/gtest.h>

#include "core/Nx_Settings.h"
#include "core/macro/Nx_Drawing.h"
#include "mapping/KvVarCells.h"
#include "platform/arx/acutil.h"
#include "standards/KvDlgStandardsData.h"
#include "tests/spreadsheet/SpreadTestHost.h"

namespace {

KvVarCell cell(const char* name, KvCellType type, KvValueType valueType, const char* value,
               int col = 0, int row = 0) {
  KvVarCell c;
  c.name = name;
  c.cellType = type;
  c.valueType = valueType;
  c.value = value;
  c.column = col;
  c.row = row;
  return c;
}

TEST(KvVarCell, DeclarationsNameATypeAndAVariable) {
  SpreadTestHost host(2, 8);
  host.fillColumn(1, {"  Double Width", "Double", "Integer count", "Text x", "String Plate.Name",
                      "double  lower", "Int", ""});
  struct Case {
    int row;
    bool declares;
    KvValueType type;
    const char* name;
  };
  const Case cases[] = {{1, true, kValueDouble, "Width"},
                        {2, true, kValueDouble, ""},
                        {3, true, kValueInt, "count"},
                        {4, false, kValueString, ""},
                        {5, true, kValueString, "Plate.Name"},
                        {6, false, kValueDouble, ""},
                        {7, true, kValueInt, ""},
                        {8, false, kValueString, ""}};
  for (const Case& c : cases) {
    KvVarCell v;
    v.value = "kept";
    Acad::ErrorStatus es = v.initialize(host.spread, 1, c.row, kCellOutput);
    EXPECT_EQ(es == Acad::eOk, c.declares) << "row " << c.row;
    if (!c.declares) continue;
    EXPECT_EQ(v.valueType, c.type) << "row " << c.row;
    EXPECT_EQ(v.name, c.name) << "row " << c.row;
    EXPECT_EQ(v.column, 1);
    EXPECT_EQ(v.row, c.row);
    EXPECT_TRUE(v.isOutput());
    EXPECT_EQ(v.value, "kept");
  }
  KvVarCell v;
  EXPECT_EQ(v.initialize(host.spread, 3, 1, kCellInput), Acad::eInvalidInput);
  EXPECT_EQ(v.initialize(host.spread, 1, 9, kCellInput), Acad::eInvalidInput);
  Nx_Spread detached;
  EXPECT_EQ(v.initialize(detached, 1, 1, kCellInput), Acad::eInvalidInput);
}

TEST(KvVarCells, ValuesGoIntoCellsTypedAfterTheirVariables) {
  SpreadTestHost host(1, 4);
  KvVarCells cells;
  cells.append(cell("I", kCellInput, kValueInt, "2.6", 1, 1));
  cells.append(cell("D", kCellOutput, kValueDouble, "1.123456789", 1, 2));
  cells.append(cell("S", kCellLocal, kValueString, "IPE 300", 1, 3));
  ASSERT_EQ(cells.setValuesToSS(host.spread), Acad::eOk);
  const grid::Sheet& s = *host.spread.sheet();
  EXPECT_EQ(s.getCellType(1, 1).kind, grid::CellKind::Number);
  EXPECT_EQ(s.getCellType(1, 1).decimals, 0);
  EXPECT_EQ(s.getValue(1, 1), "3");
  EXPECT_EQ(s.getCellType(1, 2).decimals, 7);
  EXPECT_EQ(s.getValue(1, 2), "1.1234568");
  EXPECT_EQ(s.getCellType(1, 3).kind, grid::CellKind::Edit);
  EXPECT_EQ(s.getCellType(1, 3).maxLength, 9999);
  EXPECT_EQ(s.getValue(1, 3), "IPE 300");

  // Output values are read back from their cells, the others are not.
  cells[0].value = "x";
  ASSERT_EQ(cells.getValuesFromSS(host.spread), Acad::eOk);
  EXPECT_EQ(cells[1].value, "1.1234568");
  EXPECT_EQ(cells[0].value, "x");

  // A number cell refuses text: the write stops there and says where.
  cells.append(cell("Late", kCellInput, kValueDouble, "5", 1, 4));
  int failed = -1;
  EXPECT_EQ(cells.setValuesToSS(host.spread, &failed), Acad::eInvalidInput);
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(s.getValue(1, 4), "");
}

TEST(KvVarCells, FillingFromAMacroNeedsAMacroOrAModuleGroup) {
  KvVarCells cells;
  cells.append(cell("In", kCellInput, kValueDouble, "1"));
  cells.append(cell("Work", kCellLocal, kValueDouble, "2"));
  KvDlgStandardsData request;
  request.fileName = "Sheet";
  EXPECT_EQ(cells.getFromMacro(request), Acad::eInvalidInput);
  EXPECT_EQ(cells[1].value, "2");

  // A module group without a macro: the mapping is built, every value that
  // cannot be fetched is passed over, Locals are blanked.
  request.moduleName = "Plate";
  EXPECT_EQ(cells.getFromMacro(request), Acad::eOk);
  EXPECT_EQ(cells.mapping().mode(), KvSSMapping::kModuleGroup);
  EXPECT_EQ(cells[0].value, "1");
  EXPECT_EQ(cells[1].value, "");
}

TEST(KvVarCells, WithoutAMappingEveryValueStaysAsItWas) {
  Nx_Drawing drawing;
  Nx_String error;
  ASSERT_TRUE(drawing.loadText(R"({"format": "connection-standards drawing", "version": 1,
      "macros": [{"name": "M"}]})",
                               "t", error));
  AcTransaction tr(drawing.database());
  Nx_DbMacro* macro = nullptr;
  ASSERT_EQ(tr.getObject(macro, drawing.findMacro("M"), AcDb::kForWrite), Acad::eOk);
  MacroData data;
  KvDlgStandardsData request;
  ASSERT_EQ(request.initialize(macro, "/no/such/sheet.kvs", "K", &data), Acad::eOk);
  KvVarCells cells;
  cells.append(cell("Work", kCellLocal, kValueDouble, "2"));
  EXPECT_EQ(cells.getFromMacro(request), Acad::eOk);
  EXPECT_EQ(cells[0].value, "2");
  // Writing back succeeds whatever could not be written.
  cells.append(cell("Out", kCellOutput, kValueDouble, "3"));
  EXPECT_EQ(cells.setToMacro(request), Acad::eOk);
}

TEST(KvVarCells, SameInputComparesInputTextsOnly) {
  KvVarCells a, b;
  a.append(cell("W", kCellInput, kValueDouble, "10"));
  a.append(cell("Out", kCellOutput, kValueDouble, "1"));
  b.append(cell("w", kCellInput, kValueDouble, "10"));
  b.append(cell("Out", kCellOutput, kValueDouble, "2"));
  EXPECT_TRUE(a.hasSameInput(b));
  b[0].value = "10.0";
  EXPECT_FALSE(a.hasSameInput(b));
  b[0].value = "10";
  b[0].valueType = kValueInt;
  EXPECT_FALSE(a.hasSameInput(b));
  EXPECT_TRUE(KvVarCells().hasSameInput(a));
  EXPECT_FALSE(a.hasSameInput(KvVarCells()));
}

TEST(KvVarCells, ListOperations) {
  KvVarCells cells;
  cells.append(cell("A", kCellInput, kValueDouble, "1"));
  cells.append(cell("B", kCellOutput, kValueDouble, "2"));
  cells.append(cell("a", kCellLocal, kValueDouble, "3"));
  int index = 7;
  EXPECT_EQ(cells.findVarCell("b", index), Acad::eOk);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(cells.findVarCell("A", index), Acad::eOk);
  EXPECT_EQ(index, 0);
  index = 7;
  EXPECT_EQ(cells.findVarCell("C", index), Acad::eInvalidInput);
  EXPECT_EQ(index, 7);
  {
    AcutPrintCapture printed;
    cells.removeAt(3);
    EXPECT_EQ(printed.text(), "*Error* Invalid index passed to remove.\n");
  }
  cells.removeAt(0);
  EXPECT_EQ(cells[0].name, "B");
  cells.mapping().mappedObjectsWrite().append(KvObjectMap());
  KvVarCells copy = cells;
  EXPECT_EQ(copy.length(), 2);
  EXPECT_EQ(copy.mapping().mappedObjects().length(), 1);
  cells.resetVarCells();
  EXPECT_EQ(cells.length(), 0);
  EXPECT_EQ(cells.mapping().mappedObjects().length(), 1);
}

TEST(KvDlgStandardsData, InitializeTakesTheModuleGroupFromTheObjectName) {
  Nx_DbMacro macro;
  MacroData data;
  KvDlgStandardsData request;
  request.mode = KvDlgStandardsData::kChild;
  EXPECT_EQ(request.initialize(&macro, "Sheet", "Module.Base", &data), Acad::eOk);
  EXPECT_EQ(request.moduleName, "Base");
  EXPECT_EQ(request.mode, KvDlgStandardsData::kParent);
  EXPECT_EQ(request.initialize(&macro, "Sheet", "Module.", &data), Acad::eOk);
  EXPECT_EQ(request.moduleName, "");
  EXPECT_EQ(request.initialize(&macro, "Sheet", "Q7mTz2KcR9wLx4VbN8jHd3Fs", &data), Acad::eOk);
  EXPECT_EQ(request.moduleName, "");
  EXPECT_EQ(request.objectName, "Q7mTz2KcR9wLx4VbN8jHd3Fs");
  EXPECT_EQ(request.initialize(&macro, "Other", "Module.X", nullptr), Acad::eInvalidInput);
  EXPECT_EQ(request.fileName, "Sheet");
  EXPECT_EQ(request.initialize(nullptr, "Other", "Module.X", &data), Acad::eInvalidInput);
  EXPECT_EQ(request.moduleName, "");
}

}  // namespace
