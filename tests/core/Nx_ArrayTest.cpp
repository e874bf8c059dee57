#include "core/Nx_Array.h"

#include <gtest/gtest.h>

#include "core/Nx_StringArray.h"
#include "platform/arx/acutil.h"

TEST(NxArray, BadIndexesPrintAndLeaveArrayAlone) {
  AcutPrintCapture cap;
  Nx_Array<int> a;
  a.append(1);
  a.append(2);
  EXPECT_FALSE(a.insertAt(3, 9));
  EXPECT_FALSE(a.insertAt(-1, 9));
  EXPECT_FALSE(a.removeAt(2));
  EXPECT_EQ(a.length(), 2);
  EXPECT_EQ(cap.text(),
            "*Error* Invalid index passed to insert.\n"
            "*Error* Invalid index passed to insert.\n"
            "*Error* Invalid index passed to remove.\n");
  EXPECT_TRUE(a.insertAt(2, 3));
  EXPECT_EQ(a[2], 3);
}

TEST(NxArray, CopiesAreDeep) {
  Nx_Array<Nx_StringArray> rows;
  rows.append(Nx_StringArray{"a", "b"});
  Nx_Array<Nx_StringArray> copy = rows;
  copy[0][0] = "z";
  EXPECT_EQ(rows[0][0].str(), "a");
  EXPECT_EQ(copy.growLength(), 8);
}

TEST(NxStringArray, FindWithoutCase) {
  Nx_StringArray a{"Width", "Height"};
  EXPECT_EQ(a.find("HEIGHT", false), 1);
  EXPECT_EQ(a.find("HEIGHT", true), -1);
  AcutPrintCapture cap;
  EXPECT_FALSE(a.removeAt(5));
  EXPECT_EQ(a.length(), 2);
}
