// The profile values table: its file, its rows and names, and its exchange
// with a sheet and the section-table manager.
#include "sections/Nx_ProfValuesTable.h"

#include <gtest/gtest.h>

#include "core/sections/Nx_SectionTableManager.h"
#include "platform/arx/acutil.h"
#include "tests/sections/SectionsTestLibrary.h"

namespace {
Nx_ProfValuesTable smallTable() {
  Nx_ProfValuesTable t;
  t.tableName = "HEA";
  t.templateName = "1";
  t.columnNames = {"SysName", "I/O", "English", "Dutch", "German", "French", "h", "b"};
  t.rows.append(Nx_StringArray{"1", "1", "HEA 100", "HEA 100", "HEA 100", "HEA 100", "96", "100"});
  t.rows.append(Nx_StringArray{"2", "0", "HEA 120", "HEA 120", "HEA 120", "HEA 120", "114", "120"});
  t.rows.append(Nx_StringArray{"3", "", "HEA 140", "HEA 140", "HEA 140", "HEA 140", "133", "140"});
  return t;
}
}  // namespace

class ProfValuesTableTest : public ::testing::Test {
 protected:
  SectionsTestLibrary library_;
};

TEST_F(ProfValuesTableTest, ReadsTheSameFileWithOrWithoutExtension) {
  Nx_ProfValuesTable a, b;
  ASSERT_TRUE(a.readFromFile("HEA"));
  ASSERT_TRUE(b.readFromFile("HEA.pr"));
  EXPECT_EQ(a.tableName, "HEA");
  EXPECT_EQ(a.templateName, "1");
  EXPECT_EQ(a.columnNames[0], "SysName");
  EXPECT_EQ(a.rows.length(), 19);
  EXPECT_EQ(a.rows.length(), b.rows.length());
  EXPECT_EQ(a.rows[0], b.rows[0]);
  EXPECT_FALSE(a.readFromFile("NoSuchTable"));
}

TEST_F(ProfValuesTableTest, WritesBackWhatItRead) {
  Nx_ProfValuesTable t;
  ASSERT_TRUE(t.readFromFile("IPE"));
  std::string before = library_.dir().read("prof/IPE.pr");
  ASSERT_TRUE(t.writeToFile("IPE"));
  EXPECT_EQ(library_.dir().read("prof/IPE.pr"), before);
}

TEST_F(ProfValuesTableTest, FileOfOneRowKeepsItAsData) {
  library_.dir().write("prof/One.pr", "A\tB\tC\n");
  Nx_ProfValuesTable t;
  t.templateName = "7";
  ASSERT_TRUE(t.readFromFile("One"));
  ASSERT_EQ(t.rows.length(), 1);
  EXPECT_EQ(t.rows[0], (Nx_StringArray{"A", "B", "C"}));
  EXPECT_EQ(t.templateName, "7");
  EXPECT_TRUE(t.columnNames.isEmpty());
}

TEST_F(ProfValuesTableTest, KoreanHeaderGivesFiveLanguages) {
  Nx_ProfValuesTable t;
  t.columnNames = {"SysName", "I/O", "English", "Dutch", "German", "French", "Korean", "h"};
  EXPECT_EQ(t.getNrLanguages(), 5);
  t.columnNames = {"SysName", "I/O", "English", "Dutch", "German", "French"};
  EXPECT_EQ(t.getNrLanguages(), 4);
  t.columnNames = {"SysName", "I/O", "English", "Dutch", "German", "French", "korean"};
  EXPECT_EQ(t.getNrLanguages(), 5);
}

TEST_F(ProfValuesTableTest, InsertRowCopiesUnderAFreeName) {
  Nx_ProfValuesTable t = smallTable();
  EXPECT_FALSE(t.insertRow(2));  // the last row cannot be copied
  EXPECT_FALSE(t.insertRow(-1));
  ASSERT_TRUE(t.insertRow(0));
  ASSERT_EQ(t.rows.length(), 4);
  const Nx_StringArray& copy = t.rows[1];
  EXPECT_EQ(copy[0], "4");  // "1" counted up past the names in use
  EXPECT_EQ(copy[2], "HEA 4");
  EXPECT_EQ(copy[3], "HEA 100");  // the other languages as in the source
  EXPECT_EQ(copy[6], "96");
  // Naming the source row, not the copy.
  EXPECT_EQ(t.insertRow(0, "HEA90", "HEA 90"), Acad::eOk);
  EXPECT_EQ(t.rows[0][0], "HEA90");
  EXPECT_EQ(t.rows[0][5], "HEA 90");
  EXPECT_EQ(t.insertRow(t.rows.length() - 1, "X", "X"), Acad::eInvalidInput);
}

TEST_F(ProfValuesTableTest, RowOperationsRefuseBadIndices) {
  Nx_ProfValuesTable t = smallTable();
  Nx_StringArray row;
  EXPECT_FALSE(t.getRow(row, 3));
  EXPECT_FALSE(t.deleteRow(3));
  EXPECT_EQ(t.setSysName(5, "x"), Acad::eInvalidInput);
  t.rows.append(Nx_StringArray{"short"});
  EXPECT_EQ(t.setUserNames(3, "x"), Acad::eInvalidInput);
  EXPECT_EQ(t.setValues(0, AcArray<double>{1.0}), Acad::eInvalidInput);
  EXPECT_EQ(t.setValues(0, AcArray<double>{90.26, 100.0}), Acad::eOk);
  EXPECT_EQ(t.rows[0][6], "90.3");  // one decimal, halves away from zero
  EXPECT_EQ(t.rows[0][7], "100");
}

