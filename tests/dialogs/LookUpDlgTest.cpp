#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/SSExports.h"
#include "dialogs/KvLookUpDlgData.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_LOOKUP.h"

using namespace ui;
using namespace dlg_lookup;
namespace fs = std::filesystem;

namespace {
class LookUpDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("lookup_dlg_" + std::to_string(getpid()));
    fs::create_directories(dir);
    file = write("Grades.txt",
                 "// grade\tyield strength\n"
                 "S235\t235\n"
                 "\n"
                 "S355\t355   // the usual one\n"
                 "S460\n");
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string write(const std::string& name, const std::string& text) {
    std::ofstream(dir / name) << text;
    return (dir / name).string();
  }

  fs::path dir;
  std::string file;
  test::GTestScript script;
};
}  // namespace

TEST_F(LookUpDialog, ListsTheKeysAndHandsBackTheChosenLine) {
  KvLookUpDlgData data;
  data.file = file;
  data.key = "S355";
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.listCount(IDC_KEY), 3);  // comments and blank lines are no keys
        EXPECT_EQ(d.listText(IDC_KEY, 1), "S355");
        EXPECT_EQ(d.itemText(IDC_VALUE), "355");
        EXPECT_EQ(d.itemText(IDC_STATUS), "3 keys");
      })
      .pick(IDC_KEY, "S235")
      .check([](Dialog& d) { EXPECT_EQ(d.itemText(IDC_VALUE), "235"); })
      .ok();
  ASSERT_TRUE(StartDlgLookUp(data));
  EXPECT_EQ(data.key, "S235");
  EXPECT_EQ(data.value, "235");
  EXPECT_EQ(data.file, file);
}

TEST_F(LookUpDialog, MissingFilesAndKeysWithoutValueAreRefused) {
  KvLookUpDlgData data;
  data.file = (dir / "Nothing.txt").string();
  const KvLookUpDlgData before = data;
  std::string good = file;
  script.modal(kTemplateId)
      .check([](Dialog& d) { EXPECT_EQ(d.listCount(IDC_KEY), 0); })
      .ok()
      .type(IDC_FILE, good)
      .ok()  // no key chosen yet
      .pick(IDC_KEY, "S460")
      .check([](Dialog& d) { EXPECT_EQ(d.itemText(IDC_VALUE), ""); })
      .ok()
      .cancel();
  script.answer(IDOK, "There is no file");
  script.answer(IDOK, "Choose a key.");
  script.answer(IDOK, "The line of the key S460 holds no value.");
  EXPECT_FALSE(StartDlgLookUp(data));
  EXPECT_TRUE(data == before);
  EXPECT_TRUE(script.done());
}

TEST_F(LookUpDialog, BrowseLoadsTheChosenFile) {
  std::string other = write("Bolts.txt", "M16\t18\nM20\t22\n");
  KvLookUpDlgData data;
  script.modal(kTemplateId)
      .check([](Dialog& d) { EXPECT_EQ(d.itemText(IDC_STATUS), "Choose a lookup file."); })
      .click(IDC_BROWSE)
      .pick(IDC_KEY, "M20")
      .ok();
  script.chooseFile(other);
  ASSERT_TRUE(StartDlgLookUp(data));
  EXPECT_EQ(data.file, other);
  EXPECT_EQ(data.value, "22");
}
