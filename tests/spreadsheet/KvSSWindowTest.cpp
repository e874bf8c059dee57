#include <gtest/gtest.h>

#include "platform/ui/MenuBar.h"
#include "platform/ui/testing/GTestScript.h"
#include "spreadsheet/FindReplaceDlg.h"
#include "spreadsheet/KvSSWindow.h"
#include "spreadsheet/KvSSWindowLauncher.h"
#include "tests/spreadsheet/SettingsTestLibrary.h"

namespace {

TEST(KvSSWindowLauncher, OpensOneWindowHoweverOftenCalled) {
  SettingsTestLibrary lib;
  ui::test::GTestScript script;
  KvSSWindowLauncher launcher;
  EXPECT_EQ(launcher.getSheet(), nullptr);
  ASSERT_TRUE(launcher.open());
  KvSSWindow* first = launcher.window();
  Nx_Spread* sheet = launcher.getSheet();
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(sheet->isAttached());
  ASSERT_TRUE(launcher.open());
  EXPECT_EQ(launcher.window(), first);
  EXPECT_EQ(launcher.getSheet(), sheet);
  EXPECT_TRUE(first->isShown());
  first->requestClose();
}

TEST(KvSSWindowLauncher, AWindowTheUserClosedIsOpenedAnew) {
  SettingsTestLibrary lib;
  ui::test::GTestScript script;
  KvSSWindowLauncher launcher;
  ASSERT_TRUE(launcher.open());
  launcher.window()->requestClose();
  EXPECT_EQ(launcher.getSheet(), nullptr);
  ASSERT_TRUE(launcher.open());
  ASSERT_NE(launcher.getSheet(), nullptr);
  EXPECT_TRUE(launcher.getSheet()->isAttached());
  launcher.window()->requestClose();
}

TEST(KvSSWindowLauncher, TheWindowOutlivesItsLauncherWhileOnScreen) {
  SettingsTestLibrary lib;
  ui::test::GTestScript script;
  KvSSWindow* window = nullptr;
  {
    KvSSWindowLauncher launcher;
    ASSERT_TRUE(launcher.open());
    window = launcher.window();
    window->sheet().setMaxCols(2);
  }
  EXPECT_TRUE(window->isCreated());
  EXPECT_EQ(window->sheet().getMaxCols(), 2);
  window->requestClose();
}

TEST(KvSSWindow, IsResizableAndTheSheetFollowsTheWindow) {
  SettingsTestLibrary lib;
  ui::test::GTestScript script;
  KvSSWindowLauncher launcher;
  ASSERT_TRUE(launcher.open());
  KvSSWindow& w = *launcher.window();
  EXPECT_TRUE(w.style() & ui::WS_THICKFRAME);
  ui::Size before = w.sheet().rect().size();
  ui::Size client = w.clientRect().size();
  w.userResize({client.width + 100, client.height + 60});
  EXPECT_EQ(w.sheet().rect().width(), before.width + 100);
  EXPECT_EQ(w.sheet().rect().height(), before.height + 60);
  w.requestClose();
}

TEST(KvSSWindow, TheMenuSavesAndOpensFindAndReplace) {
  SettingsTestLibrary lib;
  ui::test::GTestScript script;
  KvSSWindowLauncher launcher;
  ASSERT_TRUE(launcher.open());
  KvSSWindow& w = *launcher.window();
  const ui::MenuBar* bar = ui::menuBarOf(w);
  ASSERT_NE(bar, nullptr);
  bool hasFind = false;
  for (const ui::MenuBarMenu& m : *bar)
    for (const ui::MenuBarItem& item : m.items) {
      hasFind |= item.id == KvSSWindow::kMenuFind;
      // Desktop menus refuse other ids.
      if (!item.separator) EXPECT_TRUE(item.id > 0 && item.id < 0x7FFF) << item.text;
    }
  EXPECT_TRUE(hasFind);

  w.handleCommand(KvSSWindow::kMenuFind, 0);
  EXPECT_NE(w.sheet().findReplaceDialog(), nullptr);

  w.sheet().setMaxCols(1);
  w.sheet().setMaxRows(1);
  w.sheet().setCellText(1, 1, "kept");
  w.setFileName((lib / "window.kvs").c_str());
  w.handleCommand(KvSSWindow::kMenuSave, 0);
  EXPECT_NE(lib.read("window.kvs").find("kept"), std::string::npos);

  w.handleCommand(KvSSWindow::kMenuClose, 0);
  EXPECT_FALSE(w.isCreated());
}

}  // namespace
