#include <gtest/gtest.h>

#include "core/StringHelpers.h"

namespace {
std::string joined(const Nx_StringArray& parts) {
  std::string out;
  for (int i = 0; i < parts.length(); ++i) out += (i ? "|" : "") + parts[i].str();
  return out;
}
}  // namespace

TEST(SplitString, FirstOccurrenceOnly) {
  Nx_String before = "keep", after = "keep";
  EXPECT_FALSE(splitString("no separator", "=", before, after));
  EXPECT_EQ(before.str(), "keep");  // untouched on failure
  ASSERT_TRUE(splitString("K=a=b", "=", before, after));
  EXPECT_EQ(before.str(), "K");
  EXPECT_EQ(after.str(), "a=b");
  ASSERT_TRUE(
      splitString("Plates\x95"
                  "Distance Thickness",
                  "\x95", before, after));
  EXPECT_EQ(after.str(), "Distance Thickness");
}

TEST(SplitStringAtSymbol, TrimFlagRemovesBlanksAroundParts) {
  Nx_String name, expr;
  ASSERT_TRUE(splitStringAtSymbol("  Width = Height * 2 ", "=", name, expr, true));
  EXPECT_EQ(name.str(), "Width");
  EXPECT_EQ(expr.str(), "Height * 2");
  ASSERT_TRUE(splitStringAtSymbol(" Width = x", '=', name, expr, false));
  EXPECT_EQ(name.str(), " Width ");
  EXPECT_EQ(expr.str(), " x");
}

TEST(SplitStringAtSymbol, ListsKeepEmptyParts) {
  struct Case {
    const char* text;
    const char* symbol;
    bool trim;
    int count;
    const char* parts;
  } cases[] = {
      {"", ",", true, 0, ""},
      {"a", ",", true, 1, "a"},
      {"\"Bolts.kvs\", D , N", ",", true, 3, "\"Bolts.kvs\"|D|N"},
      {"a,,b,", ",", false, 4, "a||b|"},
      {" 200 x 10 ", "x", true, 2, "200|10"},
      {"300", "x", true, 1, "300"},
      {"a\xBF"
       "b\xBF"
       "c",
       "\xBF", true, 3, "a|b|c"},
      {"a::b", "::", false, 2, "a|b"},
      {"abc", "", false, 1, "abc"},
  };
  for (const Case& c : cases) {
    Nx_StringArray parts{"stale"};
    EXPECT_EQ(splitStringAtSymbol(c.text, c.symbol, parts, c.trim), c.count) << c.text;
    EXPECT_EQ(joined(parts), c.parts) << c.text;
  }
}

TEST(Substrings, BeforeAndAfter) {
  EXPECT_EQ(getSubstrBefore("Cut1.CutLength", ".").str(), "Cut1");
  EXPECT_EQ(getSubstrBefore("a.b.Cut", ".", true).str(), "a.b");
  EXPECT_EQ(getSubstrBefore("NoDot", ".", true).str(), "NoDot");
  EXPECT_EQ(getSubstrAfter("Module.Plates.Top", ".").str(), "Plates.Top");
  EXPECT_EQ(getSubstrAfter("Module.Plates.Top", ".", true).str(), "Top");
  EXPECT_EQ(getSubstrAfter("NoDot", ".").str(), "");
  EXPECT_EQ(stripSymbols("\"\"quoted\"", "\"").str(), "quoted");
  EXPECT_EQ(stripSymbols("----", "-").str(), "");
}

TEST(IsNumber, WholeTextMustBeDecimal) {
  for (const char* yes : {"2", " -12.5 ", "+.5", "5.", "1e3", "1.5E-2"})
    EXPECT_TRUE(isNumber(yes)) << yes;
  for (const char* no : {"", " ", "ile", "2a", "1e", ".", "-", "0x1A", "inf", "nan", "1 2"})
    EXPECT_FALSE(isNumber(no)) << no;
}

TEST(FindFirstNumbers, PositionAndNumber) {
  Nx_String number;
  EXPECT_EQ(findFirstNumbers("HEA 100.5x20", &number), 4);
  EXPECT_EQ(number.str(), "100.5");
  EXPECT_EQ(findFirstNumbers("IPE200.", &number), 3);
  EXPECT_EQ(number.str(), "200");
  EXPECT_EQ(findFirstNumbers("no digits", &number), -1);
}

TEST(Search, SubstringsAndReplacing) {
  Nx_StringArray natives{"GetCell", "CallChild"};
  int index = -1;
  EXPECT_TRUE(hasASubstr("Y = callchild(Bolts, D)", natives, &index, false));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(hasASubstr("Y = callchild(Bolts, D)", natives, &index, true));
  EXPECT_FALSE(hasASubstr("anything", Nx_StringArray{""}, &index, false));

  EXPECT_EQ(findFirstFrom("abcabc", "BC", 2, false), 4);
  EXPECT_EQ(findFirstFrom("abcabc", "BC", 2, true), -1);
  Nx_String cell = "Plate plate PLATE";
  EXPECT_EQ(replaceSubString(cell, "plate", "Beam", false), 3);
  EXPECT_EQ(cell.str(), "Beam Beam Beam");
  EXPECT_TRUE(endsWith("Plate.THICKNESS", ".Thickness", false));
  EXPECT_FALSE(endsWith("s", ".Thickness", false));
}

TEST(FileNameChars, WindowsReservedAndControlBytes) {
  EXPECT_FALSE(hasInvalidFileNameChars("Plate thickness_2 (mm) \xE9"));
  for (const char* bad : {"a/b", "a\\b", "c:", "a*", "a?", "\"a\"", "<a>", "a|b", "tab\there"})
    EXPECT_TRUE(hasInvalidFileNameChars(bad)) << bad;
}

TEST(ColumnLetters, CountLikeASpreadsheet) {
  const std::pair<int, const char*> cases[] = {{0, ""},     {-3, ""},     {1, "A"},      {3, "C"},
                                               {26, "Z"},   {27, "AA"},   {52, "AZ"},    {53, "BA"},
                                               {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
  for (auto [column, letters] : cases) EXPECT_EQ(getAlfabet(column).str(), letters) << column;
}

TEST(RandomString, LengthAlphabetAndFailure) {
  Nx_String key = generateRandomString(24, true);
  ASSERT_EQ(key.length(), 24);
  for (char c : key.str()) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)));
  Nx_String letters = generateRandomString(200, false);
  for (char c : letters.str()) EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(c)));
  EXPECT_NE(generateRandomString(24, true), generateRandomString(24, true));
  EXPECT_TRUE(generateRandomString(0, true).isEmpty());
  EXPECT_TRUE(generateRandomString(5000, true).isEmpty());
}
