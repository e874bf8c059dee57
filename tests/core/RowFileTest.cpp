#include "core/RowFile.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/base/AtomicFile.h"

namespace {
Nx_Array<Nx_StringArray> sectionTable() {
  Nx_Array<Nx_StringArray> rows;
  rows.append(Nx_StringArray{"HEA.dwg"});
  rows.append(Nx_StringArray{"SysName", "I/O", "English", "Dutch", "German", "French", "h", "b"});
  rows.append(
      Nx_StringArray{"HEA100", "1", "HEA 100", "HEA 100", "HEA 100", "HEA 100", "96", "100"});
  rows.append(
      Nx_StringArray{"odd", "0", "tab\there", "back\\slash", "line\nbreak", "cr\r", "", "\xE9"});
  rows.append(Nx_StringArray{});
  return rows;
}
}  // namespace

TEST(RowFile, RoundTripsEveryCell) {
  TempDir dir;
  Nx_String error;
  ASSERT_TRUE(writeFile(dir / "HEA.pr", sectionTable(), &error)) << error.str();
  Nx_String name;
  Nx_Array<Nx_StringArray> rows;
  ASSERT_TRUE(readFile(dir / "HEA.pr", name, rows, &error)) << error.str();
  EXPECT_EQ(name.str(), "HEA");
  auto expected = sectionTable();
  ASSERT_EQ(rows.length(), expected.length());
  for (int i = 0; i < rows.length(); ++i) EXPECT_EQ(rows[i], expected[i]) << "row " << i;
  // One row per line, tab-separated, readable as text.
  EXPECT_EQ(dir.read("HEA.pr").substr(0, 12), "HEA.dwg\nSysN");
}

TEST(RowFile, HandWrittenFilesAndBadEscapes) {
  TempDir dir;
  dir.write("IPE.pr", "17\r\nSysName\tI/O\r\nIPE80\t1\r\n");
  Nx_String name, error;
  Nx_Array<Nx_StringArray> rows;
  ASSERT_TRUE(readFile(dir / "IPE.pr", name, rows));
  ASSERT_EQ(rows.length(), 3);
  EXPECT_EQ(rows[2], (Nx_StringArray{"IPE80", "1"}));

  dir.write("bad.pr", "ok\nProf\\Shapes.dwg\tx\n");
  rows.removeAll();
  rows.append(Nx_StringArray{"kept"});
  EXPECT_FALSE(readFile(dir / "bad.pr", name, rows, &error));
  EXPECT_NE(error.find("bad.pr:2: unknown escape \\S", true), -1) << error.str();
  ASSERT_EQ(rows.length(), 1);  // nothing half read
  EXPECT_EQ(rows[0][0].str(), "kept");

  dir.write("end.pr", "a\\");
  EXPECT_FALSE(readFile(dir / "end.pr", name, rows, &error));
  EXPECT_NE(error.find("end.pr:1:", true), -1) << error.str();
  EXPECT_FALSE(readFile(dir / "none.pr", name, rows, &error));
  EXPECT_NE(error.find("none.pr", true), -1) << error.str();
}

TEST(RowFile, FailedWriteKeepsThePreviousFile) {
  TempDir dir;
  ASSERT_TRUE(writeFile(dir / "HEA.pr", sectionTable()));
  std::string before = dir.read("HEA.pr");
  Nx_Array<Nx_StringArray> other;
  other.append(Nx_StringArray{"replacement", "row", "that is long enough"});
  base::setAtomicWriteFailureAfter(10);
  Nx_String error;
  bool written = writeFile(dir / "HEA.pr", other, &error);
  base::setAtomicWriteFailureAfter(-1);
  EXPECT_FALSE(written);
  EXPECT_NE(error.find("HEA.pr", true), -1) << error.str();
  EXPECT_EQ(dir.read("HEA.pr"), before);
}
