#include "core/Nx_PropertiesList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TempDir.h"
#include "platform/base/AtomicFile.h"

namespace {
// A designed-dialog template as the designer writes it.
Nx_PropertiesList designTemplate() {
  Nx_PropertiesList list;
  list.setInt("nrOfControls", 2);
  list.setInt("type0", 30);
  list.setDouble("topLeftX0", 0.1);
  list.setDouble("topLeftY0", 1.0 / 3.0);
  list.setDouble("bottomRightX0", 0.25);
  list.setDouble("bottomRightY0", 2.0);
  list.setString("contents0", "gen_Flex \"A\"\\B");
  list.setString("comboList0", "Group;;third;");
  list.setInt("type1", 2);
  list.setString("contents1", "");
  list.setString("comboList1", "tab\tline\nbreak\r\x01\x7F \xE9\x95\xBF");
  list.setBool("readOnly1", true);
  list.setStringArray("items1", Nx_StringArray{"M16", "", "M, 20", "\"q\""});
  list.setStringArray("none1", Nx_StringArray{});
  list.setDouble("big", 1e300);
  list.setDouble("whole", 3.0);
  list.setDouble("nan", std::numeric_limits<double>::quiet_NaN());
  list.setDouble("inf", -std::numeric_limits<double>::infinity());
  return list;
}
}  // namespace

TEST(PropertiesList, TextRoundTripKeepsTypesValuesAndOrder) {
  Nx_PropertiesList list = designTemplate();
  Nx_PropertiesList back;
  Nx_String error;
  ASSERT_TRUE(back.fromText(list.toText(), &error)) << error.str();
  EXPECT_EQ(back, list);
  EXPECT_EQ(back.keys(), list.keys());
  Nx_PropertiesList::Type type;
  ASSERT_TRUE(back.getType("whole", type));
  EXPECT_EQ(type, Nx_PropertiesList::Type::Number);  // 3.0 stays a number
  double y = 0;
  ASSERT_TRUE(back.getDouble("topLeftY0", y));
  EXPECT_EQ(y, 1.0 / 3.0);  // exact, not rounded to a few decimals
  EXPECT_EQ(list.toText().str().substr(0, 27), "nrOfControls = 2\ntype0 = 30");
}

TEST(PropertiesList, GettersConvertOnlyWhereSafe) {
  Nx_PropertiesList list = designTemplate();
  int i = -1;
  double d = -1;
  bool b = false;
  Nx_String s = "untouched";
  Nx_StringArray a;
  EXPECT_TRUE(list.getDouble("type0", d));
  EXPECT_EQ(d, 30.0);
  EXPECT_TRUE(list.getInt("whole", i));
  EXPECT_EQ(i, 3);
  EXPECT_FALSE(list.getInt("topLeftX0", i));
  EXPECT_FALSE(list.getInt("big", i));
  EXPECT_FALSE(list.getString("type0", s));
  EXPECT_FALSE(list.getString("missing", s));
  EXPECT_EQ(s.str(), "untouched");
  EXPECT_TRUE(list.getBool("readOnly1", b));
  EXPECT_TRUE(b);
  list.setInt("flag", 0);
  EXPECT_TRUE(list.getBool("flag", b));
  EXPECT_FALSE(b);
  EXPECT_FALSE(list.getBool("type0", b));
  EXPECT_TRUE(list.getStringArray("items1", a));
  EXPECT_EQ(a, (Nx_StringArray{"M16", "", "M, 20", "\"q\""}));
  EXPECT_FALSE(list.getStringArray("contents0", a));
}

TEST(PropertiesList, SetReplacesInPlaceAndRemoveReindexes) {
  Nx_PropertiesList list;
  EXPECT_TRUE(list.setInt("a", 1));
  EXPECT_TRUE(list.setInt("b", 2));
  EXPECT_TRUE(list.setString("a", "now text"));
  EXPECT_EQ(list.keys(), (Nx_StringArray{"a", "b"}));
  EXPECT_TRUE(list.remove("a"));
  EXPECT_FALSE(list.remove("a"));
  int v = 0;
  EXPECT_TRUE(list.getInt("b", v));
  EXPECT_EQ(v, 2);
  for (const char* bad : {"", "two words", "a=b", "#x", "q\"", "tab\t"})
    EXPECT_FALSE(list.setInt(bad, 1)) << bad;
  EXPECT_EQ(list.length(), 1);
}

