#include "platform/ui/Script.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/ui/Dialog.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Services.h"
#include "tests/ui/TestTemplates.h"

using namespace ui;

namespace {
// A script whose failures are collected for the test to look at.
struct CollectingScript : Script {
  CollectingScript() {
    setFailureHandler([this](const std::string& m) { seen.push_back(m); });
  }
  bool saw(const std::string& part) const {
    for (const auto& m : seen)
      if (m.find(part) != std::string::npos) return true;
    return false;
  }
  std::vector<std::string> seen;
};
}  // namespace

class ScriptTest : public ::testing::Test {
 protected:
  void SetUp() override { registerTestTemplates(); }
};

TEST_F(ScriptTest, UnansweredModalRunFailsInsteadOfHanging) {
  CollectingScript script;
  Dialog dlg(9001);
  EXPECT_EQ(dlg.doModal(), IDCANCEL);
  ASSERT_EQ(script.seen.size(), 1u);
  EXPECT_TRUE(script.saw("unanswered modal run of dialog 9001 DLG_TEST \"Test dialog\""))
      << script.seen[0];
}

TEST_F(ScriptTest, StepsThatDoNotEndTheDialogFail) {
  CollectingScript script;
  Dialog dlg(9001);
  script.modal(9001).type(101, "x");
  EXPECT_EQ(dlg.doModal(), IDCANCEL);
  EXPECT_TRUE(script.saw("steps ended with the dialog still open"));
}

TEST_F(ScriptTest, WrongDialogAndUnreachableControlsFail) {
  CollectingScript script;
  Dialog dlg(9001);
  script.modal(555).ok();
  EXPECT_EQ(dlg.doModal(), IDCANCEL);
  EXPECT_TRUE(script.saw("expected dialog 555"));

  script.modal().click(107).click(4711).pick(105, "nothing").ok().click(1);
  EXPECT_EQ(dlg.doModal(), IDOK);
  EXPECT_TRUE(script.saw("click 107: the item is disabled"));
  EXPECT_TRUE(script.saw("there is no item 4711"));
  EXPECT_TRUE(script.saw("there is no such entry"));
  EXPECT_TRUE(script.saw("comes after the dialog ended"));
}

TEST_F(ScriptTest, LeftoverEntriesFailWhenTheScriptEnds) {
  std::vector<std::string> seen;
  {
    Script script;
    script.setFailureHandler([&](const std::string& m) { seen.push_back(m); });
    script.modal(9001).ok();
    script.answer(IDYES);
  }
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NE(seen[0].find("modal run 9001 was never asked for"), std::string::npos);
}

TEST_F(ScriptTest, MessageBoxesAreAnsweredInOrder) {
  CollectingScript script;
  script.answer(IDNO, "sure").answer(IDCANCEL);
  EXPECT_EQ(messageBox("Are you sure?", "Question", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(messageBox("Go on?", "Question", MB_YESNOCANCEL), IDCANCEL);
  // Unanswered: a failure, and the cancel answer.
  EXPECT_EQ(messageBox("Again?", "Question", MB_OKCANCEL), IDCANCEL);
  EXPECT_TRUE(script.saw("unanswered message box \"Question\": Again?"));
  ASSERT_EQ(script.messageBoxes().size(), 3u);
  EXPECT_EQ(script.messageBoxes()[0].type & MB_ICONMASK, MB_ICONQUESTION);
  // An answer the box does not have becomes its default answer.
  script.answer(IDYES);
  EXPECT_EQ(messageBox("Fine.", "Info", MB_OK), IDOK);
}

TEST_F(ScriptTest, FileDialogsGetTheChosenFiles) {
  CollectingScript script;
  std::string existing = std::string(::testing::TempDir()) + "/script-choice.txt";
  std::ofstream(existing) << "x";
  script.chooseFile(existing).cancelFileDialog().chooseFiles({"/nonexistent/a.txt"});
  script.chooseFile("/tmp/new-name");
  FileDialogRequest open;
  open.title = "Open";
  EXPECT_EQ(openFileName(open), existing);
  EXPECT_EQ(openFileName(open), std::nullopt);
  openFileName(open);
  EXPECT_TRUE(script.saw("does not exist"));
  FileDialogRequest save;
  save.defaultExt = "txt";
  EXPECT_EQ(saveFileName(save), "/tmp/new-name.txt");
  EXPECT_EQ(openFileName(open), std::nullopt);
  EXPECT_TRUE(script.saw("unanswered file dialog"));
}

TEST_F(ScriptTest, TimersRunOnTheVirtualClock) {
  CollectingScript script;
  std::vector<std::pair<int, long long>> fired;
  int once = setTimer(nullptr, 50, [&](int id) {
    fired.push_back({id, script.clock()});
    killTimer(id);
  });
  int every = setTimer(nullptr, 30, [&](int id) { fired.push_back({id, script.clock()}); });
  script.advanceClock(49);
  EXPECT_EQ(fired.size(), 1u);  // the 30 ms one
  script.advanceClock(1);
  ASSERT_EQ(fired.size(), 2u);
  EXPECT_EQ(fired[1], (std::pair<int, long long>{once, 50}));
  EXPECT_FALSE(isTimerRunning(once));
  script.advanceClock(100);
  EXPECT_EQ(fired.size(), 6u);  // and then 60, 90, 120, 150
  EXPECT_EQ(fired.back(), (std::pair<int, long long>{every, 150}));
  EXPECT_TRUE(killTimer(every));
  EXPECT_FALSE(killTimer(every));
}

TEST_F(ScriptTest, WindowTimersEndWithTheirWindow) {
  CollectingScript script;
  struct Ticker : Dialog {
    Ticker() : Dialog(9001) {}
    void onTimer(int eventId) override {
      ticks.push_back(eventId);
      if (ticks.size() == 2) endDialog(IDOK);
    }
    bool onInitDialog() override {
      setTimer(7, 20);
      return true;
    }
    std::vector<int> ticks;
  } dlg;
  script.modal().advanceClock(45);
  EXPECT_EQ(dlg.doModal(), IDOK);
  EXPECT_EQ(dlg.ticks, (std::vector<int>{7, 7}));
  script.advanceClock(100);
  EXPECT_EQ(dlg.ticks.size(), 2u);
}

TEST_F(ScriptTest, KeysHeldDuringAStepAreVisible) {
  CollectingScript script;
  bool shiftSeen = false;
  struct Keys : Dialog {
    Keys(bool& seen) : Dialog(9001), seen(seen) {}
    bool preTranslateKey(const KeyEvent& k) override {
      if (k.key == VK_F3) {
        seen = isShiftDown();
        return true;
      }
      return false;
    }
    bool& seen;
  } dlg(shiftSeen);
  script.modal().key(VK_F3, true).cancel();
  dlg.doModal();
  EXPECT_TRUE(shiftSeen);
  EXPECT_FALSE(isShiftDown());
}

TEST_F(ScriptTest, WithoutScriptEveryDefaultIsTaken) {
  std::vector<std::string> lines;
  auto backend = std::make_unique<HeadlessBackend>();
  backend->setReport([&](const std::string& l) { lines.push_back(l); });
  auto previous = setBackend(std::move(backend));
  EXPECT_EQ(messageBox("Replace it?", "Save", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(openFileName({}), std::nullopt);
  Dialog dlg(9001);
  EXPECT_EQ(dlg.doModal(), IDOK);  // its default button
  setBackend(std::move(previous));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "[Save] Replace it?");
}
