// Pieces of the engine that the sheet-level tests reach only in part.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/grid/FormulaDisplay.h"
#include "platform/grid/SpanTable.h"
#include "platform/grid/formula/Parser.h"
#include "platform/grid/formula/ReferenceRewriter.h"
#include "platform/grid/formula/ReferenceStyle.h"
#include "platform/grid/functions/Criteria.h"
#include "platform/grid/functions/Wildcard.h"
#include "tests/grid/GridTestUtil.h"

using namespace grid;
using gridtest::eval;
using gridtest::fill;

namespace {
// Rows at or after 3 move down by 2; row 9 and later fall off.
struct InsertTwoAtThree : ReferenceMap {
  std::optional<CellPos> cell(CellPos p) const override {
    if (p.row >= 3) p.row += 2;
    if (p.row > 10) return std::nullopt;
    return p;
  }
  std::optional<Area> area(const Area& a) const override {
    Area r = a;
    if (r.row1 >= 3) r.row1 += 2;
    if (r.row2 >= 3) r.row2 = std::min(r.row2 + 2, 10);
    if (r.row1 > 10) return std::nullopt;
    return r;
  }
};
}  // namespace

TEST(ReferenceRewriting, KeepsStyleAndSpacing) {
  InsertTwoAtThree map;
  EXPECT_EQ(rewriteReferences("A1 + $B$4 * sum( C2:C5 )", {5, 5}, {5, 7}, &map),
            "A1 + $B$6 * sum( C2:C7 )");
  // R1C1: relative parts are written against the cell's new place.
  EXPECT_EQ(rewriteReferences("R[-1]C+R1C1+RC[-2]", {5, 5}, {5, 7}, &map), "R[-1]C+R1C1+RC[-2]");
  EXPECT_EQ(rewriteReferences("R[-3]C", {5, 5}, {5, 7}, &map),
            "R[-5]C");  // row 2 stays, the cell moved
  EXPECT_EQ(rewriteReferences("A9+1", {1, 1}, {1, 1}, &map), "#REF!+1");         // fell off the end
  EXPECT_EQ(rewriteReferences("\"A3\"&A3", {1, 1}, {1, 1}, &map), "\"A3\"&A5");  // text is text
  EXPECT_EQ(rewriteReferences("LOG10(A3)", {1, 1}, {1, 1}, &map), "LOG10(A5)");
}

TEST(ReferenceRewriting, CopiesMoveRelativePartsOnly) {
  EXPECT_EQ(rewriteReferences("A1+$A1+A$1+$A$1", {2, 2}, {4, 5}, nullptr), "C4+$A4+C$1+$A$1");
  EXPECT_EQ(rewriteReferences("R[-1]C[1]+R2C2", {2, 2}, {4, 5}, nullptr), "R[-1]C[1]+R2C2");
  EXPECT_EQ(rewriteReferences("A1+SUM(A1:B2)", {3, 3}, {1, 1}, nullptr), "#REF!+SUM(#REF!)");
}

TEST(Wildcards, MatchAndSearch) {
  EXPECT_TRUE(wildcardMatch("a*c", "ABBBC"));
  EXPECT_TRUE(wildcardMatch("a?c", "abc"));
  EXPECT_FALSE(wildcardMatch("a?c", "ac"));
  EXPECT_TRUE(wildcardMatch("*", ""));
  EXPECT_TRUE(wildcardMatch("~*x", "*X"));
  EXPECT_FALSE(wildcardMatch("~*x", "ax"));
  EXPECT_TRUE(wildcardMatch("a**b", "ab"));
  EXPECT_EQ(wildcardSearch("b*d", "abcabd", 0), 1);
  EXPECT_EQ(wildcardSearch("b*d", "abcabc", 0), -1);
  EXPECT_EQ(wildcardSearch("c", "abcabc", 3), 5);
  EXPECT_EQ(wildcardSearch("", "abc", 1), 1);
  EXPECT_EQ(wildcardSearch("x", "abc", 9), -1);
  // A pathological pattern over a long text answers quickly.
  std::string text(20000, 'a');
  EXPECT_EQ(wildcardSearch("a*a*a*a*b", text, 0), -1);
}

