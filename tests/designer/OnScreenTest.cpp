// The on-screen controls of a design on a dialog, their values, the tab
// order and the editing commands.
#include <gtest/gtest.h>

#include <algorithm>

#include "designer/CSelectionTracker.h"
#include "designer/Nx_DlgDesignerData.h"
#include "platform/arx/acutil.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/RecordingPaintContext.h"
#include "platform/ui/testing/GTestScript.h"
#include "tests/designer/DesignerTestLibrary.h"

using designer_test::Library;

namespace {
Nx_DesignerControl control(int type, double l, double t, double r, double b,
                           const char* contents = "") {
  Nx_DesignerControl c;
  c.type = type;
  c.topLeftX = l, c.topLeftY = t, c.bottomRightX = r, c.bottomRightY = b;
  c.contents = contents;
  return c;
}

// A design on a 400 x 300 picture, on a dialog of its own.
struct Design {
  explicit Design(bool designMode) {
    lib.write("Host.txt", "nrOfControls = 0\n");
    lib.writeBmp("Host.bmp", 400, 300);
    host.setRect({0, 0, 600, 400});
    data.initialize(&host, 33000, 33099, 0, 0, 0, 0, 0, designMode);
    data.readFromFile(lib / "Host.txt", true);
  }
  int add(const Nx_DesignerControl& c) {
    const int id = data.append(c);
    data.drawControl(*data.getControlWrite(data.getNrControls() - 1));
    return id;
  }
  ui::Window* window(int id) { return host.item(id); }
  Library lib;
  ui::Dialog host;
  Nx_DlgDesignerData data;
};
}  // namespace

TEST(OnScreenControls, FactorsBecomePixelsOfThePicture) {
  Design d(true);
  const int id = d.add(control(ctInputField, 0.1, 0.1, 0.25, 0.2));
  EXPECT_EQ(d.window(id)->rect(), (ui::Rect{40, 30, 100, 60}));
  d.window(id)->setRect({80, 60, 180, 90});
  d.data.getSizeFromAllControls();
  const Nx_DesignerControl* c = d.data.getControl(0);
  EXPECT_DOUBLE_EQ(c->topLeftX, 0.2);
  EXPECT_DOUBLE_EQ(c->bottomRightY, 0.3);
}

TEST(OnScreenControls, ComboBoxDropsDownTwoHundredPixelsOnlyOutsideTheDesigner) {
  Design run(false);
  const int id = run.add(control(ctProfile, 0.1, 0.1, 0.3, 0.1 + 20.0 / 300));
  EXPECT_EQ(run.window(id)->rect().height(), 200);
  Design design(true);
  const int id2 = design.add(control(ctProfile, 0.1, 0.1, 0.3, 0.1 + 20.0 / 300));
  EXPECT_EQ(design.window(id2)->rect().height(), 20);
}

TEST(OnScreenControls, DesignModeDisablesAllButLabelsAndRunTimeHonoursReadOnly) {
  Design design(true);
  EXPECT_FALSE(design.window(design.add(control(ctInputField, 0, 0, 0.1, 0.1)))->isEnabled());
  EXPECT_TRUE(design.window(design.add(control(ctLabel, 0, 0, 0.1, 0.1)))->isEnabled());
  Design run(false);
  Nx_DesignerControl ro = control(ctInputField, 0, 0, 0.1, 0.1);
  ro.readOnly = true;
  EXPECT_FALSE(run.window(run.add(ro))->isEnabled());
  EXPECT_TRUE(run.window(run.add(control(ctInputField, 0, 0, 0.1, 0.1)))->isEnabled());
}

TEST(OnScreenControls, StylesFollowTheType) {
  Design d(false);
  const ui::Window* frame = d.window(d.add(control(ctGroupFrame, 0, 0, 0.5, 0.5)));
  EXPECT_EQ(frame->style() & ui::BS_TYPEMASK, ui::BS_GROUPBOX);
  const ui::Window* count = d.window(d.add(control(ctBoltCount1, 0, 0, 0.1, 0.1)));
  EXPECT_TRUE(count->style() & ui::ES_MULTILINE);
  EXPECT_TRUE(count->exStyle() & ui::WS_EX_CLIENTEDGE);
  const ui::Window* flex = d.window(d.add(control(ctFlexButton, 0, 0, 0.1, 0.1)));
  EXPECT_TRUE(flex->style() & ui::BS_PUSHLIKE);
  EXPECT_NE(flex->iconId(), 0);
  EXPECT_EQ(d.window(d.add(control(31, 0, 0, 0.1, 0.1)))->className(), "STATIC");
}

