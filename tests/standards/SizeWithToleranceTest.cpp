// The choice of a standard size within tolerances, and its fall-back to
// rounding, on standard lists given directly.
#include "standards/SizeWithTolerance.h"

#include <gtest/gtest.h>

#include "core/Nx_Settings.h"
#include "platform/ui/testing/GTestScript.h"
#include "tests/standards/FunctionsFixture.h"

namespace {

double size(AcArray<double> standards, double value, double step, double down, double up) {
  return sizeWithTolerance(standards, value, step, down, up);
}

TEST(SizeWithTolerance, NearestStandardWithinTolerances) {
  EXPECT_EQ(size({8, 10, 12}, 10.4, 1, 1, 1), 10);  // nearer, below
  EXPECT_EQ(size({8, 10, 12}, 11, 1, 1, 1), 10);    // equally near: below
  EXPECT_EQ(size({8, 10, 12}, 11.2, 1, 1, 1), 12);  // nearer, above
  EXPECT_EQ(size({12, 10, 8}, 10, 1, 1, 1), 10);    // order of the list does not matter
  EXPECT_EQ(size({10, 12}, 10, 1, 0, 0), 10);       // a standard equal to the value
  // The nearer one out of its tolerance: the other side is tried.
  EXPECT_EQ(size({8, 11}, 9.2, 1, 0.5, 2), 11);  // below 1.2 away, down only 0.5
  EXPECT_EQ(size({8, 11}, 9.8, 1, 2, 0.5), 8);   // above 1.2 away, up only 0.5
  // Only one side at all.
  EXPECT_EQ(size({20, 30}, 18, 1, 0, 3), 20);
  EXPECT_EQ(size({5}, 6, 1, 2, 0), 5);
}

TEST(SizeWithTolerance, RoundsWhenNoStandardFits) {
  EXPECT_EQ(size({8, 12}, 10, 5, 0.5, 0.5), 10);  // the lower multiple, 0 away
  EXPECT_EQ(size({}, 142, 5, 5, 5), 140);         // 140 is nearer than 145
  EXPECT_EQ(size({}, 143, 5, 5, 5), 145);
  EXPECT_EQ(size({}, 142.5, 5, 5, 5), 140);              // equally near: lower
  EXPECT_EQ(size({}, 142, 5, 1, 5), 145);                // lower out of the down tolerance
  EXPECT_EQ(size({}, 143, 5, 5, 1), 140);                // upper out of the up tolerance
  EXPECT_EQ(size({}, 150, 5, 0, 0), 150);                // on a multiple
  EXPECT_DOUBLE_EQ(size({}, 0.35, 0.1, 0.1, 0.1), 0.3);  // the lower multiple, not 0.4
  // No multiple within the tolerances: the value, limited to them.
  EXPECT_EQ(size({}, 142, 10, 1, 1), 142);
  EXPECT_EQ(size({}, 142, 0, 1, 1), 142);  // no step
  EXPECT_EQ(size({100, 200}, 142, 50, 1, 1), 142);
}

TEST(SizeWithTolerance, InvalidTolerancesAreReportedAndComputed) {
  Nx_Settings saved = gSettings;
  gSettings.showStandardsMessages = true;
  {
    ui::test::GTestScript script;
    script.answer(ui::IDOK, "Invalid tolerances provided.\n DownTolerance is :-1.00UpTolerance");
    script.answer(ui::IDOK, "DownTolerance is :0.00UpTolerance is :0.00");
    EXPECT_EQ(size({8, 10, 12}, 10.4, 1, -1, 1), 11.4);  // kept within [11.4, 11.4]
    EXPECT_EQ(size({8, 10, 12}, 10.4, 1, 0, 0), 10.4);
    EXPECT_TRUE(script.done());
    EXPECT_EQ(size({8, 10, 12}, 10.4, 1, -1, 1.5), 11.4);  // a positive sum: no message
  }
  gSettings.showStandardsMessages = false;
  {
    ui::test::GTestScript script;  // a box here would be an unanswered failure
    EXPECT_EQ(size({8, 10, 12}, 10.4, 1, -1, 1), 11.4);
    EXPECT_TRUE(script.messageBoxes().empty());
  }
  gSettings = saved;
}

// The message comes from a formula as well, and the formula still has its value.
class ToleranceMessage : public FunctionsFixture {};

TEST_F(ToleranceMessage, ShownOncePerEvaluation) {
  gSettings.showStandardsMessages = true;
  ui::test::GTestScript script;
  script.answer(ui::IDOK, "DownTolerance is :-3.00UpTolerance is :1.00\nAdding both");
  writeData("Plates.txt", "8\n10\n12\n");
  // Setting the formula computes it once.
  sheet_.setMaxCols(1);
  sheet_.setMaxRows(1);
  ASSERT_TRUE(sheet_.setFormula(1, 1, "=STDSIZEWITHTOLERANCE(\"Plates.txt\", 1, 12, -3, 1)"));
  EXPECT_EQ(sheet_.getValue(1, 1), "15");
  EXPECT_TRUE(script.done());
  ASSERT_EQ(script.messageBoxes().size(), 1u);
  EXPECT_EQ(script.messageBoxes()[0].type & ui::MB_ICONEXCLAMATION, ui::MB_ICONEXCLAMATION);
}

}  // namespace
