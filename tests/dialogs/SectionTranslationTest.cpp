#include "core/SectionTranslation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/Nx_Settings.h"
#include "platform/arx/acutil.h"
#include "platform/ui/testing/GTestScript.h"

using namespace ui;

class SectionTranslationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::string(::testing::TempDir()) + "/translation";
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    saved_ = gSettings;
    gSettings.setLibDir(dir_.c_str());
  }
  void TearDown() override { gSettings = saved_; }
  std::string read(const std::string& name) {
    std::ifstream in(dir_ + "/" + name);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }
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
  script.modal(8951)
      .check([](Dialog& d) {
        EXPECT_EQ(d.text(), "Names");
        EXPECT_EQ(d.itemText(1001), "Product -> CIS/2");
        EXPECT_EQ(d.listCount(1002), 2);
        EXPECT_EQ(d.itemText(1004), "A");
      })
      .pick(1002, 1)
      .type(1006, "b2")
      .click(1088)
      .type(1004, "C\tD")
      .type(1006, "c")
      .pick(1002, 0)
      .click(1089)
      .check([](Dialog& d) {
        EXPECT_EQ(d.listCount(1002), 2);
        EXPECT_EQ(d.itemText(1004), "B");
      })
      .ok();
  ASSERT_TRUE(
      writeSectionTranslation("Names", "Product -> CIS/2", {"A", "B"}, {"a", "b"}, "x.dat"));
  EXPECT_EQ(read("x.dat"), "B\tb2\nC D\tc\n");
}

TEST_F(SectionTranslationTest, CancelWritesNothing) {
  test::GTestScript script;
  script.modal(8951).click(1089).cancel();
  EXPECT_FALSE(writeSectionTranslation("T", "H", {"A"}, {"a"}, "y.dat"));
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/y.dat"));
  // Without rows the entry fields and Delete are disabled.
  script.modal(8951)
      .check([](Dialog& d) {
        EXPECT_FALSE(d.isItemEnabled(1004));
        EXPECT_FALSE(d.isItemEnabled(1089));
      })
      .ok();
  EXPECT_TRUE(writeSectionTranslation("T", "H", {}, {}, "y.dat"));
  EXPECT_EQ(read("y.dat"), "");
}