TEST(OnScreenControls, ClicksHitTheTopmostControlAndFramesOnlyWhereNothingElseLies) {
  Design d(true);
  const int frame = d.add(control(ctGroupFrame, 0.05, 0.05, 0.6, 0.6, "Bolts"));
  const int field = d.add(control(ctInputField, 0.1, 0.1, 0.25, 0.2));  // 40,30-100,60
  const int over = d.add(control(ctInputField, 0.2, 0.1, 0.35, 0.2));   // 80,30-140,60
  CSelectionTracker& t = *d.data.tracker();
  EXPECT_EQ(t.hitTest({50, 40})->id(), field);
  EXPECT_EQ(t.hitTest({90, 40})->id(), over);
  EXPECT_EQ(t.hitTest({30, 120})->id(), frame);
  EXPECT_EQ(t.hitTest({300, 250}), nullptr);
  // A handle of the selection lies over the control beside it.
  d.data.selectCtrls({field});
  Nx_TrackerHit where = Nx_TrackerHit::None;
  EXPECT_EQ(t.hitTest({101, 61}, &where)->id(), field);
  EXPECT_EQ(where, Nx_TrackerHit::BottomRight);
  ui::Window* frameWindow = d.window(frame);
  t.mouseDown({50, 40}, false, false);
  t.mouseUp({50, 40});
  EXPECT_EQ(d.data.getSelectedIds(), std::vector<int>{field});
  EXPECT_TRUE(frameWindow->liesBeneath());
}

TEST(OnScreenControls, SelectingRepaintsTheHandlesThatComeAndGo) {
  Design d(true);
  const int field = d.add(control(ctInputField, 0.1, 0.1, 0.25, 0.2));  // 40,30-100,60
  const int other = d.add(control(ctInputField, 0.5, 0.5, 0.6, 0.6));
  CSelectionTracker& t = *d.data.tracker();
  const long long handles = 70 * 40;  // the field with its handles
  t.resetRepaintedArea();
  d.data.selectCtrls({field});
  EXPECT_EQ(t.repaintedArea(), handles);
  EXPECT_EQ(d.host.invalidArea(), (ui::Rect{35, 25, 105, 65}));
  t.resetRepaintedArea();
  d.data.selectCtrls({other});
  EXPECT_GE(t.repaintedArea(), handles + 50 * 40);
  t.resetRepaintedArea();
  t.clearSelection();
  EXPECT_EQ(t.repaintedArea(), 50 * 40);
}

TEST(OnScreenControls, TheDesignerDrawsItsControlsBeneathTheHandles) {
  Design design(true);
  const int label = design.add(control(ctLabel, 0.1, 0.3, 0.25, 0.35, "Width"));
  const int field = design.add(control(ctInputField, 0.1, 0.1, 0.25, 0.2, "Length"));
  EXPECT_TRUE(design.window(field)->exStyle() & ui::WS_EX_PARENTDRAWN);
  design.data.selectCtrls({field});
  ui::RecordingPaintContext dc;
  design.data.OnPaint(dc);
  const std::vector<std::string>& calls = dc.calls();
  auto at = [&](const std::string& start) {
    return std::find_if(calls.begin(), calls.end(),
                        [&](const std::string& c) { return c.rfind(start, 0) == 0; }) -
           calls.begin();
  };
  const auto face = at("face " + std::to_string(static_cast<int>(ui::ControlFace::TextField)) +
                       " 40 30 100 60 1");
  const auto handle = at("rect 35 25 40 30");  // the top-left handle
  ASSERT_LT(face, static_cast<long>(calls.size()));
  ASSERT_LT(handle, static_cast<long>(calls.size()));
  EXPECT_LT(face, handle);
  EXPECT_LT(at("text 40 90 100 105 0 Width"), static_cast<long>(calls.size()));
  EXPECT_NE(label, field);

  // Outside the designer the controls are widgets of their own.
  Design run(false);
  const int runField = run.add(control(ctInputField, 0.1, 0.1, 0.25, 0.2));
  EXPECT_FALSE(run.window(runField)->exStyle() & ui::WS_EX_PARENTDRAWN);
  ui::RecordingPaintContext none;
  run.data.OnPaint(none);
  EXPECT_TRUE(none.calls("face").empty());
}

