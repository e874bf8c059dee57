#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "core/KvLevelsDlgData.h"
#include "dialogs/KvLevelsDlg.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_LEVELS.h"
#include "resources/dialogs/DLG_VALUE.h"

using namespace ui;
using namespace dlg_levels;

namespace {
// Ground floor at 0 on wcs, First floor 3600 above it, Roof 3200 above that.
KvLevelsDlgData building() {
  KvLevelsDlgData d;
  d.addLevel("Ground floor");
  int first = d.addLevel("First floor");
  d.updateLevel(first, Nx_String("Ground floor"));
  d.updateLevel(first, 3600.0);
  int roof = d.addLevel("Roof");
  d.updateLevel(roof, Nx_String("First floor"));
  d.updateLevel(roof, 3200.5);
  return d;
}

// The name question of the text-input dialog, answered with the text.
void answerName(test::GTestScript& script, const std::string& name) {
  script.modal(dlg_value::kTemplateId).type(dlg_value::IDC_TEXT, name).ok();
}
}  // namespace

TEST(LevelsData, AbsoluteValuesFollowTheReferencesAndStopAtACycle) {
  KvLevelsDlgData d = building();
  EXPECT_DOUBLE_EQ(d.absoluteValue(2), 6800.5);
  d.updateLevel(0, Nx_String("Roof"));  // Ground floor -> Roof -> First floor -> Ground floor
  d.updateLevel(0, 10.0);
  EXPECT_DOUBLE_EQ(d.absoluteValue(0), 10.0 + 3200.5 + 3600.0);
  EXPECT_FALSE(d.deleteLevel(3));
  EXPECT_FALSE(d.updateLevel(-1, 1.0));
}

TEST(LevelsDialog, ShowsLevelZeroAndStoresTheEditedValueOnOk) {
  test::GTestScript script;
  KvLevelsDlgData data = building();
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.listCount(IDC_LEVEL_LIST), 3);
        EXPECT_EQ(d.listSelection(IDC_LEVEL_LIST), 0);
        EXPECT_EQ(d.itemText(IDC_NAME), "Ground floor");
        EXPECT_EQ(d.itemText(IDC_VALUE), "0");
        EXPECT_FALSE(d.isItemEnabled(IDC_REFERENCE));
        EXPECT_FALSE(d.isItemEnabled(IDC_NAME));
        EXPECT_FALSE(d.isItemEnabled(IDC_ABSOLUTE));
      })
      .pick(IDC_LEVEL_LIST, 2)
      .check([](Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_NAME), "Roof");
        EXPECT_EQ(d.itemText(IDC_VALUE), "3200.5");
        EXPECT_EQ(d.itemText(IDC_ABSOLUTE), "6800.5");
        EXPECT_EQ(d.listText(IDC_REFERENCE, d.listSelection(IDC_REFERENCE)), "First floor");
      })
      .type(IDC_VALUE, "3000")
      .pick(IDC_LEVEL_LIST, 1)  // the change is stored before the other level shows
      .type(IDC_VALUE, "3500")
      .ok();
  ASSERT_TRUE(StartDlgLevels(data));
  EXPECT_DOUBLE_EQ(data.absoluteValue(1), 3500);
  EXPECT_DOUBLE_EQ(data.absoluteValue(2), 6500);
}

TEST(LevelsDialog, WcsAndTakenNamesAreRefusedAndAskedAgain) {
  test::GTestScript script;
  KvLevelsDlgData data = building();
  script.modal(kTemplateId)
      .click(IDC_ADD)
      .check([](Dialog& d) {
        EXPECT_EQ(d.listCount(IDC_LEVEL_LIST), 4);
        EXPECT_EQ(d.itemText(IDC_NAME), "Mezzanine");
        EXPECT_TRUE(d.isItemEnabled(IDC_REFERENCE));  // a new level's reference can be chosen
      })
      .pick(IDC_REFERENCE, "First floor")
      .type(IDC_VALUE, "1200")
      .ok();
  answerName(script, "wcs");
  script.answer(IDOK, "already in use");
  answerName(script, "roof");  // names compare without case
  script.answer(IDOK, "already in use");
  answerName(script, "Mezzanine");
  ASSERT_TRUE(StartDlgLevels(data));
  ASSERT_EQ(data.count(), 4);
  Nx_String name, reference;
  double value = 0, absolute = 0;
  ASSERT_TRUE(data.getLevelData(3, name, reference, value, absolute));
  EXPECT_EQ(name, "Mezzanine");
  EXPECT_EQ(reference, "First floor");
  EXPECT_DOUBLE_EQ(absolute, 4800);
}

TEST(LevelsDialog, TwentyRefusedNamesAddNoLevel) {
  test::GTestScript script;
  KvLevelsDlgData data = building();
  script.modal(kTemplateId)
      .click(IDC_ADD)
      .check([](Dialog& d) { EXPECT_EQ(d.listCount(IDC_LEVEL_LIST), 3); })
      .ok();
  for (int i = 0; i < KvLevelsDlg::kMaxNameQuestions; ++i) {
    answerName(script, "Roof");
    script.answer(IDOK, "already in use");
  }
  ASSERT_TRUE(StartDlgLevels(data));
  EXPECT_EQ(data, building());
}

TEST(LevelsDialog, DeletingLevelZeroLeavesTheFieldsAndNoCurrentLevel) {
  test::GTestScript script;
  KvLevelsDlgData data = building();
  script.modal(kTemplateId)
      .click(IDC_DELETE)
      .check([](Dialog& d) {
        EXPECT_EQ(static_cast<KvLevelsDlg&>(d).currentLevel(), -1);
        EXPECT_EQ(d.listCount(IDC_LEVEL_LIST), 2);
        EXPECT_EQ(d.itemText(IDC_NAME), "Ground floor");
      })
      .type(IDC_VALUE, "77")  // stored nowhere: no level is current
      .ok();
  ASSERT_TRUE(StartDlgLevels(data));
  Nx_StringArray names;
  data.getNames(names);
  EXPECT_EQ(names, (Nx_StringArray{"First floor", "Roof"}));
  EXPECT_DOUBLE_EQ(data.absoluteValue(0), 3600);
}

TEST(LevelsDialog, CancelAfterAddingAndDeletingLeavesTheRecord) {
  test::GTestScript script;
  KvLevelsDlgData data = building();
  script.modal(kTemplateId).click(IDC_ADD).click(IDC_DELETE).pick(IDC_LEVEL_LIST, 0).cancel();
  answerName(script, "Basement");
  EXPECT_FALSE(StartDlgLevels(data));
  EXPECT_EQ(data, building());
}
