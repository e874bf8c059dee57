#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "dialogs/KvBracingDlgData.h"
#include "dialogs/KvCladdingDlgData.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_FIELDSET.h"
#include "spreadsheet/Nx_Spread.h"

using namespace ui;
using namespace dlg_fieldset;

namespace {
// Rows of the cladding settings, in the order the dialog shows them.
enum CladdingRow { kProfile = 1, kThickness, kOverlap, kFixings, kRibs, kFlashings };
constexpr int kValues = 2;

Nx_Spread& table(Dialog& d) {
  return *d.itemAs<Nx_Spread>(IDC_TABLE);
}
Nx_String cell(Dialog& d, int row) {
  Nx_String text;
  table(d).getCellText(kValues, row, text);
  return text;
}
}  // namespace

TEST(FieldSet, CladdingShowsTheRecordAndTakesEveryKindOfEdit) {
  test::GTestScript script;
  KvCladdingDlgData data;
  data.orientation = KvCladdingDlgData::kHorizontal;
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.text(), "Cladding settings");
        Nx_String caption;
        table(d).getCellText(1, kOverlap, caption);
        EXPECT_EQ(caption, "Side overlap (mm)");
        EXPECT_FALSE(table(d).userEdit(1, kOverlap, "x"));  // captions stay
        EXPECT_EQ(cell(d, kProfile), "TR 35/207");
        EXPECT_EQ(cell(d, kThickness), "0.75");
        EXPECT_EQ(cell(d, kRibs), "Horizontal");
        Nx_Spread& t = table(d);
        EXPECT_TRUE(t.userEdit(kValues, kProfile, "  SAB 30/190 "));
        EXPECT_TRUE(t.userEdit(kValues, kThickness, "0.880"));
        EXPECT_TRUE(t.userEdit(kValues, kRibs, "Vertical"));
        EXPECT_TRUE(t.userClickCell(kValues, kFlashings));
      })
      .ok();
  ASSERT_TRUE(StartDlgCladdingSettings(data));
  EXPECT_EQ(data.sheetProfile, "SAB 30/190");
  EXPECT_DOUBLE_EQ(data.thickness, 0.88);
  EXPECT_EQ(data.orientation, KvCladdingDlgData::kVertical);
  EXPECT_FALSE(data.withFlashings);
  EXPECT_DOUBLE_EQ(data.sideOverlap, 207);
}

TEST(FieldSet, BadValuesAreRefusedByNameUntilMended) {
  test::GTestScript script;
  KvCladdingDlgData data;
  const KvCladdingDlgData before = data;
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        table(d).userEdit(kValues, kThickness, "12");    // out of range
        table(d).userEdit(kValues, kFixings, "300 mm");  // no number
        table(d).userEdit(kValues, kProfile, "   ");     // required
      })
      .ok()
      .check([](Dialog& d) {
        EXPECT_FALSE(d.hasEnded());
        int col = 0, row = 0;
        table(d).getActiveCell(col, row);
        EXPECT_EQ(row, kProfile);  // the first bad value is the one to mend
        table(d).userEdit(kValues, kProfile, "TR 35/207");
      })
      .ok()
      .check([](Dialog& d) { table(d).userEdit(kValues, kThickness, "1"); })
      .ok()
      .check([](Dialog& d) { EXPECT_FALSE(d.hasEnded()); })
      .cancel();
  script.answer(IDOK, "Sheet profile: enter a text");
  script.answer(IDOK, "Sheet thickness (mm): enter a number from 0.4 to 3");
  script.answer(IDOK, "Fixing spacing (mm): enter a number from 50 to 2000");
  EXPECT_FALSE(StartDlgCladdingSettings(data));
  EXPECT_TRUE(data == before);
  EXPECT_TRUE(script.done());
}

TEST(FieldSet, BracingChoicesMapToThePatternAndCancelKeepsTheRecord) {
  test::GTestScript script;
  KvBracingDlgData data;
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(cell(d, 1), "Cross");
        EXPECT_TRUE(table(d).userEdit(kValues, 1, "K"));
        EXPECT_TRUE(table(d).userEdit(kValues, 2, "L80x8"));
      })
      .cancel();
  EXPECT_FALSE(StartDlgBracing(data));
  EXPECT_EQ(data.pattern, KvBracingDlgData::kCross);
  EXPECT_EQ(data.section, "L70x7");

  script.modal(kTemplateId)
      .check([](Dialog& d) { EXPECT_TRUE(table(d).userEdit(kValues, 1, "K")); })
      .ok();
  ASSERT_TRUE(StartDlgBracing(data));
  EXPECT_EQ(data.pattern, KvBracingDlgData::kK);
}
