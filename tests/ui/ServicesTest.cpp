#include "platform/ui/Services.h"

#include <gtest/gtest.h>

#include "platform/ui/testing/GTestScript.h"

using namespace ui;

TEST(Services, ClipboardKeysAndMainWindow) {
  test::GTestScript script;
  EXPECT_EQ(clipboardText(), std::nullopt);
  setClipboardText("A\tB\n");
  EXPECT_EQ(clipboardText(), "A\tB\n");
  EXPECT_FALSE(isControlDown());
  script.holdKey(VK_CONTROL);
  EXPECT_TRUE(isControlDown());
  Window& main = mainWindow();
  EXPECT_TRUE(main.isVisible());
  EXPECT_EQ(&mainWindow(), &main);
}

TEST(Services, DefaultAnswersFollowTheDefaultButton) {
  EXPECT_EQ(defaultAnswer(MB_OK), IDOK);
  EXPECT_EQ(defaultAnswer(MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  EXPECT_EQ(defaultAnswer(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
  EXPECT_EQ(defaultAnswer(MB_YESNO), IDYES);
}

TEST(Services, FolderAnswers) {
  test::GTestScript script;
  script.chooseFolder("/data/macros").cancelFolder();
  EXPECT_EQ(browseFolder({"Pick", "/", nullptr}), "/data/macros");
  EXPECT_EQ(browseFolder({"Pick", "/", nullptr}), std::nullopt);
}
