#include "platform/ui/Services.h"

#include <gtest/gtest.h>

#include "platform/ui/RecordingPaintContext.h"
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

TEST(RecordingPaintContext, WritesDownEveryCall) {
  test::GTestScript script;
  struct Painted : Window {
    void onPaint(PaintContext& dc) override {
      dc.setNoBrush();
      dc.drawRect({1, 2, 30, 40});
      dc.drawText("Label", {0, 0, 50, 10}, DT_CENTER);
      EXPECT_FALSE(dc.drawImage("/nonexistent.bmp", {0, 0, 5, 5}));
    }
  } w;
  RecordingPaintContext dc;
  w.paint(dc);
  EXPECT_EQ(dc.calls("rect"), (std::vector<std::string>{"rect 1 2 30 40"}));
  EXPECT_EQ(dc.calls("text"), (std::vector<std::string>{"text 0 0 50 10 1 Label"}));
  EXPECT_EQ(dc.calls().size(), 4u);
  EXPECT_EQ(dc.textExtent("abc"), (Size{18, 13}));
}

TEST(RecordingPaintContext, PixelsNeedTheirWholeSize) {
  RecordingPaintContext dc;
  const std::vector<std::uint32_t> four(4, 0xFF000000u);
  EXPECT_TRUE(dc.drawPixels(four, {2, 2}, {5, 6}));
  EXPECT_FALSE(dc.drawPixels(four, {3, 2}, {0, 0}));
  EXPECT_EQ(dc.calls("pixels"),
            (std::vector<std::string>{"pixels 5 6 7 8", "pixels 0 0 3 2 (short)"}));
}

TEST(Window, PartialRepaintKeepsTheNormalisedArea) {
  Window w;
  w.invalidate(Rect{30, 40, 10, 20});
  EXPECT_EQ(w.invalidArea(), (Rect{10, 20, 30, 40}));
  w.invalidate(Rect{5, 5, 5, 9});  // empty: nothing to repaint
  EXPECT_EQ(w.invalidArea(), (Rect{10, 20, 30, 40}));
}
