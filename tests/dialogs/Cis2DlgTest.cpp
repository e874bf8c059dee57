#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/SSExports.h"
#include "core/Nx_Settings.h"
#include "dialogs/KvDlgCis2.h"
#include "platform/ui/testing/GTestScript.h"

using namespace ui;

namespace {
const int kDependent[] = {1424, 1425, 1426, 1427, 1428};
void expectDependentEnabled(Dialog& d, bool on) {
  for (int id : kDependent) EXPECT_EQ(d.isItemEnabled(id), on) << "item " << id;
}
}  // namespace

TEST(Cis2Dialog, DefaultsOpenWithTheDependentControlsDisabled) {
  test::GTestScript script;
  KvDlgCis2Data data;
  script.modal(254)
      .check([](Dialog& d) {
        EXPECT_TRUE(d.isChecked(1420));
        EXPECT_FALSE(d.isChecked(1421));
        EXPECT_TRUE(d.isChecked(1424));
        EXPECT_TRUE(d.isChecked(1426));
        EXPECT_FALSE(d.isChecked(1428));
        expectDependentEnabled(d, false);
      })
      .ok();
  ASSERT_TRUE(StartDlgCis2Info(data));
  EXPECT_TRUE(data == KvDlgCis2Data());
}

TEST(Cis2Dialog, SecondChoiceEnablesWithoutChangingChecks) {
  test::GTestScript script;
  KvDlgCis2Data data;
  script.modal(254)
      .click(1421)
      .check([](Dialog& d) { expectDependentEnabled(d, true); })
      .click(1425)
      .click(1428)
      .click(1420)
      .check([](Dialog& d) {
        expectDependentEnabled(d, false);
        EXPECT_TRUE(d.isChecked(1425));
        EXPECT_TRUE(d.isChecked(1428));
        EXPECT_FALSE(d.isChecked(1426));
      })
      .click(1421)
      .click(1427)
      .click(1424)
      .ok();
  ASSERT_TRUE(StartDlgCis2Info(data));
  EXPECT_FALSE(data.firstChoice);
  EXPECT_FALSE(data.optionA);
  EXPECT_TRUE(data.optionB);
  EXPECT_TRUE(data.optionC);
  EXPECT_TRUE(data.secondChoice);
}

TEST(Cis2Dialog, RecordSetsTheControls) {
  test::GTestScript script;
  KvDlgCis2Data data;
  data.firstChoice = false;
  data.secondChoice = true;
  data.optionA = false;
  data.optionC = true;
  script.modal(254)
      .check([](Dialog& d) {
        EXPECT_TRUE(d.isChecked(1421));
        EXPECT_TRUE(d.isChecked(1428));
        EXPECT_FALSE(d.isChecked(1426));
        EXPECT_FALSE(d.isChecked(1424));
        EXPECT_TRUE(d.isChecked(1427));
        expectDependentEnabled(d, true);
      })
      .ok();
  KvDlgCis2Data before = data;
  ASSERT_TRUE(StartDlgCis2Info(data));
  EXPECT_TRUE(data == before);
}

TEST(Cis2Dialog, CancelLeavesTheRecordButTheTableEditStays) {
  std::string dir = std::string(::testing::TempDir()) + "/cis2lib";
  std::filesystem::create_directories(dir);
  Nx_Settings saved = gSettings;
  gSettings.setLibDir(dir.c_str());
  std::string file = dir + "/CIS2ProfNames.dat";
  std::ofstream(file) << "HEA200\tHE200A\n";

  test::GTestScript script;
  KvDlgCis2Data data;
  const KvDlgCis2Data before = data;
  script.modal(254).click(1421).click(1425).click(1423).cancel();
  script.modal(8951)
      .check([](Dialog& d) { EXPECT_EQ(d.listCount(1002), 1); })
      .click(1088)
      .type(1004, "IPE200")
      .type(1006, "IPE200")
      .ok();
  EXPECT_FALSE(StartDlgCis2Info(data));
  EXPECT_TRUE(data == before);
  std::ifstream in(file);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text, "HEA200\tHE200A\nIPE200\tIPE200\n");
  gSettings = saved;
}
