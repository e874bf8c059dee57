#include <gtest/gtest.h>

#include "core/CspProblems.h"

namespace {
Nx_Array<Nx_StringArray> rowsOf(std::initializer_list<Nx_StringArray> rows) {
  Nx_Array<Nx_StringArray> out;
  for (const Nx_StringArray& r : rows) out.append(r);
  return out;
}
}  // namespace

TEST(CspProblems, BadLinesAreNamedByFileAndLineAndLeftOut) {
  auto parts = rowsOf({{"HEA200", "2900", "4", "B1"},
                       {"HEA200", "2900"},
                       {"HEA200", "-5", "1"},
                       {},
                       {"HEA200", "1000", "2.5"},
                       {"HEA200", "abc", "1"},
                       {"HEA200", "20000", "1", "LONG"}});
  auto shop = rowsOf({{"hea200 ", "12000", "1"}, {"HEA200", "6000", "x"}});
  auto buy = rowsOf({{"HEA200", "6000", "-1"}, {"HEB300", "6000", "50"}});
  Nx_StringArray faults;
  auto problems = cspProblems({&parts, "p.cut"}, {&shop, "s.shp"}, {&buy, "b.buy"}, 3, faults);
  EXPECT_EQ(faults, (Nx_StringArray{
                        "p.cut: line 2: a short line: 2 of 3 cells (profile, length, count)",
                        "p.cut: line 3: the length \"-5\" is not a positive number",
                        "p.cut: line 5: the count \"2.5\" is not a whole number",
                        "p.cut: line 6: the length \"abc\" is not a positive number",
                        "s.shp: line 2: the count \"x\" is not a whole number",
                        "b.buy: line 1: the price \"-1\" is not a number of 0 or more",
                        "p.cut: line 7: the piece of 20000 mm is longer than every stock "
                        "length of HEA200",
                    }));
  ASSERT_EQ(problems.size(), 1u);
  const csp::Problem& p = problems[0];
  EXPECT_EQ(p.name, "HEA200");
  EXPECT_DOUBLE_EQ(p.sawCut, 3);
  ASSERT_EQ(p.pieces.size(), 2u);  // the long piece stays, for the plan to report
  EXPECT_EQ(p.pieces[1].mark, "LONG");
  ASSERT_EQ(p.stock.size(), 1u);  // profiles match without case and blanks
  EXPECT_EQ(p.stock[0].count, 1);
}

TEST(CspProblems, OneProblemPerProfileWithItsOwnStock) {
  auto parts =
      rowsOf({{"IPE240", "5000", "2"}, {"HEB300", "3600", "1", ""}, {"IPE240", "700", "3"}});
  auto shop = rowsOf({{"IPE240", "12000", "1"}});
  auto buy = rowsOf({{"HEB300", "12000", "61.5"}, {"IPE240", "6000", "40"}});
  Nx_StringArray faults;
  auto problems = cspProblems({&parts, "parts"}, {&shop, "stock"}, {&buy, "buy"}, 0, faults);
  EXPECT_TRUE(faults.isEmpty());
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0].name, "IPE240");
  EXPECT_EQ(problems[0].pieces.size(), 2u);
  EXPECT_EQ(problems[0].stock.size(), 2u);
  EXPECT_EQ(problems[1].pieces[0].mark, "line 2");  // no mark: the line says which
  ASSERT_EQ(problems[1].stock.size(), 1u);
  EXPECT_DOUBLE_EQ(problems[1].stock[0].pricePerMetre, 61.5);
}

TEST(CspProblems, PartsWithoutAnyStockAreNamed) {
  auto parts = rowsOf({{"UNP100", "500", "1"}});
  Nx_StringArray faults;
  auto problems = cspProblems({&parts, "parts"}, {}, {}, 0, faults);
  EXPECT_EQ(faults, (Nx_StringArray{"parts: line 1: no stock length of UNP100"}));
  EXPECT_EQ(problems.size(), 1u);
}
