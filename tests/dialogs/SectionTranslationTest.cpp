#include "core/SectionTranslation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/Nx_Settings.h"
#include "platform/arx/acutil.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_SECTIONTRANSLATION.h"
#include "tests/core/TempDir.h"

using namespace ui;
using namespace dlg_sectiontranslation;

class SectionTranslationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Each test its own folder: ctest runs the cases of one fixture side by side.
    dir_ = temp_.path();
    saved_ = gSettings;
    gSettings.setLibDir(dir_.c_str());
  }
  void TearDown() override { gSettings = saved_; }
  std::string read(const std::string& name) {
    std::ifstream in(dir_ + "/" + name);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }
  TempDir temp_;
  std::string dir_;
  Nx_Settings saved_;
};

TEST_F(SectionTranslationTest, ReadsRowsAndReportsBadLines) {
  std::ofstream(dir_ + "/t.dat") << "IPE200\tIPE200\n\nHEA 100\tHE100A\nbroken line\n";
  Nx_StringArray names, cis2;
  AcutPrintCapture capture;
  ASSERT_TRUE(readSectionTranslation("t.dat", names, cis2));
  EXPECT_EQ(names, (Nx_StringArray{"IPE200", "HEA 100"}));
  EXPECT_EQ(cis2, (Nx_StringArray{"IPE200", "HE100A"}));
  EXPECT_NE(capture.text().find("t.dat line 4"), std::string::npos) << capture.text();
  // A missing table is an empty one.
  ASSERT_TRUE(readSectionTranslation("none.dat", names, cis2));
  EXPECT_TRUE(names.isEmpty());
}

TEST_F(SectionTranslationTest, EditorEditsAddsAndDeletesRows) {
  test::GTestScript script;
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.text(), "Names");
        EXPECT_EQ(d.itemText(IDC_HEADING), "Product -> CIS/2");
        EXPECT_EQ(d.listCount(IDC_LIST), 2);
        EXPECT_EQ(d.itemText(IDC_NAME), "A");
      })
      .pick(IDC_LIST, 1)
      .type(IDC_CIS2, "b2")
      .click(IDC_ADD)
      .type(IDC_NAME, "C\tD")
      .type(IDC_CIS2, "c")
      .pick(IDC_LIST, 0)
      .click(IDC_DELETE)
      .check([](Dialog& d) {
        EXPECT_EQ(d.listCount(IDC_LIST), 2);
        EXPECT_EQ(d.itemText(IDC_NAME), "B");
      })
      .ok();
  ASSERT_TRUE(
      writeSectionTranslation("Names", "Product -> CIS/2", {"A", "B"}, {"a", "b"}, "x.dat"));
  EXPECT_EQ(read("x.dat"), "B\tb2\nC D\tc\n");
}

TEST_F(SectionTranslationTest, CancelWritesNothing) {
  test::GTestScript script;
  script.modal(kTemplateId).click(IDC_DELETE).cancel();
  EXPECT_FALSE(writeSectionTranslation("T", "H", {"A"}, {"a"}, "y.dat"));
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/y.dat"));
  // Without rows the entry fields and Delete are disabled.
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_FALSE(d.isItemEnabled(IDC_NAME));
        EXPECT_FALSE(d.isItemEnabled(IDC_DELETE));
      })
      .ok();
  EXPECT_TRUE(writeSectionTranslation("T", "H", {}, {}, "y.dat"));
  EXPECT_EQ(read("y.dat"), "");
}