TEST(ControlValues, CheckBoxTakesThreeStates) {
  Design d(false);
  const int id = d.add(control(ctCheckBox, 0, 0, 0.1, 0.1, "Stiffener"));
  Nx_String v;
  ASSERT_TRUE(d.data.setCtrlValue(id, "1"));
  ASSERT_TRUE(d.data.getCtrlValue(id, v));
  EXPECT_EQ(v, "1");
  ASSERT_TRUE(d.data.setCtrlValue(id, "<VARIES>"));  // the undetermined text, without case
  d.data.getCtrlValue(id, v);
  EXPECT_EQ(v, "<varies>");
  EXPECT_EQ(d.window(id)->style() & ui::BS_TYPEMASK, ui::BS_AUTO3STATE);
  d.data.setCtrlValue(id, "-2");
  d.data.getCtrlValue(id, v);
  EXPECT_EQ(v, "0");
  EXPECT_EQ(d.window(id)->style() & ui::BS_TYPEMASK, ui::BS_AUTOCHECKBOX);
}

TEST(ControlValues, CutListByIndexButtonsIgnoreAndTextsReplace) {
  Design d(false);
  Nx_DesignerControl cut = control(ctCutTypeList, 0, 0, 0.1, 0.1, "2");
  const int list = d.add(cut);
  Nx_String v;
  ASSERT_TRUE(d.data.getCtrlValue(list, v));
  EXPECT_EQ(v, "2");
  EXPECT_EQ(dynamic_cast<ui::ListControl*>(d.window(list))->count(), 5);
  d.data.setCtrlValue(list, "4");
  d.data.getCtrlValue(list, v);
  EXPECT_EQ(v, "4");

  const int button = d.add(control(ctVariableButton, 0, 0, 0.1, 0.1, "Pick"));
  EXPECT_TRUE(d.data.setCtrlValue(button, "changed"));
  EXPECT_EQ(d.window(button)->text(), "Pick");

  const int field = d.add(control(ctInputField, 0, 0, 0.1, 0.1, "Width"));
  d.data.setCtrlValue(field, "250");
  d.data.getCtrlValue(field, v);
  EXPECT_EQ(v, "250");
  EXPECT_FALSE(d.data.getCtrlValue(33099, v));
  EXPECT_FALSE(d.data.setCtrlValue(0, "x"));
}

TEST(ControlValues, ReadOnlyAppliesToInputFieldsAndEditableListsOnly) {
  Design d(false);
  const int field = d.add(control(ctInputField, 0, 0, 0.1, 0.1));
  const int label = d.add(control(ctLabel, 0, 0, 0.1, 0.1));
  EXPECT_TRUE(d.data.setCtrlReadOnly(field, true));
  EXPECT_FALSE(d.window(field)->isEnabled());
  EXPECT_TRUE(d.data.setCtrlReadOnly(field, false));
  EXPECT_TRUE(d.window(field)->isEnabled());
  EXPECT_FALSE(d.data.setCtrlReadOnly(label, true));
  EXPECT_TRUE(d.window(label)->isEnabled());
}

TEST(ControlValues, ListItemsComeFromTheFileAndSelectTheContents) {
  Design d(false);
  d.lib.write("items.txt", "M16\nM20\nM24\n");
  Nx_DesignerControl c = control(ctEditableList, 0, 0, 0.1, 0.1, "M20");
  c.comboList = d.lib / "items.txt";
  auto* list = dynamic_cast<ui::ComboBox*>(d.window(d.add(c)));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 3);
  EXPECT_EQ(list->curSel(), 1);
  c.contents = "M30";
  auto* other = dynamic_cast<ui::ComboBox*>(d.window(d.add(c)));
  EXPECT_EQ(other->curSel(), -1);
  EXPECT_EQ(other->text(), "M30");
}

