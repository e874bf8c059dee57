#include <gtest/gtest.h>

#include "core/ArrayHelpers.h"

TEST(JoinedLists, SplitAndJoinAreInverse) {
  Nx_StringArray items;
  EXPECT_EQ(strToArr("a;b;c", items), 3);
  EXPECT_EQ(items[1].str(), "b");
  EXPECT_EQ(strToArr("", items), 0);  // an empty cell is an empty list, not one empty entry
  EXPECT_EQ(strToArr("Beams;;Plates;", items), 4);
  EXPECT_EQ(arrToStr(items).str(), "Beams;;Plates;");
  EXPECT_EQ(arrToStr(Nx_StringArray{}).str(), "");

  Nx_Array<Nx_StringArray> rows;
  rows.append(Nx_StringArray{"6000", "10", "tab\tand;semicolon"});
  rows.append(Nx_StringArray{});
  Nx_StringArray lines;
  arrArrToArr(rows, lines, "\xBF");
  ASSERT_EQ(lines.length(), 2);
  EXPECT_EQ(lines[0].str(),
            "6000\xBF"
            "10\xBFtab\tand;semicolon");
  Nx_Array<Nx_StringArray> back;
  arrToArrArr(lines, back, "\xBF");
  ASSERT_EQ(back.length(), 2);
  EXPECT_EQ(back[0], rows[0]);
  EXPECT_EQ(back[1].length(), 0);
}

TEST(ListSearch, FindAtAndDuplicates) {
  Nx_StringArray values{"100", "200", "100", "Width", "WIDTH", "width"};
  EXPECT_EQ(findAt(values, "100", 0, true), 0);
  EXPECT_EQ(findAt(values, "100", 1, true), 2);
  EXPECT_EQ(findAt(values, "width", 0, false), 3);
  EXPECT_EQ(findAt(values, "width", 0, true), 5);
  EXPECT_EQ(findAt(values, "300", 0, false), -1);

  AcArray<int> dups;
  EXPECT_TRUE(getDuplicates(values, dups, false));
  EXPECT_EQ(dups, (AcArray<int>{2, 4, 5}));  // the first occurrence stays
  EXPECT_TRUE(getDuplicates(values, dups, true));
  EXPECT_EQ(dups, (AcArray<int>{2}));
  EXPECT_FALSE(getDuplicates(Nx_StringArray{"a", "b"}, dups, false));
  EXPECT_TRUE(dups.isEmpty());

  // Short lists are compared in place, long ones through a set: the same
  // answer either way, a name counted once however often it comes back.
  const char* names[] = {"Gap", "GAP", "gap", "Width", "width", "Pitch", "x"};
  for (int length : {2, 7, 31, 32, 33, 80}) {
    Nx_StringArray list;
    for (int i = 0; i < length; ++i) list.append(Nx_String(names[(i * 5 + i / 7) % 7]));
    for (bool exact : {false, true}) {
      AcArray<int> expected;
      for (int i = 0; i < length; ++i)
        for (int j = 0; j < i; ++j)
          if (list[j].equal(list[i], exact)) {
            expected.append(i);
            break;
          }
      EXPECT_EQ(getDuplicates(list, dups, exact), !expected.isEmpty());
      EXPECT_EQ(dups, expected) << length << (exact ? " exact" : "");
    }
  }
}

TEST(NonExistingString, CountsUpFromTheBase) {
  Nx_StringArray names{"1", "2", "HEA100", "HEA101", "Plate", "Plate1", "007"};
  EXPECT_EQ(findNonExistingString(names, "new").str(), "new");
  EXPECT_EQ(findNonExistingString(names, "1").str(), "3");
  EXPECT_EQ(findNonExistingString(names, "hea100").str(), "hea102");
  EXPECT_EQ(findNonExistingString(names, "hea100", true).str(), "hea100");
  EXPECT_EQ(findNonExistingString(names, "Plate").str(), "Plate2");
  EXPECT_EQ(findNonExistingString(names, "007").str(), "008");
  Nx_StringArray many;
  for (int i = 0; i < 500; ++i) many.append(Nx_String(i));
  EXPECT_FALSE(many.contains(findNonExistingString(many, "0"), false));
}

TEST(NaturalOrder, NumbersByValue) {
  EXPECT_LT(naturalCompare("HEA 90", "HEA 100"), 0);
  EXPECT_LT(naturalCompare("90x90x9", "100x100x10"), 0);
  EXPECT_LT(naturalCompare("L100x100x8", "L100x100x10"), 0);
  EXPECT_LT(naturalCompare("a", "B"), 0);
  EXPECT_GT(naturalCompare("a", "B", true), 0);
  EXPECT_EQ(naturalCompare("ipe200", "ipe200"), 0);
  EXPECT_NE(naturalCompare("IPE200", "ipe200"), 0);  // ties fall back to bytes: a total order
  EXPECT_LT(naturalCompare("HE", "HEA"), 0);
}

TEST(Sorting, ValuesWithCarriedIndicesAndSortedInsert) {
  AcArray<double> lefts{0.5, 0.1, 0.3, 0.1};
  AcArray<int> indices{0, 1, 2, 3};
  ASSERT_TRUE(ObjectExportSort(lefts, &indices));
  EXPECT_EQ(lefts, (AcArray<double>{0.1, 0.1, 0.3, 0.5}));
  EXPECT_EQ(indices, (AcArray<int>{1, 3, 2, 0}));  // stable among equals
  AcArray<int> wrongLength{1};
  EXPECT_FALSE(ObjectExportSort(lefts, &wrongLength));

  Nx_StringArray names{"200x200x20", "100x100x10", "150x150x12"};
  EXPECT_EQ(ObjectExportAddToSorted(names, "120x120x10"), 1);
  EXPECT_EQ(names, (Nx_StringArray{"100x100x10", "120x120x10", "150x150x12", "200x200x20"}));
  EXPECT_EQ(ObjectExportAddToSorted(names, "100x100x10"), 1);  // after its equal
  EXPECT_EQ(ObjectExportAddToSorted(names, "50x50x5"), 0);
}

TEST(ListEquality, FlagChoosesCase) {
  Nx_StringArray a{"Endplate", "Module.Plates"};
  EXPECT_TRUE(a.equal(Nx_StringArray{"ENDPLATE", "module.plates"}, false));
  EXPECT_FALSE(a.equal(Nx_StringArray{"ENDPLATE", "module.plates"}, true));
  EXPECT_FALSE(a.equal(Nx_StringArray{"Endplate"}, false));
}
