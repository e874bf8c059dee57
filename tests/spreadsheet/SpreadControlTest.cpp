// The spreadsheet control window: the user's actions on cells become sheet
// changes and notifications to the parent, and the view it reports to.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/Dialog.h"
#include "platform/ui/SpreadControl.h"
#include "platform/ui/WindowClasses.h"

namespace {
constexpr int kId = 77;

// Records every notification of its children.
class Parent : public ui::Dialog {
 public:
  bool onCommand(int id, int code) override {
    if (id == kId) codes.push_back(code);
    return true;
  }
  std::vector<int> codes;
};

struct ControlHost {
  ControlHost() {
    auto made = ui::WindowClasses::create(ui::kSpreadClass, ui::WS_CHILD | ui::WS_VISIBLE);
    control = dynamic_cast<ui::SpreadControl*>(made.get());
    made->setId(kId);
    parent.addChild(std::move(made));
    control->model().setMaxCols(3);
    control->model().setMaxRows(3);
  }
  Parent parent;
  ui::SpreadControl* control = nullptr;
};

class CountingView : public ui::SpreadView {
 public:
  void cellChanged(int, int) override { ++cells; }
  void layoutChanged() override { ++layouts; }
  void editStateChanged() override { ++edits; }
  void pullEditState() override {}
  int trackPopupMenu(const std::vector<ui::MenuEntry>& e, ui::Point) override {
    return e.front().id;
  }
  int verticalScrollBarWidth() const override { return 17; }
  int cells = 0, layouts = 0, edits = 0;
};
}  // namespace

TEST(SpreadControl, TemplatesNamingTheClassGetTheControl) {
  ControlHost host;
  ASSERT_NE(host.control, nullptr);
  EXPECT_EQ(host.control->model().maxCols(), 3);
}

TEST(SpreadControl, ClicksToggleCheckBoxesAndPressButtons) {
  ControlHost host;
  grid::Sheet& s = host.control->model();
  s.setTypeCheckBox({1, 1, 1, 3}, 0, "");
  s.setTypeButton({2, 1, 2, 3}, 0, "...");
  ASSERT_TRUE(host.control->userClickCell(1, 2));
  EXPECT_EQ(s.getValue(1, 2), "1");
  EXPECT_TRUE(s.getBool(ui::kSpreadOptionChanged));
  EXPECT_EQ(host.parent.codes,
            (std::vector<int>{ui::SPN_LEAVECELL, ui::SPN_CLICK, ui::SPN_CHECKCLICK}));
  host.parent.codes.clear();
  host.control->userClickCell(2, 2);
  EXPECT_EQ(host.parent.codes.back(), ui::SPN_BUTTONCLICK);
  // A locked box keeps its state.
  s.setLock(1, 3, true);
  host.control->userClickCell(1, 3);
  EXPECT_EQ(s.getValue(1, 3), "");
  EXPECT_FALSE(host.control->userClickCell(4, 1));
}

TEST(SpreadControl, ClickInAMergedBlockActivatesItsAnchor) {
  ControlHost host;
  grid::Sheet& s = host.control->model();
  s.addCellSpan(1, 1, 2, 2);
  host.control->userClickCell(2, 2);
  int col = 0, row = 0;
  ASSERT_TRUE(s.getActiveCell(col, row));
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 1);
}

TEST(SpreadControl, EditsFollowTheCellType) {
  ControlHost host;
  grid::Sheet& s = host.control->model();
  s.setTypeNumber({1, 1, 1, 3}, 1, 0, 100, false);
  s.setTypeStaticText({2, 1, 2, 3}, 0);
  EXPECT_TRUE(host.control->userEdit(1, 1, "12.34"));
  EXPECT_EQ(s.getValue(1, 1), "12.3");
  EXPECT_FALSE(host.control->userEdit(1, 1, "abc"));
  EXPECT_FALSE(host.control->userEdit(2, 1, "x"));
  EXPECT_TRUE(host.control->userEdit(3, 1, "=A1*2"));
  EXPECT_EQ(s.getValue(3, 1), "24.6");
  s.setLock(3, 2, true);
  EXPECT_FALSE(host.control->userEdit(3, 2, "x"));
  EXPECT_EQ(host.parent.codes, (std::vector<int>{ui::SPN_DATACHANGE, ui::SPN_DATACHANGE}));
}

TEST(SpreadControl, HeadersSelectWholeRowsAndColumns) {
  ControlHost host;
  grid::Sheet& s = host.control->model();
  ASSERT_TRUE(host.control->userSelectHeader(2, 0));
  grid::Area block;
  ASSERT_TRUE(s.getSelectBlock(block));
  EXPECT_EQ(block, (grid::Area{2, -1, 2, -1}));
  ASSERT_TRUE(host.control->userSelectHeader(0, 3));
  ASSERT_TRUE(s.getSelectBlock(block));
  EXPECT_EQ(block, (grid::Area{-1, 3, -1, 3}));
  EXPECT_EQ(host.parent.codes.back(), ui::SPN_HEADERSELECT);
  EXPECT_FALSE(host.control->userSelectHeader(0, 0));
}

TEST(SpreadControl, ArrowsMoveTheActiveCellWithinTheSheet) {
  ControlHost host;
  grid::Sheet& s = host.control->model();
  s.setActiveCell(1, 1);
  EXPECT_TRUE(host.control->onKey({ui::VK_RIGHT}));
  EXPECT_TRUE(host.control->onKey({ui::VK_DOWN}));
  EXPECT_TRUE(host.control->onKey({ui::VK_UP}));
  EXPECT_TRUE(host.control->onKey({ui::VK_UP}));
  int col = 0, row = 0;
  s.getActiveCell(col, row);
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 1);
}

TEST(SpreadControl, TheLatestViewHearsOfChanges) {
  ControlHost host;
  CountingView first, second;
  auto link = host.control->connectView(&first);
  host.control->model().setData(1, 1, "x");
  EXPECT_EQ(first.cells, 1);
  host.control->connectView(&second);
  host.control->model().setMaxRows(5);
  EXPECT_EQ(first.layouts, 0);
  EXPECT_EQ(second.layouts, 1);
  EXPECT_EQ(host.control->verticalScrollBarWidth(), 17);
  EXPECT_EQ(host.control->trackPopupMenu({{5, "Five"}}, {0, 0}), 5);
  host.control->model().setBool(grid::kOptionRedraw, false);  // painting off: nothing reported
  host.control->model().setData(1, 1, "y");
  EXPECT_EQ(second.cells, 0);
  EXPECT_EQ(link->view, &second);
}

TEST(SpreadControl, ALinkOutlivesItsControl) {
  std::shared_ptr<ui::SpreadViewLink> link;
  CountingView view;
  {
    ui::SpreadControl control;
    link = control.connectView(&view);
    EXPECT_EQ(link->control, &control);
  }
  EXPECT_EQ(link->control, nullptr);
  EXPECT_EQ(link->view, nullptr);
}

TEST(SpreadPictures, HandlesLiveAsLongAsTheirOwner) {
  std::uint64_t id = 0;
  {
    ui::SpreadPictures::Handle h(ui::SpreadPicture{1, 1, {0xFF000000u}, 0});
    id = h.id();
    ASSERT_NE(ui::SpreadPictures::find(id), nullptr);
    ui::SpreadPictures::Handle moved = std::move(h);
    EXPECT_EQ(moved.id(), id);
    EXPECT_FALSE(h);
  }
  EXPECT_EQ(ui::SpreadPictures::find(id), nullptr);
}
