#include "tests/gui/LayoutCheck.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "platform/ui/wx/WxBackend.h"

namespace {
std::string name(const ui::Window& w) {
  return w.className() + " " + std::to_string(w.id()) + " \"" + w.text() + "\"";
}
}  // namespace

std::vector<std::string> layoutFaults(const ui::Dialog& dialog) {
  std::vector<std::string> faults;
  std::vector<std::pair<const ui::Window*, wxRect>> shown;
  for (const ui::Window* c : dialog.children()) {
    wxWindow* w = uiwx::widgetOf(*c);
    if (!w || !w->IsShown()) continue;
    wxRect r = w->GetRect();
    if (!wxRect(wxPoint(0, 0), w->GetParent()->GetClientSize()).Contains(r))
      faults.push_back(name(*c) + " lies outside the dialog");
    // A label needs its text's width; the text of a check box or a radio
    // button sits beside its mark.
    if (dynamic_cast<wxStaticText*>(w) || dynamic_cast<wxCheckBox*>(w) ||
        dynamic_cast<wxRadioButton*>(w) || dynamic_cast<wxButton*>(w)) {
      wxSize best = w->GetBestSize();
      if (best.x > r.width + 2)
        faults.push_back(name(*c) + " cuts its text: needs " + std::to_string(best.x) +
                         " pixels, has " + std::to_string(r.width));
      if (dynamic_cast<wxStaticText*>(w) && best.y > r.height + 2)
        faults.push_back(name(*c) + " cuts its lines: needs " + std::to_string(best.y) +
                         " pixels high, has " + std::to_string(r.height));
    }
    if (dynamic_cast<wxStaticBox*>(w)) continue;
    for (const auto& [other, rect] : shown)
      if (rect.Intersects(r)) faults.push_back(name(*c) + " overlaps " + name(*other));
    shown.push_back({c, r});
  }
  return faults;
}