TEST(TabOrder, RowsRunTopToBottomAndLeftToRightWithinARow) {
  Design d(false);
  d.data.append(control(ctInputField, 0.5, 0.10, 0.6, 0.15));  // row 1, right
  d.data.append(control(ctLabel, 0.0, 0.10, 0.1, 0.15));       // labels take no place
  d.data.append(control(ctInputField, 0.2, 0.12, 0.3, 0.17));  // row 1, left
  d.data.append(control(ctInputField, 0.1, 0.30, 0.2, 0.35));  // row 2
  d.data.sortAllControls();
  EXPECT_EQ(d.data.getControl(0)->tabOrder, 2);
  EXPECT_EQ(d.data.getControl(1)->tabOrder, 0);
  EXPECT_EQ(d.data.getControl(2)->tabOrder, 1);
  EXPECT_EQ(d.data.getControl(3)->tabOrder, 3);
}

TEST(TabOrder, EqualTopsShareTheRowLedByTheEarlierControl) {
  Design d(false);
  d.data.append(control(ctInputField, 0.6, 0.2, 0.7, 0.25));
  d.data.append(control(ctInputField, 0.1, 0.2, 0.2, 0.22));
  d.data.append(control(ctInputField, 0.3, 0.24, 0.4, 0.3));  // within the first's bottom
  d.data.sortAllControls();
  EXPECT_EQ(d.data.getControl(0)->tabOrder, 3);
  EXPECT_EQ(d.data.getControl(1)->tabOrder, 1);
  EXPECT_EQ(d.data.getControl(2)->tabOrder, 2);
}

TEST(TabOrder, TabKeyMovesAlongAndHandsOverAtTheEnds) {
  ui::test::GTestScript script;
  Design d(false);
  d.add(control(ctInputField, 0.1, 0.1, 0.2, 0.15));
  d.add(control(ctInputField, 0.1, 0.3, 0.2, 0.35));
  d.data.redrawAllControls();
  Nx_TabMsgHandle result = tabMoved;
  ASSERT_TRUE(d.data.setFocusToCtrl(true));
  EXPECT_EQ(ui::Window::focused()->id(), 33000);
  script.holdKey(ui::VK_SHIFT);
  EXPECT_TRUE(d.data.handleTabKey(ui::VK_TAB, result));
  EXPECT_EQ(result, tabBeforeFirst);
  script.holdKey(ui::VK_SHIFT, false);
  EXPECT_TRUE(d.data.handleTabKey(ui::VK_TAB, result));
  EXPECT_EQ(result, tabMoved);
  EXPECT_EQ(ui::Window::focused()->id(), 33001);
  EXPECT_TRUE(d.data.handleTabKey(ui::VK_TAB, result));
  EXPECT_EQ(result, tabPastLast);
  EXPECT_FALSE(d.data.handleTabKey(ui::VK_RETURN, result));
  EXPECT_EQ(result, tabNotHandled);

  for (int i = 0; i < 2; ++i) d.data.getControlWrite(i)->readOnly = true;
  EXPECT_FALSE(d.data.handleTabKey(ui::VK_TAB, result));
  EXPECT_EQ(result, tabNotHandled);
}

TEST(EditingCommands, CopyGoesTwentyPixelsRightAndDownWithTheNextId) {
  Design d(true);
  const int id = d.add(control(ctInputField, 0.1, 0.1, 0.25, 0.2));
  d.data.selectCtrls({id});
  d.data.copyCurCtrls();
  ASSERT_EQ(d.data.getNrControls(), 2);
  const Nx_DesignerControl* copy = d.data.getControl(1);
  EXPECT_EQ(copy->resourceId, 33001);
  EXPECT_EQ(d.window(33001)->rect(), (ui::Rect{60, 50, 120, 80}));
  EXPECT_EQ(d.data.getSelectedIds(), std::vector<int>{33001});
}

TEST(EditingCommands, SideBySideNeedsExactlyTwo) {
  Design d(true);
  const int a = d.add(control(ctInputField, 0.1, 0.1, 0.2, 0.2));
  const int b = d.add(control(ctInputField, 0.5, 0.5, 0.6, 0.55));
  const int c = d.add(control(ctInputField, 0.7, 0.7, 0.8, 0.8));
  d.data.selectCtrls({b});
  EXPECT_FALSE(d.data.stickRightCurCtrls());
  d.data.selectCtrls({a, b, c});
  EXPECT_FALSE(d.data.stickRightCurCtrls());
  d.data.selectCtrls({b, a});
  EXPECT_TRUE(d.data.stickRightCurCtrls());
  EXPECT_EQ(d.window(b)->rect(), (ui::Rect{80, 30, 120, 60}));
}

