#include <gtest/gtest.h>

#include "host/KvSSDlgsMgr.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Services.h"
#include "platform/ui/testing/GTestScript.h"
#include "standards/KvStandardsCalcDlg.h"
#include "tests/host/ModuleTestResources.h"

namespace {

class CalcDlgPool : public ::testing::Test {
 protected:
  void SetUp() override { registerModuleTemplates(); }
  ui::test::GTestScript script;
  KvSSDlgsMgr pool;
};

TEST_F(CalcDlgPool, RunsInARowReuseOneHiddenDialog) {
  KvStandardsCalcDlg* first = pool.getDlg();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isCreated());
  EXPECT_FALSE(first->isVisible());
  EXPECT_EQ(first->owner(), &ui::mainWindow());
  EXPECT_NE(first->sheetPlaceholder(), nullptr);
  EXPECT_TRUE(pool.isInUse(0));
  EXPECT_EQ(pool.releaseDlg(first), Acad::eOk);
  EXPECT_FALSE(pool.isInUse(0));
  EXPECT_EQ(pool.getDlg(), first);
  EXPECT_EQ(pool.dialogCount(), 1);
}

TEST_F(CalcDlgPool, ANestedRunTakesASecondDialog) {
  KvStandardsCalcDlg* parent = pool.getDlg();
  KvStandardsCalcDlg* child = pool.getDlg();
  ASSERT_NE(child, nullptr);
  EXPECT_NE(child, parent);
  EXPECT_EQ(pool.dialogCount(), 2);
  EXPECT_EQ(pool.releaseDlg(child), Acad::eOk);
  EXPECT_EQ(pool.releaseDlg(parent), Acad::eOk);
  // A third run takes the first free one.
  EXPECT_EQ(pool.getDlg(), parent);
  EXPECT_EQ(pool.getDlg(), child);
  EXPECT_EQ(pool.dialogCount(), 2);
}

TEST_F(CalcDlgPool, ReleasingAForeignDialogChangesNothing) {
  KvStandardsCalcDlg* lent = pool.getDlg();
  KvStandardsCalcDlg stranger;
  EXPECT_EQ(pool.releaseDlg(&stranger), Acad::eInvalidInput);
  EXPECT_EQ(pool.releaseDlg(nullptr), Acad::eInvalidInput);
  EXPECT_TRUE(pool.isInUse(0));
  EXPECT_EQ(pool.releaseDlg(lent), Acad::eOk);
}

TEST_F(CalcDlgPool, DestroyAllEmptiesThePool) {
  pool.getDlg();
  pool.getDlg();
  pool.destroyAll();
  EXPECT_EQ(pool.dialogCount(), 0);
  EXPECT_FALSE(pool.isInUse(0));
  EXPECT_NE(pool.getDlg(), nullptr);
  EXPECT_EQ(pool.dialogCount(), 1);
}

TEST_F(CalcDlgPool, CopiesShareTheDialogsSafely) {
  KvStandardsCalcDlg* dlg = pool.getDlg();
  {
    KvSSDlgsMgr copy(pool);
    EXPECT_EQ(copy.dialogCount(), 1);
    EXPECT_TRUE(copy.isInUse(0));
    EXPECT_EQ(copy.releaseDlg(dlg), Acad::eOk);
    EXPECT_EQ(copy.getDlg(), dlg);
  }
  // The copy is gone; the pool's dialog lives on.
  EXPECT_TRUE(dlg->isCreated());
  EXPECT_EQ(pool.releaseDlg(dlg), Acad::eOk);
}

TEST_F(CalcDlgPool, NoDialogWithoutItsTemplate) {
  registerModuleTemplates();
  ui::Resources::removeModule("SS");
  EXPECT_EQ(pool.getDlg(), nullptr);
  EXPECT_EQ(pool.dialogCount(), 0);
  ui::Resources::addTemplateFolder("SS", std::string(SS_SOURCE_DIR) + "/resources/dialogs");
  EXPECT_NE(pool.getDlg(), nullptr);
}

}  // namespace
