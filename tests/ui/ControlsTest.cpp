#include <gtest/gtest.h>

#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/TabControl.h"
#include "platform/ui/WindowClasses.h"
#include "platform/ui/testing/GTestScript.h"
#include "tests/ui/TestTemplates.h"

using namespace ui;

namespace {
// Records the notifications its children send.
class Recorder : public Window {
 public:
  bool onCommand(int id, int code) override {
    log.push_back({id, code});
    return true;
  }
  std::vector<std::pair<int, int>> log;
};

template <typename T>
T& add(Window& parent, Style style, int id) {
  auto w = WindowClasses::create(T().className(), WS_CHILD | WS_VISIBLE | style);
  w->setId(id);
  return dynamic_cast<T&>(*parent.addChild(std::move(w)));
}
}  // namespace

TEST(Button, AutomaticRadiosClearTheirGroupOnly) {
  Recorder parent;
  auto& a = add<Button>(parent, BS_AUTORADIOBUTTON | WS_GROUP, 1);
  auto& b = add<Button>(parent, BS_AUTORADIOBUTTON, 2);
  auto& c = add<Button>(parent, BS_AUTORADIOBUTTON | WS_GROUP, 3);
  a.setCheck(BST_CHECKED);
  c.setCheck(BST_CHECKED);
  b.click();
  EXPECT_FALSE(a.isChecked());
  EXPECT_TRUE(b.isChecked());
  EXPECT_TRUE(c.isChecked());  // another group
  EXPECT_EQ(parent.log.back(), (std::pair{2, BN_CLICKED}));
}

TEST(Button, ThreeStateCyclesAndPlainBoxesDoNotMoveThemselves) {
  Recorder parent;
  auto& three = add<Button>(parent, BS_AUTO3STATE, 1);
  three.click();
  EXPECT_EQ(three.checkState(), BST_CHECKED);
  three.click();
  EXPECT_EQ(three.checkState(), BST_INDETERMINATE);
  three.click();
  EXPECT_EQ(three.checkState(), BST_UNCHECKED);
  auto& manual = add<Button>(parent, BS_CHECKBOX, 2);
  manual.click();
  EXPECT_EQ(manual.checkState(), BST_UNCHECKED);
  // A two-state box cannot be indeterminate.
  auto& two = add<Button>(parent, BS_AUTOCHECKBOX, 3);
  two.setCheck(BST_INDETERMINATE);
  EXPECT_EQ(two.checkState(), BST_CHECKED);
  auto& push = add<Button>(parent, BS_PUSHBUTTON | BS_PUSHLIKE, 4);
  EXPECT_TRUE(push.isPushLike());
  EXPECT_FALSE(push.isCheckable());
}

TEST(ListControl, SortedListsInsertInOrderWithoutCase) {
  Recorder parent;
  auto& list = add<ListBox>(parent, LBS_SORT | LBS_NOTIFY, 1);
  list.addString("pear");
  list.addString("Apple");
  list.addString("banana");
  EXPECT_EQ(list.items(), (std::vector<std::string>{"Apple", "banana", "pear"}));
  EXPECT_EQ(list.findStringExact(-1, "BANANA"), 1);
  EXPECT_EQ(list.findString(-1, "pe"), 2);
  EXPECT_EQ(list.findStringExact(-1, "plum"), LB_ERR);
  list.setCurSel(2);
  list.deleteString(0);
  EXPECT_EQ(list.curSel(), 1);  // follows its entry
  EXPECT_EQ(list.setCurSel(5), LB_ERR);
  EXPECT_EQ(list.curSel(), -1);
}

TEST(ListControl, MultiSelectionTogglesAndNotifies) {
  Recorder parent;
  auto& list = add<ListBox>(parent, LBS_EXTENDEDSEL, 7);
  list.setItems({"a", "b", "c"});
  list.userSelect(0);
  list.userSelect(2);
  EXPECT_EQ(list.selectedItems(), (std::vector<int>{0, 2}));
  list.userSelect(0);
  EXPECT_EQ(list.selectedItems(), (std::vector<int>{2}));
  EXPECT_EQ(parent.log.size(), 3u);
  EXPECT_EQ(parent.log[0], (std::pair{7, LBN_SELCHANGE}));
}