TEST_F(ProfValuesTableTest, FilteringSkipsExcludedRowsOnly) {
  Nx_ProfValuesTable t = smallTable();
  Nx_StringArray all, filtered;
  ASSERT_TRUE(t.getSysNames(all));
  ASSERT_TRUE(t.getFilteredSysNames(filtered));
  EXPECT_EQ(all, (Nx_StringArray{"HEA-1", "HEA-2", "HEA-3"}));
  EXPECT_EQ(filtered, (Nx_StringArray{"HEA-1", "HEA-3"}));  // an empty flag stays
  EXPECT_EQ(t.getfilteredIdx(0), 0);
  EXPECT_EQ(t.getfilteredIdx(2), 1);
  EXPECT_EQ(t.getfilteredIdx(3), -1);
  t.rows.append(Nx_StringArray{"4", "1"});
  EXPECT_EQ(t.getfilteredIdx(3), 1);  // the empty flag counts as excluded
  int at = -1;
  EXPECT_TRUE(t.findSysName("3", at));
  EXPECT_EQ(at, 2);
  t.removeInactiveEntries();
  EXPECT_EQ(t.rows.length(), 3);
}

TEST_F(ProfValuesTableTest, SetToGlobalsReplacesTheManagersTable) {
  Nx_SectionTableManager manager;
  ASSERT_TRUE(manager.loadFolder(library_.prof("")));
  Nx_ProfValuesTable t;
  ASSERT_TRUE(t.readFromFile("HEA"));
  ASSERT_TRUE(t.insertRow(0));
  Nx_String added = t.rows[1][0];
  EXPECT_EQ(t.setToGlobals(nullptr), Acad::eInvalidInput);
  ASSERT_EQ(t.setToGlobals(&manager), Acad::eOk);
  Nx_String value;
  EXPECT_EQ(manager.getSectionValue(added, 0, value), Acad::eOk);
  EXPECT_EQ(value, "96");
  int tables = 0;
  for (int i = 0; i < manager.tableCount(); ++i) tables += manager.table(i)->name() == "HEA";
  EXPECT_EQ(tables, 1);
  EXPECT_EQ(manager.table(manager.tableCount() - 1)->columnNames()[1], "English");
}

TEST_F(ProfValuesTableTest, SortsByAColumnNaturally) {
  Nx_ProfValuesTable t = smallTable();
  t.rows[0][6] = "200";
  ASSERT_TRUE(t.sortRows(6, false));
  EXPECT_EQ(t.rows[0][0], "2");
  EXPECT_EQ(t.rows[2][0], "1");
  ASSERT_TRUE(t.sortRows(2, true));
  EXPECT_EQ(t.rows[0][2], "HEA 140");
}

TEST_F(ProfValuesTableTest, BadFileIsLoadedAsFarAsItIsSound) {
  library_.dir().write("prof/Bad.pr",
                       "1\n"
                       "SysName\tI/O\tEnglish\tDutch\tGerman\tFrench\th\tb\n"
                       "A1\t1\tA 1\tA 1\tA 1\tA 1\t10\t20\n"
                       "A2\t1\tA 2\n"
                       "A3\t1\tA 3\tA 3\tA 3\tA 3\t1O\t20\n"
                       "a1\t1\tA 1\tA 1\tA 1\tA 1\t11\t21\n");
  Nx_ProfValuesTable t;
  Nx_StringArray problems;
  ASSERT_TRUE(t.readFromFile("Bad", &problems));
  ASSERT_EQ(t.rows.length(), 2);
  EXPECT_EQ(t.rows[0][0], "A1");
  EXPECT_EQ(t.rows[1][0], "A3");
  ASSERT_EQ(problems.length(), 3);
  std::string file = library_.prof("Bad.pr");
  EXPECT_EQ(problems[0].str().rfind(file + ":4: the row has 3 cells", 0), 0u)
      << problems[0].c_str();
  EXPECT_EQ(problems[1].str().rfind(file + ":5:7: \"1O\" is not a number", 0), 0u)
      << problems[1].c_str();
  EXPECT_EQ(problems[2].str().rfind(file + ":6:1: the system name \"a1\"", 0), 0u)
      << problems[2].c_str();
}

TEST_F(ProfValuesTableTest, HeaderFaultsAreReported) {
  library_.dir().write("prof/NoLang.pr", "1\nSysName\tI/O\th\tb\tr\tt\nA\t1\t1\t2\t3\t4\n");
  library_.dir().write("prof/NoHeader.pr", "1\nA\t1\tA\tA\tA\tA\t1\nB\t1\tB\tB\tB\tB\t2\n");
  Nx_ProfValuesTable t;
  Nx_StringArray problems;
  ASSERT_TRUE(t.readFromFile("NoLang", &problems));
  ASSERT_FALSE(problems.isEmpty());
  EXPECT_NE(problems[0].str().find("NoLang.pr:2:3: the header has no language column"),
            std::string::npos);
  problems.removeAll();
  Nx_ProfValuesTable u;
  ASSERT_TRUE(u.readFromFile("NoHeader", &problems));
  ASSERT_FALSE(problems.isEmpty());
  EXPECT_NE(problems[0].str().find("NoHeader.pr:2: no header row"), std::string::npos);
  EXPECT_EQ(u.rows.length(), 2);  // both sizes kept as data
}
