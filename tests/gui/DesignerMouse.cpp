// gui_designer_mouse FILE.png: the designer window on the sample end plate,
// worked with the real pointer and keyboard of the X server (the desktop
// delivers the events, not the kit's script): click, shift-click, drag,
// resize by a handle, arrow keys, Delete and undo. Each step is checked on
// the design; the picture shows the selection's handles. Closed with Cancel,
// so the sample stays as it is.
#include <wx/app.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <cstdio>
#include <functional>
#include <string>

#include "common/SSExports.h"
#include "core/Nx_Settings.h"
#include "designer/CControlRect.h"
#include "designer/CSelectionTracker.h"
#include "designer/KvDlgDesigner.h"
#include "platform/ui/wx/WxBackend.h"
#include "resources/dialogs/DLG_DLGDESIGNER.h"
#include "tests/gui/SmokeApp.h"

namespace {
using ui::Point;
using ui::Rect;

int gFailures = 0;

void expect(bool ok, const std::string& what) {
  if (ok) return;
  std::fprintf(stderr, "designer mouse: %s\n", what.c_str());
  ++gFailures;
}

std::string str(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

// Drives the pointer over the designer's client area.
class Pointer {
 public:
  explicit Pointer(const KvDlgDesigner& designer) : widget_(uiwx::widgetOf(designer)) {}

  // Lets the desktop deliver what was sent, until the condition holds (a bounded wait).
  void settle(const std::function<bool()>& done = {}) {
    for (int i = 0; i < 100; ++i) {
      wxYield();
      if (done && done() && i >= 2) return;
      wxMilliSleep(10);
      if (!done && i >= 10) return;
    }
  }
  void moveTo(Point p) {
    const wxPoint s = widget_->ClientToScreen(wxPoint(p.x, p.y));
    sim_.MouseMove(s);
    settle();
  }
  void click(Point p) {
    moveTo(p);
    sim_.MouseDown();
    settle();
    sim_.MouseUp();
    settle();
  }
  void shiftClick(Point p) {
    moveTo(p);
    sim_.KeyDown(WXK_SHIFT);
    settle();
    sim_.MouseDown();
    settle();
    sim_.MouseUp();
    settle();
    sim_.KeyUp(WXK_SHIFT);
    settle();
  }
  // Presses at from, moves there in steps, releases at to.
  void drag(Point from, Point to) {
    moveTo(from);
    sim_.MouseDown();
    settle();
    for (int step = 1; step <= 4; ++step)
      moveTo({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
    sim_.MouseUp();
    settle();
  }
  void key(int code, int modifiers = wxMOD_NONE) {
    sim_.Char(code, modifiers);
    settle();
  }

 private:
  wxWindow* widget_;
  wxUIActionSimulator sim_;
};

Rect rectOf(KvDlgDesigner& d, int id) {
  const ui::Window* w = d.item(id);
  return w ? w->rect() : Rect{};
}

Point centre(const Rect& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void work(KvDlgDesigner& designer) {
  Nx_DlgDesignerData& design = designer.design();
  expect(design.getNrControls() > 4, "the sample design did not open");
  if (design.getNrControls() <= 4) return;
  // Two input fields of the sample, one above the other.
  const int first = KvDlgDesigner::kFirstResId + 2;
  const int second = KvDlgDesigner::kFirstResId + 4;
  const Rect a = rectOf(designer, first);
  const Rect b = rectOf(designer, second);
  Pointer pointer(designer);

  pointer.click(centre(a));
  expect(design.getSelectedIds() == std::vector<int>{first}, "a click did not select the field");
  pointer.shiftClick(centre(b));
  expect(design.getSelectedIds().size() == 2, "shift-click did not add the second field");

  pointer.drag(centre(a), {centre(a).x - 30, centre(a).y + 20});
  pointer.settle([&] { return rectOf(designer, second) == b.offset(-30, 20); });
  expect(rectOf(designer, first) == a.offset(-30, 20),
         "dragging moved the first field to " + str(rectOf(designer, first)));
  expect(rectOf(designer, second) == b.offset(-30, 20),
         "dragging moved the second field to " + str(rectOf(designer, second)));

  // One selected field (a click on empty space first), grown by its bottom-right handle.
  const Rect moved = rectOf(designer, first);
  pointer.click({2, 2});
  expect(design.getSelectedIds().empty(), "a click on empty space kept the selection");
  pointer.click(centre(moved));
  expect(design.getSelectedIds() == std::vector<int>{first}, "a click did not select one field");
  const Point handle{moved.right + CControlRect::kHandleSize / 2,
                     moved.bottom + CControlRect::kHandleSize / 2};
  pointer.drag(handle, {handle.x + 15, handle.y + 10});
  const Rect grown{moved.left, moved.top, moved.right + 15, moved.bottom + 10};
  pointer.settle([&] { return rectOf(designer, first) == grown; });
  expect(rectOf(designer, first) == grown,
         "the handle resized the field to " + str(rectOf(designer, first)));

  // Keys after typing in a property field: a click on the design takes them back.
  if (const ui::Window* contents = designer.item(dlg_dlgdesigner::IDC_CONTENTS))
    pointer.click(centre(contents->rect()));
  pointer.click(centre(grown));
  pointer.key(WXK_RIGHT);
  expect(rectOf(designer, first) == grown.offset(1, 0),
         "the right arrow left the field at " + str(rectOf(designer, first)));
  pointer.key(WXK_DOWN, wxMOD_SHIFT);
  expect(rectOf(designer, first) == grown.offset(1, 10),
         "shift and down left the field at " + str(rectOf(designer, first)));

  const int count = design.getNrControls();
  pointer.key(WXK_DELETE);
  expect(design.getNrControls() == count - 1, "Delete did not remove the selected field");
  pointer.key('Z', wxMOD_CONTROL);
  expect(design.getNrControls() == count, "Ctrl+Z did not bring the field back");
  pointer.key('Z', wxMOD_CONTROL);
  expect(rectOf(designer, first) == grown.offset(1, 0), "Ctrl+Z did not undo the nudge");

  // Back in the property field, the arrows are the field's again.
  if (const ui::Window* contents = designer.item(dlg_dlgdesigner::IDC_CONTENTS))
    pointer.click(centre(contents->rect()));
  pointer.key(WXK_RIGHT);
  expect(rectOf(designer, first) == grown.offset(1, 0),
         "an arrow typed in the property field moved the field to " + str(rectOf(designer, first)));

  // Selected for the picture: the handles must show over the field.
  pointer.click(centre(rectOf(designer, first)));
  pointer.moveTo({2, 2});
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gui_designer_mouse FILE.png\n");
    return 2;
  }
  auto* app = new SmokeApp(argv[1], [](SmokeApp& app) {
    gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
    app.closeWithCancel();
    app.beforeShot([](ui::Dialog& dialog) {
      if (auto* designer = dynamic_cast<KvDlgDesigner*>(&dialog)) work(*designer);
    });
    StartDlgDesigner("Connections/End plate");
    return app.shot();
  });
  const int status = runSmoke(argv[0], app);
  return status != 0 ? status : gFailures != 0;
}
