#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/SSExports.h"
#include "dialogs/KvSelectImageDlgData.h"
#include "platform/arx/acutil.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_SELECTIMAGE.h"

using namespace ui;
using namespace dlg_selectimage;
namespace fs = std::filesystem;

namespace {
class SelectImageDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("select_image_" + std::to_string(getpid()));
    fs::create_directories(dir / "sub");
    for (const char* name : {"c.jpg", "B.bmp", "a.png", "notes.txt", "sub/d.png"})
      std::ofstream(dir / name) << "x";
    data.folder = dir.string();
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string preview(Dialog& d) { return d.item(IDC_PREVIEW)->imageFile(); }

  fs::path dir;
  KvSelectImageDlgData data;
  test::GTestScript script;
};
}  // namespace

TEST_F(SelectImageDialog, ListsThePicturesByNameAndPreviewsTheSelectedOne) {
  data.image = (dir / "B.bmp").string();  // a path names its picture too
  std::string folder = dir.string();
  script.modal(kTemplateId)
      .check([&](Dialog& d) {
        ASSERT_EQ(d.listCount(IDC_IMAGES), 3);  // no other files, no sub-folders
        EXPECT_EQ(d.listText(IDC_IMAGES, 0), "a.png");
        EXPECT_EQ(d.listText(IDC_IMAGES, 2), "c.jpg");
        EXPECT_EQ(d.listSelection(IDC_IMAGES), 1);
        EXPECT_EQ(preview(d), folder + "/B.bmp");
      })
      .pick(IDC_IMAGES, "c.jpg")
      .check([&](Dialog& d) { EXPECT_EQ(preview(d), folder + "/c.jpg"); })
      .ok();
  ASSERT_TRUE(StartDlgSelectImage(data));
  EXPECT_EQ(data.image, "c.jpg");

  script.modal(kTemplateId).doubleClick(IDC_IMAGES, 0);
  ASSERT_TRUE(StartDlgSelectImage(data));
  EXPECT_EQ(data.image, "a.png");
}

TEST_F(SelectImageDialog, NoChoiceIsRefusedAndCancelKeepsTheRecord) {
  data.image = "gone.png";
  const KvSelectImageDlgData before = data;
  script.modal(kTemplateId)
      .check([&](Dialog& d) { EXPECT_EQ(preview(d), ""); })
      .ok()
      .pick(IDC_IMAGES, 0)
      .cancel();
  script.answer(IDOK, "Choose a picture.");
  EXPECT_FALSE(StartDlgSelectImage(data));
  EXPECT_TRUE(data == before);
  EXPECT_TRUE(script.done());
}

TEST_F(SelectImageDialog, AFolderWithoutPicturesOpensNothing) {
  AcutPrintCapture printed;
  data.folder = (dir / "missing").string();
  EXPECT_FALSE(StartDlgSelectImage(data));
  fs::create_directories(dir / "empty");
  data.folder = (dir / "empty").string();
  EXPECT_FALSE(StartDlgSelectImage(data));
  EXPECT_NE(
      printed.text().find("Select image: there are no pictures in \"" + data.folder + "\".\n"),
      std::string::npos);
}
