// Whole-word replacement: the rule as written, and the prepared replacer
// checked against it on random names, values and texts.
#include <gtest/gtest.h>

#include <random>

#include "standards/WholeWordReplace.h"

namespace {

Nx_String replaced(Nx_String text, const Nx_StringArray& names, const Nx_StringArray& values,
                   bool quote = false) {
  replaceWholeWords(text, names, values, quote);
  return text;
}

TEST(WholeWordReplace, OnlyWholeWordsAreReplaced) {
  Nx_StringArray names = {"Height"}, refs = {"B3"};
  EXPECT_EQ(replaced("Height * 2", names, refs), "B3 * 2");
  EXPECT_EQ(replaced("Height2 + my_Height + _Height + Height_", names, refs),
            "Height2 + my_Height + _Height + Height_");
  EXPECT_EQ(replaced("(height)+HEIGHT.x-Height", names, refs), "(B3)+B3.x-B3");
  // Bytes beyond ASCII are no word bytes.
  EXPECT_EQ(replaced("\xE9Height\xB2", names, refs),
            "\xE9"
            "B3\xB2");
}

TEST(WholeWordReplace, QuotedTextIsLiteral) {
  Nx_StringArray names = {"Hole", "Bolts"}, refs = {"C4", "C5"};
  EXPECT_EQ(replaced("GETCELL(\"Bolts.txt\", Bolts, \"Hole\") + Hole", names, refs),
            "GETCELL(\"Bolts.txt\", C5, \"Hole\") + C4");
  EXPECT_EQ(replaced("\"say \"\"Hole\"\" twice\" & Hole", names, refs),
            "\"say \"\"Hole\"\" twice\" & C4");
  // An unclosed quote keeps the rest of the text literal.
  EXPECT_EQ(replaced("Hole & \"Hole", names, refs), "C4 & \"Hole");
}

TEST(WholeWordReplace, OnePassAndWhatIsPutInIsNeverSearchedAgain) {
  EXPECT_EQ(replaced("A + B", {"A", "B"}, {"B", "C"}), "B + C");
  EXPECT_EQ(replaced("A + B", {"B", "A"}, {"C", "B"}), "B + C");
  EXPECT_EQ(replaced("X", {"X"}, {"X+X"}), "X+X");
  // A variable called A2 while X sits in cell A2: X's reference stays A2.
  EXPECT_EQ(replaced("X + A2", {"X", "A2"}, {"A2", "B5"}), "A2 + B5");
  EXPECT_EQ(replaced("A2 * X", {"A2", "X"}, {"B5", "A2"}), "B5 * A2");
  // The shorter list decides how many pairs there are; an empty name matches nothing.
  EXPECT_EQ(replaced("A B", {"A", "B"}, {"1"}), "1 B");
  EXPECT_EQ(replaced("A  B", {""}, {"1"}), "A  B");
}

TEST(WholeWordReplace, NamesWithOtherBytesFollowTheSameRule) {
  Nx_StringArray names = {"Column.Name", "Plate Width"}, refs = {"B2", "B3"};
  EXPECT_EQ(replaced("SECTIONSIZE(Column.Name, 1) + Plate Width*2", names, refs),
            "SECTIONSIZE(B2, 1) + B3*2");
  EXPECT_EQ(replaced("MyColumn.Name + Column.Names", names, refs), "MyColumn.Name + Column.Names");
  // An occurrence that does not count is passed over as a whole.
  EXPECT_EQ(replaced("xa.a.a", {"a.a"}, {"R"}), "xa.a.a");
}

TEST(WholeWordReplace, ANameDirectlyBeforeAParenthesisCallsAFunction) {
  Nx_StringArray names = {"Max", "gen_Round"}, refs = {"C3", "5"};
  EXPECT_EQ(replaced("MAX(Max, 2) + max(1, Max)", names, refs), "MAX(C3, 2) + max(1, C3)");
  EXPECT_EQ(replaced("gen_Round(1) + gen_Round", names, refs), "gen_Round(1) + 5");
  EXPECT_EQ(replaced("Max (1)", names, refs), "C3 (1)");
  WholeWordReplacer replacer;
  replacer.setPairs(names, refs, false);
  Nx_String text = "MAX(Max, 2)";
  EXPECT_TRUE(replacer.replace(text));
  EXPECT_EQ(text, "MAX(C3, 2)");
}

TEST(WholeWordReplace, WhereSeveralNamesCountTheLongestIsReplaced) {
  Nx_StringArray names = {"Plate", "Plate.Name", "plate"}, refs = {"B1", "B2", "B3"};
  EXPECT_EQ(replaced("Plate.Name & PLATE & Plate.Names", names, refs), "B2 & B1 & B1.Names");
}

TEST(WholeWordReplace, QuotedValuesAreTextUnlessTheyAreNumbers) {
  Nx_StringArray names = {"gen_A", "gen_B", "gen_C"}, values = {"10.5", "S355", "5\" bar"};
  EXPECT_EQ(replaced("gen_A*2 & gen_B & gen_C", names, values, true),
            "10.5*2 & \"S355\" & \"5\"\" bar\"");
  EXPECT_EQ(replacementValue(" -1e3 ", true), " -1e3 ");
  EXPECT_EQ(replacementValue("", true), "\"\"");
  EXPECT_EQ(replacementValue("abc", false), "abc");
}

TEST(WholeWordReplace, TellsWhetherAnythingWasReplaced) {
  Nx_String text = "A + B";
  EXPECT_FALSE(replaceWholeWords(text, {"C"}, {"1"}, false));
  EXPECT_TRUE(replaceWholeWords(text, {"A"}, {"A"}, false));
  WholeWordReplacer replacer;
  replacer.setPairs({"A", "x.y"}, {"A", "z"}, false);
  EXPECT_TRUE(replacer.replace(text));
  Nx_String other = "q";
  EXPECT_FALSE(replacer.replace(other));
}

// Texts, names and values drawn from a small alphabet, so that names occur
// in texts and in values, touch each other, sit in quotes and hold blanks,
// dots and quotes themselves.
class RandomCase {
 public:
  explicit RandomCase(unsigned seed) : engine_(seed) {}

