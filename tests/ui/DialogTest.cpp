#include "platform/ui/Dialog.h"

#include <gtest/gtest.h>

#include "platform/arx/acutil.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/Services.h"
#include "platform/ui/testing/GTestScript.h"
#include "tests/ui/TestTemplates.h"

using namespace ui;

namespace {
// Copies its data in on init and out on OK, as the module's dialogs do.
class NameDialog : public Dialog {
 public:
  NameDialog() : Dialog(9001) {
    onClicked(102, [this] { enableItem(107, isChecked(102)); });
    on(101, EN_CHANGE, [this] { ++changes; });
  }
  bool onInitDialog() override {
    setItemText(101, name);
    setCheck(102, option);
    listSet(105, {"beta", "alpha"});
    listSelect(105, 1);
    inits++;
    return true;
  }
  void onOK() override {
    name = itemText(101);
    option = isChecked(102);
    Dialog::onOK();
  }
  std::string name = "start";
  bool option = false;
  int changes = 0;
  int inits = 0;
};
}  // namespace

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { registerTestTemplates(); }
};

TEST_F(DialogTest, ModalRunCopiesDataInAndOutOnOk) {
  test::GTestScript script;
  NameDialog dlg;
  script.modal(9001)
      .check([](Dialog& d) {
        EXPECT_EQ(d.itemText(101), "start");
        EXPECT_EQ(d.text(), "Test dialog");
        EXPECT_EQ(d.templateName(), "DLG_TEST");
        EXPECT_FALSE(d.isItemEnabled(107));
        EXPECT_EQ(d.listText(105, 0), "beta");
        EXPECT_EQ(d.itemText(105), "alpha");
        // The first control that takes the focus has it.
        EXPECT_EQ(focusWindow(), d.item(101));
      })
      .type(101, "changed")
      .click(102)
      .check([](Dialog& d) { EXPECT_TRUE(d.isItemEnabled(107)); })
      .ok();
  EXPECT_EQ(dlg.doModal(), IDOK);
  EXPECT_EQ(dlg.name, "changed");
  EXPECT_TRUE(dlg.option);
  EXPECT_EQ(dlg.changes, 2);  // set on init, then typed
  // The windows are gone; the controller and its data stay.
  EXPECT_EQ(dlg.item(101), nullptr);
  EXPECT_FALSE(dlg.isCreated());
  EXPECT_EQ(focusWindow(), nullptr);
}

TEST_F(DialogTest, CancelLeavesTheDataAndRunsAgain) {
  test::GTestScript script;
  NameDialog dlg;
  script.modal().type(101, "lost").cancel();
  script.modal().key(VK_ESCAPE);
  EXPECT_EQ(dlg.doModal(), IDCANCEL);
  EXPECT_EQ(dlg.doModal(), IDCANCEL);
  EXPECT_EQ(dlg.name, "start");
  EXPECT_EQ(dlg.inits, 2);
}

TEST_F(DialogTest, EnterPressesTheDefaultButton) {
  test::GTestScript script;
  NameDialog dlg;
  script.modal().type(101, "typed").key(VK_RETURN);
  EXPECT_EQ(dlg.doModal(), IDOK);
  EXPECT_EQ(dlg.name, "typed");
}

TEST_F(DialogTest, DialogUnitsFollowTheBaseUnits) {
  test::GTestScript script;
  Dialog dlg(9001);
  script.modal()
      .check([](Dialog& d) {
        // Headless base units of an 8 point font: 6 by 13 pixels.
        EXPECT_EQ(d.baseUnits(), (Size{6, 13}));
        EXPECT_EQ(d.rect().size(), (Size{300, 195}));
        EXPECT_EQ(d.item(101)->rect(), (Rect{105, 8, 285, 31}));
        EXPECT_EQ(d.mapDialogRect({0, 0, 4, 8}), (Rect{0, 0, 6, 13}));
      })
      .cancel();
  dlg.doModal();
}

TEST_F(DialogTest, MissingTemplateFailsWithAMessage) {
  AcutPrintCapture capture;
  Dialog dlg(424242);
  EXPECT_EQ(dlg.doModal(), -1);
  EXPECT_FALSE(dlg.create());
  EXPECT_NE(capture.text().find("*Error* Dialog template 424242 not found."), std::string::npos);
}

TEST_F(DialogTest, EndingDuringInitSkipsTheLoop) {
  struct Quick : Dialog {
    Quick() : Dialog(9001) {}
    bool onInitDialog() override {
      endDialog(IDOK);
      return true;
    }
  } dlg;
  test::GTestScript script;  // nothing queued: the loop never asks
  EXPECT_EQ(dlg.doModal(), IDOK);
}

TEST_F(DialogTest, ModelessLivesUntilDestroyed) {
  test::GTestScript script;
  NameDialog dlg;
  ASSERT_TRUE(dlg.create(&mainWindow()));
  EXPECT_TRUE(dlg.isCreated());
  EXPECT_FALSE(dlg.create());
  script.now(dlg).type(101, "live").click(102);
  EXPECT_EQ(dlg.itemText(101), "live");
  EXPECT_TRUE(dlg.isItemEnabled(107));
  // OK of a modeless dialog ends its window.
  script.now(dlg).ok();
  EXPECT_FALSE(dlg.isCreated());
  EXPECT_EQ(dlg.name, "live");
  ASSERT_TRUE(dlg.create());
  EXPECT_TRUE(dlg.destroyWindow());
  EXPECT_FALSE(dlg.destroyWindow());
}

TEST_F(DialogTest, ChildPageJoinsTheTabOrderAndLeaves) {
  ASSERT_TRUE(Resources::addTemplate("kit-tests", "test/9002.json", R"({
      "id": 9002, "size": [100, 40], "style": ["WS_CHILD", "DS_CONTROL"],
      "items": [{"type": "EDITTEXT", "id": 201, "rect": [5, 5, 60, 12]}]})"));
  test::GTestScript script;
  Dialog outer(9001);
  Dialog page(9002);
  script.modal()
      .check([&](Dialog& d) {
        ASSERT_TRUE(page.createAsChild(d));
        page.show(true);
        EXPECT_EQ(page.parent(), &d);
        EXPECT_EQ(d.item(201), page.item(201));
        // After Cancel (the last control of the outer dialog) comes the page's field.
        EXPECT_EQ(d.nextTabItem(d.item(2), false), page.item(201));
        page.item(201)->setText("x");
        EXPECT_TRUE(page.destroyWindow());
        EXPECT_EQ(page.parent(), nullptr);
        EXPECT_EQ(d.item(201), nullptr);
      })
      .cancel();
  outer.doModal();
}

TEST_F(DialogTest, ItemIntReadsWholeNumbersOnly) {
  test::GTestScript script;
  Dialog dlg(9001);
  script.modal()
      .check([](Dialog& d) {
        bool ok = true;
        d.setItemText(101, " 42 ");
        EXPECT_EQ(d.itemInt(101, &ok), 42);
        EXPECT_TRUE(ok);
        d.setItemText(101, "4x");
        EXPECT_EQ(d.itemInt(101, &ok), 0);
        EXPECT_FALSE(ok);
        d.setItemInt(101, -7);
        EXPECT_EQ(d.itemText(101), "-7");
        EXPECT_EQ(d.itemInt(999, &ok), 0);
        EXPECT_FALSE(ok);
      })
      .cancel();
  dlg.doModal();
}
