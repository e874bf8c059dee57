#include <gtest/gtest.h>

#include "tests/grid/GridTestUtil.h"

using namespace grid;
using gridtest::eval;
using gridtest::fill;

namespace {
// Records what the callback saw.
struct Probe {
  std::vector<ValueRecord> args;
  CustomFunctionCallback callback(ValueRecord result, bool ok = true) {
    return [this, result, ok](ValueRecord& r, std::span<const ValueRecord> a) {
      args.assign(a.begin(), a.end());
      r = result;
      return ok;
    };
  }
};
}  // namespace

TEST(CustomFunctions, ArgumentsArriveAsRecords) {
  Sheet s;
  fill(s, {{"A1", "2.5"}, {"A2", "text"}});
  Probe p;
  ASSERT_TRUE(s.addCustomFunctionExt("probe", 0, 6, p.callback(ValueRecord::makeDouble(1))));
  EXPECT_EQ(eval(s, "=PROBE(A1, A2, A3, TRUE, \"lit\", A1:A2)"), "1");
  ASSERT_EQ(p.args.size(), 6u);
  EXPECT_EQ(p.args[0].type, RecordType::Double);
  EXPECT_EQ(p.args[0].number, 2.5);
  EXPECT_EQ(p.args[1].type, RecordType::Text);
  EXPECT_EQ(p.args[1].text, "text");
  EXPECT_TRUE(p.args[2].isEmpty());
  EXPECT_EQ(p.args[3].type, RecordType::Integer);
  EXPECT_EQ(p.args[3].integer, 1);
  EXPECT_EQ(p.args[4].text, "lit");
  EXPECT_EQ(p.args[5].type, RecordType::Range);
  EXPECT_EQ(p.args[5].row2, 2);
}

TEST(CustomFunctions, FlagOnePassesReferences) {
  Sheet s;
  fill(s, {{"B3", "9"}});
  Probe p;
  ASSERT_TRUE(s.addCustomFunctionExt("REFS", 1, 2, p.callback(ValueRecord::makeCellRef(2, 3)),
                                     kCustomFunctionRefArgs));
  EXPECT_EQ(eval(s, "=REFS(B3, 4)"), "9");  // a cell reference result reads the cell
  EXPECT_EQ(p.args[0].type, RecordType::CellRef);
  EXPECT_EQ(p.args[0].col, 2);
  EXPECT_EQ(p.args[0].row, 3);
  EXPECT_EQ(p.args[1].type, RecordType::Double);
}

TEST(CustomFunctions, ResultsAndFailures) {
  Sheet s;
  Probe p;
  s.addCustomFunctionExt("TXT", 0, 0, p.callback(ValueRecord::makeText("hello")));
  s.addCustomFunctionExt("WHOLE", 0, 0, p.callback(ValueRecord::makeInteger(42)));
  s.addCustomFunctionExt("NONE", 0, 0, p.callback(ValueRecord{}));
  s.addCustomFunctionExt("FAILS", 0, 0, p.callback(ValueRecord{}, false));
  s.addCustomFunctionExt("THROWS", 0, 0, [](ValueRecord&, std::span<const ValueRecord>) -> bool {
    throw std::runtime_error("boom");
  });
  s.addCustomFunctionExt("TWO", 2, 2, p.callback(ValueRecord::makeDouble(2)));
  EXPECT_EQ(eval(s, "=TXT()&\"!\""), "hello!");
  EXPECT_EQ(eval(s, "=WHOLE()+1"), "43");
  EXPECT_EQ(eval(s, "=NONE()"), "");  // an empty result stays empty
  EXPECT_TRUE(s.value(30, 30).isEmpty());
  EXPECT_EQ(eval(s, "=FAILS()"), "#VALUE!");
  EXPECT_EQ(eval(s, "=THROWS()"), "#VALUE!");
  EXPECT_EQ(eval(s, "=TWO(1)"), "#VALUE!");
  EXPECT_EQ(eval(s, "=TWO(1, 1/0)"), "#DIV/0!");  // errors never reach the callback
}

TEST(CustomFunctions, RegistrationRules) {
  Sheet s;
  Probe p;
  EXPECT_FALSE(s.addCustomFunctionExt("SUM", 0, 1, p.callback(ValueRecord{})));  // built in
  EXPECT_FALSE(s.addCustomFunctionExt("", 0, 1, p.callback(ValueRecord{})));
  EXPECT_FALSE(s.addCustomFunctionExt("1X", 0, 1, p.callback(ValueRecord{})));
  EXPECT_FALSE(s.addCustomFunctionExt("X", 2, 1, p.callback(ValueRecord{})));
  EXPECT_FALSE(s.addCustomFunctionExt("X", 0, 1, nullptr));
  ASSERT_TRUE(
      s.addCustomFunctionExt("Twice", 1, 1, [](ValueRecord& r, std::span<const ValueRecord> a) {
        r = ValueRecord::makeDouble(a[0].number * 2);
        return true;
      }));
  EXPECT_EQ(eval(s, "=twice(4)"), "8");
  ASSERT_TRUE(
      s.addCustomFunctionExt("TWICE", 1, 1, [](ValueRecord& r, std::span<const ValueRecord> a) {
        r = ValueRecord::makeDouble(a[0].number * 3);
        return true;
      }));
  EXPECT_EQ(eval(s, "=TWICE(4)"), "12");  // replaced
  Sheet other;
  EXPECT_EQ(eval(other, "=TWICE(4)"), "#NAME?");  // per sheet
}

TEST(CustomFunctions, FormulasWrittenBeforeRegistrationBindLater) {
  Sheet s;
  s.setMaxCols(2);
  s.setMaxRows(2);
  ASSERT_TRUE(s.setFormula(1, 1, "=LATE(2)"));
  EXPECT_EQ(s.getValue(1, 1), "#NAME?");
  s.addCustomFunctionExt("LATE", 1, 1, [](ValueRecord& r, std::span<const ValueRecord> a) {
    r = ValueRecord::makeDouble(a[0].number + 1);
    return true;
  });
  s.reCalc();
  EXPECT_EQ(s.getValue(1, 1), "3");
}

TEST(CustomFunctions, CallbacksMayWriteOtherCellsButNotTheirOwn) {
  Sheet s;
  s.setMaxCols(3);
  s.setMaxRows(3);
  bool ownWrite = true, otherWrite = false, recalc = true;
  s.addCustomFunctionExt("SIDE", 0, 0, [&](ValueRecord& r, std::span<const ValueRecord>) {
    otherWrite = s.setData(3, 1, "written") && s.setData(1, 1, "x") && s.setData(3, 3, "more");
    ownWrite = s.setData(2, 2, "self");
    recalc = s.reCalc() || s.insRow(1) || s.setFormula(2, 2, "=1");
    r = ValueRecord::makeDouble(1);
    return true;
  });
  ASSERT_TRUE(s.setFormula(2, 2, "=SIDE()"));
  EXPECT_TRUE(otherWrite);
  EXPECT_FALSE(ownWrite);
  EXPECT_FALSE(recalc);
  EXPECT_EQ(s.getValue(2, 2), "1");
  EXPECT_EQ(s.getData(3, 1), "written");
  int c = 0, r = 0;
  EXPECT_FALSE(s.runningCell(c, r));
}