  std::string pick(const char* alphabet, int maxLength, int minLength = 0) {
    std::string s;
    int n = std::uniform_int_distribution<int>(minLength, maxLength)(engine_);
    size_t size = std::char_traits<char>::length(alphabet);
    for (int i = 0; i < n; ++i)
      s += alphabet[std::uniform_int_distribution<size_t>(0, size - 1)(engine_)];
    return s;
  }
  bool chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(engine_) < percent; }
  int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

  void make(Nx_StringArray& names, Nx_StringArray& values, Nx_String& text) {
    int pairs = number(0, 7);
    for (int i = 0; i < pairs; ++i) {
      std::string name = chance(70) ? pick("abAB_1", 3, 1) : pick("abA1. \"_(", 4);
      if (chance(15) && !names.isEmpty()) name = names[number(0, names.length() - 1)].str();
      names.append(name);
      std::string value = chance(40) ? pick("abAB1", 3) : pick("abAB1. \"+", 5);
      if (chance(25)) value = name + pick(" .+", 1) + name;
      values.append(value);
    }
    if (chance(20)) names.append("extra");
    std::string t;
    int parts = number(0, 12);
    for (int i = 0; i < parts; ++i) {
      if (!names.isEmpty() && chance(50))
        t += names[number(0, names.length() - 1)].str();
      else
        t += pick("abAB1_ .\"(+", 3, 1);
      if (chance(30) && !t.empty()) t.back() = static_cast<char>(t.back() ^ 0x20);
    }
    text = t;
  }

 private:
  std::mt19937 engine_;
};

TEST(WholeWordReplace, ThePreparedReplacerGivesTheRulesResultOnRandomCases) {
  for (unsigned seed = 1; seed <= 40000; ++seed) {
    RandomCase random(seed);
    Nx_StringArray names, values;
    Nx_String text;
    random.make(names, values, text);
    bool quote = seed % 2 == 0;
    Nx_String expected = text, actual = text;
    bool expectedChanged = replaceWholeWords(expected, names, values, quote);
    WholeWordReplacer replacer;
    replacer.setPairs(names, values, quote);
    bool changed = replacer.replace(actual);
    ASSERT_EQ(actual, expected) << "seed " << seed << " text [" << text.str() << "]";
    ASSERT_EQ(changed, expectedChanged) << "seed " << seed;
  }
}

TEST(WholeWordReplace, TheHitsAreThePairsReplacedInTextOrder) {
  WholeWordReplacer replacer;
  replacer.setPairs({"Width", "W", "Height"}, {"B2", "B3", "B4"}, false);
  Nx_String text = "Height + \"Width\" + W(1) + Width * Height + W";
  std::vector<int> hits;
  ASSERT_TRUE(replacer.replace(text, &hits));
  EXPECT_EQ(text, "B4 + \"Width\" + W(1) + B2 * B4 + B3");
  // Quoted text and a function call are no uses of a name.
  EXPECT_EQ(hits, (std::vector<int>{2, 0, 2, 1}));
}

}  // namespace