TEST(Criteria, OperatorsKindsAndEmptiness) {
  auto num = [](double d) { return Value::makeNumber(d); };
  auto txt = [](const char* t) { return Value::makeText(t); };
  EXPECT_TRUE(Criterion(txt(">=5")).matches(num(5)));
  EXPECT_FALSE(Criterion(txt(">=5")).matches(txt("9")));  // text is no number here
  EXPECT_TRUE(Criterion(txt("<>5")).matches(txt("x")));
  EXPECT_TRUE(Criterion(txt("<>5")).matches(Value{}));
  EXPECT_TRUE(Criterion(txt("=abc")).matches(txt("ABC")));
  EXPECT_TRUE(Criterion(txt("a?c")).matches(txt("abc")));
  EXPECT_TRUE(Criterion(txt("<b")).matches(txt("A")));
  EXPECT_TRUE(Criterion(num(2)).matches(num(2)));
  EXPECT_TRUE(Criterion(txt("TRUE")).matches(Value::makeBool(true)));
  EXPECT_TRUE(Criterion(txt("")).matches(Value{}));
  EXPECT_TRUE(Criterion(txt("")).matchesEmpty());
  EXPECT_FALSE(Criterion(txt("")).matches(num(0)));
  EXPECT_TRUE(Criterion(txt("<>")).matches(num(0)));
  EXPECT_FALSE(Criterion(txt("<>")).matches(Value{}));
}

TEST(SpanLookup, TallAndWideSpans) {
  SpanTable t;
  ASSERT_TRUE(t.add({2, 1, 2, 500}));
  ASSERT_TRUE(t.add({1, 3, 1, 3}) == true);  // one cell: nothing to keep
  EXPECT_EQ(t.size(), 1u);
  ASSERT_TRUE(t.add({3, 10, 9, 10}));
  EXPECT_TRUE(t.find(2, 499).has_value());
  EXPECT_FALSE(t.find(2, 501).has_value());
  EXPECT_EQ(t.find(9, 10)->col1, 3);
  EXPECT_FALSE(t.find(1, 10).has_value());
  EXPECT_FALSE(t.add({1, 400, 3, 400}));  // crosses the tall span
  t.remap([](const Area& a) { return a.col1 == 3 ? std::nullopt : std::optional<Area>(a); });
  EXPECT_FALSE(t.find(5, 10).has_value());
}

TEST(SpanLookup, OverlapsAreFoundFromEverySide) {
  SpanTable t;
  ASSERT_TRUE(t.add({1, 5, 100, 5}));    // wide, anchored far to the left
  EXPECT_FALSE(t.add({50, 4, 50, 6}));   // crosses it from above
  EXPECT_FALSE(t.add({60, 5, 61, 5}));   // anchored inside it
  EXPECT_FALSE(t.add({0, 1, 1, 9}));     // holds its anchor
  EXPECT_TRUE(t.add({101, 5, 102, 5}));  // just beside it
  EXPECT_TRUE(t.add({1, 5, 3, 5}));      // the same anchor: replaced
  EXPECT_TRUE(t.add({50, 4, 50, 6}));    // now free
  EXPECT_EQ(t.find(50, 5)->row1, 4);
  EXPECT_TRUE(t.add({1, 5, 1, 5}));  // one cell at an anchor removes it
  EXPECT_FALSE(t.find(2, 5).has_value());
  EXPECT_FALSE(t.add({3, 3, 2, 3}));  // malformed
}