TEST(ComboBox, TextFollowsSelectionAndTyping) {
  Recorder parent;
  auto& list = add<ComboBox>(parent, CBS_DROPDOWNLIST, 1);
  list.setItems({"one", "two"});
  list.setCurSel(1);
  EXPECT_EQ(list.text(), "two");
  EXPECT_FALSE(list.userType("one"));  // a drop-down list has no edit part

  auto& combo = add<ComboBox>(parent, CBS_DROPDOWN, 2);
  combo.setItems({"one", "two"});
  combo.userType("TWO");
  EXPECT_EQ(combo.curSel(), 1);
  EXPECT_EQ(combo.text(), "TWO");  // as typed
  combo.userType("three");
  EXPECT_EQ(combo.curSel(), -1);
  EXPECT_EQ(parent.log.back(), (std::pair{2, CBN_EDITCHANGE}));
}

TEST(Edit, ChangesNotifyAndReadOnlyRefusesTyping) {
  Recorder parent;
  auto& edit = add<Edit>(parent, ES_AUTOHSCROLL, 3);
  edit.setText("hello");
  edit.setSel(1, 3);
  edit.replaceSel("EE");
  EXPECT_EQ(edit.text(), "hEElo");
  EXPECT_EQ(edit.selStart(), 3);
  edit.setLimitText(4);
  edit.userType("abcdef");
  EXPECT_EQ(edit.text(), "abcd");
  edit.setReadOnly(true);
  EXPECT_FALSE(edit.userType("x"));
  EXPECT_EQ(edit.text(), "abcd");
  int changes = 0;
  for (auto& [id, code] : parent.log) changes += code == EN_CHANGE;
  EXPECT_EQ(changes, 3);
}

TEST(TabControl, UserSelectionSendsChangingThenChange) {
  Recorder parent;
  auto& tabs = add<TabControl>(parent, 0, 8);
  tabs.setRect({0, 0, 300, 200});
  tabs.insertItem(0, "General");
  tabs.insertItem(1, "Bolts");
  EXPECT_EQ(tabs.curSel(), 0);
  EXPECT_TRUE(tabs.userSelect(1));
  EXPECT_EQ(parent.log,
            (std::vector<std::pair<int, int>>{{8, TCN_SELCHANGING}, {8, TCN_SELCHANGE}}));
  Rect page = tabs.displayRect();
  EXPECT_GT(page.top, tabs.itemRect(0).bottom - 1);
  EXPECT_TRUE(tabs.clientRect().contains(page));
  EXPECT_LT(tabs.itemRect(0).right, tabs.itemRect(1).right);
  tabs.deleteItem(1);
  EXPECT_EQ(tabs.curSel(), 0);
}

TEST(WindowClasses, CustomClassesComeFromTheirFactory) {
  struct Sheet : Window {
    int rows = 3;
  };
  WindowClasses::add("fpSpread70", [] { return std::make_unique<Sheet>(); });
  auto w = WindowClasses::create("FPSPREAD70", WS_CHILD);
  ASSERT_NE(dynamic_cast<Sheet*>(w.get()), nullptr);
  EXPECT_EQ(w->className(), "FPSPREAD70");
  WindowClasses::remove("fpSpread70");
  auto placeholder = WindowClasses::create("fpSpread70", WS_CHILD);
  EXPECT_EQ(dynamic_cast<Sheet*>(placeholder.get()), nullptr);
  EXPECT_TRUE(placeholder->isClass("FPSPREAD70"));
}

TEST(Window, FocusAndDestructionForgetEachOther) {
  auto parent = std::make_unique<Recorder>();
  auto& edit = add<Edit>(*parent, 0, 1);
  edit.setFocus();
  EXPECT_EQ(Window::focused(), &edit);
  parent->destroyChild(&edit);
  EXPECT_EQ(Window::focused(), nullptr);
  auto& other = add<Edit>(*parent, 0, 2);
  other.setFocus();
  parent.reset();
  EXPECT_EQ(Window::focused(), nullptr);
}
