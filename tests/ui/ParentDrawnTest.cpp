// Children that their parent draws (WS_EX_PARENTDRAWN): what they make the
// parent repaint, and how paintControl draws each kind of control.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/ui/Button.h"
#include "platform/ui/ControlPainter.h"
#include "platform/ui/Edit.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/RecordingPaintContext.h"
#include "platform/ui/WindowClasses.h"

using namespace ui;

namespace {
// Every area a window hands its widget to repaint.
class RepaintLog : public WindowPeer {
 public:
  RepaintLog(Window& w, std::vector<Rect>& log) : window_(w), log_(log) {}
  void update(Change what) override {
    if (what == Change::RepaintArea) log_.push_back(window_.invalidArea());
  }

 private:
  Window& window_;
  std::vector<Rect>& log_;
};

class RepaintBackend : public HeadlessBackend {
 public:
  explicit RepaintBackend(std::vector<Rect>& log) : log_(log) {}
  std::unique_ptr<WindowPeer> createPeer(Window& window) override {
    return std::make_unique<RepaintLog>(window, log_);
  }

 private:
  std::vector<Rect>& log_;
};

struct Installed {
  explicit Installed(std::vector<Rect>& log)
      : previous(setBackend(std::make_unique<RepaintBackend>(log))) {}
  ~Installed() { setBackend(std::move(previous)); }
  std::unique_ptr<Backend> previous;
};

Window& child(Window& parent, const char* className, Style style, Style exStyle, Rect rect) {
  auto w = WindowClasses::create(className, WS_CHILD | WS_VISIBLE | style);
  w->setExStyle(exStyle);
  w->setRect(rect);
  return *parent.addChild(std::move(w));
}

std::vector<std::string> paint(const Window& w) {
  RecordingPaintContext dc;
  paintControl(dc, w);
  std::vector<std::string> drawn;
  for (const std::string& call : dc.calls())
    if (call.rfind("face ", 0) == 0 || call.rfind("text ", 0) == 0) drawn.push_back(call);
  return drawn;
}
}  // namespace

TEST(ParentDrawn, ChangesOfTheLookRepaintTheParentWhereTheChildWasAndIs) {
  std::vector<Rect> log;
  Installed backend(log);
  Window parent;
  parent.createPeers();
  Window& drawn = child(parent, kEditClass, 0, WS_EX_PARENTDRAWN, {10, 10, 50, 30});
  Window& native = child(parent, kEditClass, 0, 0, {60, 10, 100, 30});
  EXPECT_EQ(log, (std::vector<Rect>{{10, 10, 50, 30}}));  // where it appeared
  log.clear();

  drawn.move({20, 40});
  EXPECT_EQ(log, (std::vector<Rect>{{10, 10, 50, 30}, {20, 40, 60, 60}}));
  log.clear();
  drawn.setText("Length");
  drawn.enable(false);
  EXPECT_EQ(log, (std::vector<Rect>{{20, 40, 60, 60}, {20, 40, 60, 60}}));
  log.clear();
  // Neither the focus nor a widget's own changes concern the parent's drawing.
  drawn.setFocus();
  drawn.setToolTip("tip");
  native.move({70, 10});
  native.setText("x");
  EXPECT_TRUE(log.empty());
  // Gone: the parent's drawing beneath shows again.
  parent.destroyChild(&drawn);
  EXPECT_EQ(log, (std::vector<Rect>{{20, 40, 60, 60}}));
}

TEST(ParentDrawn, EachKindIsDrawnWithItsFaceAndText) {
  Window parent;
  // A disabled field: its face greyed, its text kept inside.
  Window& edit = child(parent, kEditClass, ES_AUTOHSCROLL, 0, {10, 10, 60, 30});
  edit.setText("Thickness");
  edit.enable(false);
  EXPECT_EQ(paint(edit),
            (std::vector<std::string>{
                "face 3 10 10 60 30 1",
                "text 14 12 56 28 " + std::to_string(DT_CLIP | DT_VCENTER) + " Thickness"}));

  // A label has no face: the parent's picture shows around its text.
  Window& label = child(parent, kStaticClass, SS_RIGHT, 0, {0, 0, 80, 16});
  label.setText("Width");
  EXPECT_EQ(paint(label),
            (std::vector<std::string>{"text 0 0 80 16 " + std::to_string(DT_RIGHT) + " Width"}));

  // A check box's box sits at the left, centred in height, its caption beside it.
  auto& check =
      dynamic_cast<Button&>(child(parent, kButtonClass, BS_AUTO3STATE, 0, {0, 0, 90, 21}));
  check.setText("Stiffener");
  check.setCheck(BST_INDETERMINATE);
  EXPECT_EQ(paint(check), (std::vector<std::string>{
                              "face 1 0 4 13 17 " + std::to_string(CF_UNDETERMINED),
                              "text 17 0 90 21 " + std::to_string(DT_VCENTER) + " Stiffener"}));

  // A drop-down list shows its selected entry, clear of the arrow.
  auto& combo =
      dynamic_cast<ComboBox&>(child(parent, kComboBoxClass, CBS_DROPDOWNLIST, 0, {0, 0, 100, 22}));
  combo.setItems({"M16", "M20"});
  combo.setCurSel(1);
  EXPECT_EQ(paint(combo), (std::vector<std::string>{
                              "face 5 0 0 100 22 0",
                              "text 4 0 80 22 " + std::to_string(DT_VCENTER | DT_CLIP) + " M20"}));

  // Hidden windows are not drawn at all.
  edit.show(false);
  EXPECT_TRUE(paint(edit).empty());
}