// A whole set goes in as one add after another in anchor order would.
TEST(SpanLookup, AssignLeavesOutWhatOverlapsAnEarlierSpan) {
  SpanTable t;
  std::vector<Area> spans = {{3, 3, 4, 4}, {1, 1, 3, 3}, {4, 4, 5, 4}, {7, 1, 7, 1},
                             {1, 1, 2, 1}, {6, 2, 6, 9}, {5, 5, 6, 5}};
  EXPECT_EQ(t.assign(spans), (std::vector<std::size_t>{1, 2, 6}));
  // (1,1)-(2,1) replaces (1,1)-(3,3) at the same anchor, so (3,3)-(4,4)
  // fits; (4,4)-(5,4) meets it and (5,5)-(6,5) the tall one; the single
  // cell is no span.
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t.find(2, 1)->col2, 2);
  EXPECT_EQ(t.find(4, 4)->row1, 3);
  EXPECT_EQ(t.find(6, 9)->row1, 2);
  EXPECT_FALSE(t.find(5, 5).has_value());
}

TEST(ImplicitIntersection, OneColumnBlockReadsTheFormulasRow) {
  Sheet s;
  fill(s, {{"A1", "1"}, {"A2", "2"}, {"A3", "3"}, {"B1", "10"}, {"C1", "20"}});
  s.setMaxCols(4);
  ASSERT_TRUE(s.setFormula(4, 2, "=A1:A3*10"));
  EXPECT_EQ(s.getValue(4, 2), "20");
  ASSERT_TRUE(s.setFormula(3, 3, "=A1:C1+1"));
  EXPECT_EQ(s.getValue(3, 3), "21");
  ASSERT_TRUE(s.setFormula(4, 3, "=A1:C2"));
  EXPECT_EQ(s.getValue(4, 3), "#VALUE!");
}

TEST(AutomaticRecalculation, ReachesFormulasThroughBlocksAndChains) {
  Sheet s;
  fill(s, {{"A1", "1"}, {"A2", "2"}, {"B1", "=SUM(A1:A5)"}, {"C1", "=B1*2"}, {"D1", "=C1&\"!\""}});
  s.setMaxRows(5);
  s.setBool(7, true);
  ASSERT_TRUE(s.setData(1, 5, "10"));
  EXPECT_EQ(s.getValue(2, 1), "13");
  EXPECT_EQ(s.getValue(4, 1), "26!");
  ASSERT_TRUE(s.setData(1, 2, ""));
  EXPECT_EQ(s.getValue(3, 1), "22");
  ASSERT_TRUE(s.clearRange({1, 1, 1, 5}));
  EXPECT_EQ(s.getValue(3, 1), "0");
}

TEST(DelimitedText, SeparatorsLineEndsAndShapes) {
  Sheet s;
  std::string error;
  ASSERT_TRUE(s.loadFromText("a;b;c\r1;2\r\r4", "cr.csv", error)) << error;
  EXPECT_EQ(s.maxCols(), 3);
  EXPECT_EQ(s.maxRows(), 4);  // the empty line is a row
  EXPECT_EQ(s.getData(1, 4), "4");
  ASSERT_TRUE(s.loadFromText("x,\"a;b\",\"c,d\"\n", "q.csv", error)) << error;
  EXPECT_EQ(s.getData(3, 1), "c,d");
  ASSERT_TRUE(s.loadFromText("a,,\n", "trail.csv", error)) << error;
  EXPECT_EQ(s.maxCols(), 3);
  EXPECT_FALSE(s.loadFromText("\"a\"b,c\n", "bad.csv", error));
  EXPECT_NE(error.find("line 1, cell A1: text after the closing quote"), std::string::npos)
      << error;
  // A formula that does not parse loads; its warning counts the lines of the file.
  ASSERT_TRUE(s.loadFromText("a\n\"x\ny\",=1+\n", "ml.csv", error)) << error;
  ASSERT_EQ(s.loadWarnings().size(), 1u);
  EXPECT_NE(s.loadWarnings()[0].find("line 3, cell B2"), std::string::npos) << s.loadWarnings()[0];
}

