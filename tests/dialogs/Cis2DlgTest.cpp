#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/SSExports.h"
#include "core/Nx_Settings.h"
#include "dialogs/KvDlgCis2.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_CIS2INFO.h"
#include "resources/dialogs/DLG_SECTIONTRANSLATION.h"
#include "tests/core/TempDir.h"

using namespace ui;
using namespace dlg_cis2info;

namespace {
const int kDependent[] = {IDC_OPTION_A, IDC_OPTION_B, IDC_EITHER, IDC_OPTION_C, IDC_OR};
void expectDependentEnabled(Dialog& d, bool on) {
  for (int id : kDependent) EXPECT_EQ(d.isItemEnabled(id), on) << "item " << id;
}
}  // namespace

TEST(Cis2Dialog, DefaultsOpenWithTheDependentControlsDisabled) {
  test::GTestScript script;
  KvDlgCis2Data data;
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_TRUE(d.isChecked(IDC_FIRST_CHOICE));
        EXPECT_FALSE(d.isChecked(IDC_SECOND_CHOICE));
        EXPECT_TRUE(d.isChecked(IDC_OPTION_A));
        EXPECT_TRUE(d.isChecked(IDC_EITHER));
        EXPECT_FALSE(d.isChecked(IDC_OR));
        expectDependentEnabled(d, false);
      })
      .ok();
  ASSERT_TRUE(StartDlgCis2Info(data));
  EXPECT_TRUE(data == KvDlgCis2Data());
}

TEST(Cis2Dialog, SecondChoiceEnablesWithoutChangingChecks) {
  test::GTestScript script;
  KvDlgCis2Data data;
  script.modal(kTemplateId)
      .click(IDC_SECOND_CHOICE)
      .check([](Dialog& d) { expectDependentEnabled(d, true); })
      .click(IDC_OPTION_B)
      .click(IDC_OR)
      .click(IDC_FIRST_CHOICE)
      .check([](Dialog& d) {
        expectDependentEnabled(d, false);
        EXPECT_TRUE(d.isChecked(IDC_OPTION_B));
        EXPECT_TRUE(d.isChecked(IDC_OR));
        EXPECT_FALSE(d.isChecked(IDC_EITHER));
      })
      .click(IDC_SECOND_CHOICE)
      .click(IDC_OPTION_C)
      .click(IDC_OPTION_A)
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
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_TRUE(d.isChecked(IDC_SECOND_CHOICE));
        EXPECT_TRUE(d.isChecked(IDC_OR));
        EXPECT_FALSE(d.isChecked(IDC_EITHER));
        EXPECT_FALSE(d.isChecked(IDC_OPTION_A));
        EXPECT_TRUE(d.isChecked(IDC_OPTION_C));
        expectDependentEnabled(d, true);
      })
      .ok();
  KvDlgCis2Data before = data;
  ASSERT_TRUE(StartDlgCis2Info(data));
  EXPECT_TRUE(data == before);
}

TEST(Cis2Dialog, CancelLeavesTheRecordButTheTableEditStays) {
  TempDir temp;
  const std::string& dir = temp.path();
  Nx_Settings saved = gSettings;
  gSettings.setLibDir(dir.c_str());
  std::string file = dir + "/CIS2ProfNames.dat";
  std::ofstream(file) << "HEA200\tHE200A\n";

  test::GTestScript script;
  KvDlgCis2Data data;
  const KvDlgCis2Data before = data;
  script.modal(kTemplateId)
      .click(IDC_SECOND_CHOICE)
      .click(IDC_OPTION_B)
      .click(IDC_SECTION_NAMES)
      .cancel();
  script.modal(dlg_sectiontranslation::kTemplateId)
      .check([](Dialog& d) { EXPECT_EQ(d.listCount(dlg_sectiontranslation::IDC_LIST), 1); })
      .click(dlg_sectiontranslation::IDC_ADD)
      .type(dlg_sectiontranslation::IDC_NAME, "IPE200")
      .type(dlg_sectiontranslation::IDC_CIS2, "IPE200")
      .ok();
  EXPECT_FALSE(StartDlgCis2Info(data));
  EXPECT_TRUE(data == before);
  std::ifstream in(file);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text, "HEA200\tHE200A\nIPE200\tIPE200\n");
  gSettings = saved;
}