TEST(EditingCommands, AlignBottomsKeepsEachHeight) {
  Design d(true);
  const int a = d.add(control(ctInputField, 0.1, 0.1, 0.2, 0.2));
  const int b = d.add(control(ctInputField, 0.5, 0.5, 0.6, 0.55));
  d.data.selectCtrls({b, a});
  EXPECT_TRUE(d.data.outlineCurCtrls());
  EXPECT_EQ(d.window(b)->rect(), (ui::Rect{200, 45, 240, 60}));
}

TEST(EditingCommands, SetHeightMovesTheTopButChangeCtrlSizeTheBottom) {
  Design d(true);
  d.add(control(ctInputField, 0.1, 0.1, 0.2, 0.2));
  Nx_DesignerControl& c = *d.data.getControlWrite(0);
  d.data.setHeight(c, 60);
  EXPECT_DOUBLE_EQ(d.data.getTopLeftY(c), 0.0);
  EXPECT_DOUBLE_EQ(d.data.getBottomRightY(c), 60.0);
  d.data.changeCtrlSize(0, false, 30);
  EXPECT_DOUBLE_EQ(d.data.getTopLeftY(c), 0.0);
  EXPECT_DOUBLE_EQ(d.data.getBottomRightY(c), 30.0);
  d.data.changeCtrlSize(0, true, 100);
  EXPECT_DOUBLE_EQ(d.data.getWidth(c), 100.0);
}

TEST(EditingCommands, RemoveTakesRecordsAndWindowsOfTheSelection) {
  Design d(true);
  const int a = d.add(control(ctInputField, 0.1, 0.1, 0.2, 0.2));
  const int b = d.add(control(ctLabel, 0.5, 0.5, 0.6, 0.55));
  d.data.selectCtrls({a});
  EXPECT_TRUE(d.data.removeCurControls());
  EXPECT_EQ(d.data.getNrControls(), 1);
  EXPECT_EQ(d.window(a), nullptr);
  EXPECT_NE(d.window(b), nullptr);
}

TEST(FlexButtons, GroupsAndStates) {
  Design d(false);
  Nx_DesignerControl f = control(ctFlexButton, 0, 0, 0.1, 0.1, "Thickness");
  f.setSplitExtComboList("Plate;;x;");
  d.add(f);
  f.contents = "Width";
  f.setSplitExtComboList("plate;;;");
  d.add(f);
  f.contents = "Gap";
  f.setSplitExtComboList("Grout;;;");
  d.add(f);
  Nx_StringArray groups;
  d.data.getFlexBtnsGroups(groups);
  EXPECT_EQ(groups, (Nx_StringArray{"Plate", "Grout"}));
  AcArray<int> all, third;
  EXPECT_TRUE(d.data.getFlexBtnsInGroup("PLATE", all, third));
  EXPECT_EQ(all.length(), 2);
  ASSERT_EQ(third.length(), 1);
  EXPECT_EQ(third[0], 0);
  int state = -1;
  EXPECT_TRUE(d.data.setFlexBtnStatus("plate", "width", 1));
  EXPECT_TRUE(d.data.getFlexBtnStatus(1, state));
  EXPECT_EQ(state, 1);
  EXPECT_TRUE(d.data.setFlexBtnStatus("Plate", "Width", 2));  // undetermined is written clear
  d.data.getFlexBtnStatus(1, state);
  EXPECT_EQ(state, 0);
  Nx_String group, variable;
  EXPECT_TRUE(d.data.getFlexBtnGroupName(33002, group, variable));
  EXPECT_EQ(variable, "Gap");
  EXPECT_TRUE(d.data.hideAllFlexBtns("Plate"));
  EXPECT_FALSE(d.window(33000)->isVisible());
  EXPECT_TRUE(d.window(33002)->isVisible());
}

TEST(FlexButtons, PrintPositionsListsEveryControl) {
  Design d(false);
  d.data.append(control(ctLabel, 0.1, 0.2, 0.3, 0.4, "Bolt"));
  AcutPrintCapture capture;
  d.data.printPositions();
  EXPECT_EQ(capture.text(),
            "**** Control Bolt ****\nLeft: 0.100000 - Right: 0.300000\n"
            "Top: 0.200000 - Bottom: 0.400000\n********\n");
}