TEST(PropertiesList, HandWrittenTextIsForgiving) {
  Nx_PropertiesList list;
  ASSERT_TRUE(
      list.fromText("# template\r\n\n  nrOfControls=1  \r\ncontents0 = \"x\" \n"
                    "x = -5\ny = +2.5e1\nz = [ ]\n"));
  int n = 0;
  double y = 0;
  EXPECT_TRUE(list.getInt("nrOfControls", n));
  EXPECT_EQ(n, 1);
  EXPECT_TRUE(list.getInt("x", n));
  EXPECT_EQ(n, -5);
  EXPECT_TRUE(list.getDouble("y", y));
  EXPECT_EQ(y, 25.0);
  Nx_StringArray empty{"stale"};
  EXPECT_TRUE(list.getStringArray("z", empty));
  EXPECT_TRUE(empty.isEmpty());
}

TEST(PropertiesList, ParseErrorsNameTheLineAndChangeNothing) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"a = 1\nno equals sign", "t.txt:2: expected key = value"},
      {"a = \n", "t.txt:1: the value is missing"},
      {"a = plain words", "t.txt:1: \"plain\" is not a value"},
      {"a = \"open", "t.txt:1: the text has no closing double quote"},
      {"a = \"bad \\q\"", "t.txt:1: unknown escape \\q"},
      {"a = \"\\x4\"", "t.txt:1: \\x needs two hexadecimal digits"},
      {"a = [\"x\" \"y\"]", "t.txt:1: the list has no closing ]"},
      {"a = [1, 2]", "t.txt:1: a list holds texts"},
      {"a = 1\na = 2", "t.txt:2: the key \"a\" is set twice"},
      {"a = 1 2", "t.txt:1: unexpected \"2\" after the value"},
      {"two words = 1", "t.txt:1: \"two words\" is not a key"},
      {"a = 0x1A", "t.txt:1: \"0x1A\" is not a value"},
  };
  for (const Case& c : cases) {
    Nx_PropertiesList list;
    list.setInt("kept", 7);
    Nx_String error;
    EXPECT_FALSE(list.fromText(c.text, &error, "t.txt")) << c.text;
    EXPECT_EQ(error.str().substr(0, std::string(c.error).size()), c.error) << c.text;
    EXPECT_EQ(list.keys(), (Nx_StringArray{"kept"}));
  }
}

TEST(PropertiesList, FilesAreWrittenWholeOrNotAtAll) {
  TempDir dir;
  Nx_PropertiesList list = designTemplate();
  Nx_String error;
  ASSERT_TRUE(list.writeToFile(dir / "End plate.txt", &error)) << error.str();
  Nx_PropertiesList back;
  ASSERT_TRUE(back.readFromFile(dir / "End plate.txt", &error)) << error.str();
  EXPECT_EQ(back, list);

  std::string before = dir.read("End plate.txt");
  Nx_PropertiesList other;
  other.setInt("nrOfControls", 0);
  base::setAtomicWriteFailureAfter(3);
  bool written = other.writeToFile(dir / "End plate.txt", &error);
  base::setAtomicWriteFailureAfter(-1);
  EXPECT_FALSE(written);
  EXPECT_EQ(dir.read("End plate.txt"), before);

  EXPECT_FALSE(back.readFromFile(dir / "missing.txt", &error));
  EXPECT_NE(error.find("missing.txt", true), -1) << error.str();
  dir.write("broken.txt", "nrOfControls = 1\ntype0 = ?\n");
  EXPECT_FALSE(back.readFromFile(dir / "broken.txt", &error));
  EXPECT_NE(error.find("broken.txt:2:", true), -1) << error.str();
  EXPECT_EQ(back, list);
}