TEST(ReferenceStyle, WritesReferencesInR1C1RelativeToTheCell) {
  CellPos c3{3, 3};
  EXPECT_EQ(formulaInStyle("B2+C3+D4", c3, RefStyle::R1C1), "R[-1]C[-1]+RC+R[1]C[1]");
  EXPECT_EQ(formulaInStyle("$A$1*$B2+B$2", c3, RefStyle::R1C1), "R1C1*R[-1]C2+R2C[-1]");
  EXPECT_EQ(formulaInStyle("SUM( A1:B2 )", c3, RefStyle::R1C1), "SUM( R[-2]C[-2]:R[-1]C[-1] )");
  // Texts and names are no references; R1C1 references stay as they are.
  EXPECT_EQ(formulaInStyle("\"A1\"&LEN(R1C1)&R[1]C", c3, RefStyle::R1C1), "\"A1\"&LEN(R1C1)&R[1]C");
  EXPECT_EQ(formulaInStyle("B2", c3, RefStyle::AsWritten), "B2");
}

TEST(ReferenceStyle, WritesR1C1ReferencesBackInA1) {
  CellPos c3{3, 3};
  EXPECT_EQ(formulaInStyle("R[-1]C[-1]+RC+R1C1", c3, RefStyle::A1), "B2+C3+$A$1");
  EXPECT_EQ(formulaInStyle("R[-1]C2+R2C[-1]", c3, RefStyle::A1), "$B2+B$2");
  // A reference outside the sheet from here keeps its form.
  EXPECT_EQ(formulaInStyle("R[-5]C+1", c3, RefStyle::A1), "R[-5]C+1");
  // The round trip gives the formula back.
  std::string a1 = "IF($A1>B$2,SUM(C1:D2),AA10)";
  EXPECT_EQ(formulaInStyle(formulaInStyle(a1, {5, 12}, RefStyle::R1C1), {5, 12}, RefStyle::A1), a1);
}

TEST(ReferenceStyle, TheSheetShowsFormulasInItsStyle) {
  Sheet s;
  s.setMaxCols(3);
  s.setMaxRows(3);
  ASSERT_TRUE(s.setFormula(2, 2, "A1*2"));
  EXPECT_EQ(displayFormula(s, 2, 2), "A1*2");
  EXPECT_TRUE(setRefStyle(s, 2));
  EXPECT_EQ(displayFormula(s, 2, 2), "R[-1]C[-1]*2");
  EXPECT_EQ(s.getFormula(2, 2), "A1*2");  // what is stored and saved stays as written
  EXPECT_FALSE(setRefStyle(s, 3));
  EXPECT_EQ(displayFormula(s, 1, 1), "");
}

// Formulas of every size made and dropped on several threads at once: each
// keeps its own program and text however the pooled blocks are reused.
TEST(FormulaStorage, BlocksAreReusedWithoutOverlap) {
  auto work = [](int seed, bool& intact) {
    FormulaParser parser;
    std::vector<std::pair<std::string, CompiledFormula>> kept;
    for (int i = 0; i < 3000; ++i) {
      int terms = 1 + (i * 7 + seed) % 60;  // from a few bytes to past the pooled sizes
      std::string text = "A" + std::to_string(1 + (i + seed) % 900);
      for (int t = 1; t < terms; ++t)
        text += "+" + std::to_string(t * seed % 97) + "*B" + std::to_string(t);
      CompiledFormula f;
      if (!parser.compile(text, 1, 1, f)) {
        intact = false;
        return;
      }
      kept.emplace_back(text, std::move(f));
      if (i % 3 == 2) kept.erase(kept.begin() + (i * 13 + seed) % static_cast<int>(kept.size()));
    }
    for (const auto& [text, f] : kept) {
      CompiledFormula again;
      parser.compile(text, 1, 1, again);
      auto a = f.code(), b = again.code();
      if (f.text() != text || !std::equal(a.begin(), a.end(), b.begin(), b.end())) intact = false;
    }
  };
  bool intact[4] = {true, true, true, true};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) threads.emplace_back(work, t + 3, std::ref(intact[t]));
  for (std::thread& t : threads) t.join();
  for (bool ok : intact) EXPECT_TRUE(ok);
}
