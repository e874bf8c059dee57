#include <gtest/gtest.h>

#include "TempDir.h"
#include "core/CtrlHelpers.h"
#include "core/DialogSizes.h"
#include "core/FileDialogs.h"
#include "platform/base/NamedValueStore.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/testing/GTestScript.h"

namespace {
// Points the registry at a scratch file for the test's length.
class ScratchRegistry {
 public:
  ScratchRegistry() : previous_(base::NamedValueStore::instance().file()) {
    base::NamedValueStore::instance().setFile(dir_ / "registry.ini");
  }
  ~ScratchRegistry() { base::NamedValueStore::instance().setFile(previous_); }

 private:
  TempDir dir_;
  std::string previous_;
};
}  // namespace

TEST(DialogSizes, RememberedByTemplateName) {
  ScratchRegistry registry;
  ui::test::GTestScript script;
  ui::Dialog first;
  first.setRect({100, 50, 700, 450});
  int w = 0, h = 0;
  ASSERT_TRUE(getDlgSize(first, w, h));
  EXPECT_EQ(w, 600);
  EXPECT_EQ(h, 400);

  ui::Dialog second;
  second.setRect({0, 0, 200, 100});
  EXPECT_FALSE(ChangeDlgSize(second, "DLG_GENVARS"));  // nothing remembered yet
  EXPECT_EQ(second.rect(), (ui::Rect{0, 0, 200, 100}));
  ASSERT_TRUE(WriteDlgSize(first, "DLG_GENVARS"));
  ui::Rect remembered;
  ASSERT_TRUE(getDlgSize("DLG_GENVARS", remembered));
  EXPECT_EQ(remembered, first.rect());
  ASSERT_TRUE(ChangeDlgSize(second, "DLG_GENVARS"));
  EXPECT_EQ(second.rect(), first.rect());
  EXPECT_FALSE(getDlgSize("DLG_OTHER", remembered));
}

TEST(FileDialogs, OpenSaveAndMultipleSelection) {
  TempDir dir;
  dir.write("Beams/End plate.txt", "");
  dir.write("Macros/a.dwg", "");
  dir.write("Macros/b.dwg", "");
  ui::test::GTestScript script;

  Nx_String path = "keep";
  script.cancelFileDialog();
  EXPECT_FALSE(DlgOpenSave(true, "txt", "Dialog templates (*.txt)", "Open", dir.path(), path));
  EXPECT_EQ(path.str(), "keep");

  script.chooseFile(dir / "Beams/End plate.txt");
  ASSERT_TRUE(DlgOpenSave(true, "txt", "Dialog templates (*.txt)", "Open", dir.path(), path));
  EXPECT_EQ(path.str(), dir / "Beams/End plate.txt");

  script.chooseFile(dir / "list");  // a typed name without extension
  ASSERT_TRUE(DlgOpenSave(false, "shp", "Stock lengths (*.shp)", "Save", dir.path(), path));
  EXPECT_EQ(path.str(), dir / "list.shp");
  script.chooseFile(dir / "list.SHP");
  ASSERT_TRUE(DlgOpenSave(false, "shp", "Stock lengths (*.shp)", "Save", dir.path(), path));
  EXPECT_EQ(path.str(), dir / "list.SHP");

  Nx_StringArray chosen{"keep"};
  script.cancelFileDialog();
  EXPECT_FALSE(DlgOpenMulti("AutoCAD Drawing", "dwg", dir / "Macros/", "Select", chosen));
  EXPECT_EQ(chosen, (Nx_StringArray{"keep"}));
  script.chooseFiles({dir / "Macros/a.dwg", dir / "Macros/b.dwg"});
  ASSERT_TRUE(DlgOpenMulti("AutoCAD Drawing", "dwg", dir / "Macros/", "Select", chosen));
  EXPECT_EQ(chosen,
            (Nx_StringArray{Nx_String(dir / "Macros/a.dwg"), Nx_String(dir / "Macros/b.dwg")}));
  EXPECT_TRUE(script.done());
  EXPECT_EQ(script.log().front(), "open Open");
}

TEST(CtrlHelpers, EnableAndShowItemsById) {
  ui::Dialog dialog;
  ui::Window* item = dialog.addChild(std::make_unique<ui::Window>());
  item->setId(1424);
  EXPECT_TRUE(EnDisCtrl(&dialog, 1424, false));
  EXPECT_FALSE(item->isEnabled());
  EXPECT_TRUE(ShowOrHideCtrl(&dialog, 1424, false));
  EXPECT_FALSE(item->isVisible());
  EXPECT_TRUE(EnDisCtrl(&dialog, 1424, true));
  EXPECT_TRUE(item->isEnabled());
  EXPECT_FALSE(EnDisCtrl(&dialog, 9999, true));
  EXPECT_FALSE(ShowOrHideCtrl(nullptr, 1424, true));
}
