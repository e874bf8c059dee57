// The widget of each kind of kit window, following the mapping of the
// product's design: STATIC -> wxStaticText, push button -> wxButton (icon
// buttons wxBitmapButton), group box -> wxStaticBox, check box -> wxCheckBox,
// push-like check box -> wxToggleButton, EDIT -> wxTextCtrl, drop-down ->
// wxComboBox, drop-down list -> wxChoice, LISTBOX -> wxListBox, tab control ->
// wxNotebook, dialogs -> wxDialog (child pages wxPanel).
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/scrolbar.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include <algorithm>

#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/MenuBar.h"
#include "platform/ui/TabControl.h"
#include "platform/ui/wx/WxBackend.h"
#include "platform/ui/wx/WxIcons.h"
#include "platform/ui/wx/WxPeer.h"
#include "platform/ui/wx/WxText.h"

namespace uiwx {
namespace {
using namespace ui;

// A dialog with a menu bar: only frames carry one.
wxWindow* makeMenuFrame(const Dialog& d, const MenuBar& menus, wxWindow* parent, long style) {
  auto* frame = new wxFrame(parent, wxID_ANY, toWx(d.text()), wxDefaultPosition, wxDefaultSize,
                            style | wxMINIMIZE_BOX | wxMAXIMIZE_BOX | wxFRAME_FLOAT_ON_PARENT);
  auto* bar = new wxMenuBar;
  for (const MenuBarMenu& m : menus) {
    auto* menu = new wxMenu;
    for (const MenuBarItem& item : m.items) {
      if (item.separator) {
        menu->AppendSeparator();
        continue;
      }
      menu->Append(item.id, toWx(item.text));
      if (!item.enabled) menu->Enable(item.id, false);
    }
    bar->Append(menu, toWx(m.title));
  }
  frame->SetMenuBar(bar);
  frame->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
  return frame;
}

wxWindow* makeDialog(Dialog& d, wxWindow* parent) {
  if (d.parent())
    return new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
  long style = 0;
  if (d.style() & WS_CAPTION) style |= wxCAPTION;
  if (d.style() & WS_SYSMENU) style |= wxSYSTEM_MENU | wxCLOSE_BOX;
  if (d.style() & WS_THICKFRAME) style |= wxRESIZE_BORDER;
  if (d.exStyle() & WS_EX_TOPMOST) style |= wxSTAY_ON_TOP;
  if (const MenuBar* menus = menuBarOf(d)) return makeMenuFrame(d, *menus, parent, style);
  // The kit handles Escape, Enter and Tab itself.
  auto* dlg =
      new wxDialog(parent, wxID_ANY, toWx(d.text()), wxDefaultPosition, wxDefaultSize, style);
  dlg->SetEscapeId(wxID_NONE);
  return dlg;
}

// The desktop keeps one radio button of a group checked, so the widgets are
// grouped as the template groups them: a group starts at a WS_GROUP item.
bool startsRadioGroup(const Button& b) {
  if (b.style() & WS_GROUP) return true;
  const auto& siblings = b.parent()->children();
  auto self = std::find(siblings.begin(), siblings.end(), &b);
  for (auto it = self; it != siblings.begin();) {
    --it;
    if (auto* r = dynamic_cast<const Button*>(*it); r && r->kind() == Button::Kind::Radio)
      return false;
    if ((*it)->style() & WS_GROUP) return true;
  }
  return true;
}

wxWindow* makeButton(Button& b, wxWindow* parent) {
  wxString label = toWx(b.text());
  switch (b.kind()) {
    case Button::Kind::GroupBox:
      return new wxStaticBox(parent, wxID_ANY, label);
    case Button::Kind::Check:
    case Button::Kind::ThreeState:
      if (b.isPushLike()) {
        if (b.isIconButton())
          return new wxBitmapToggleButton(parent, wxID_ANY, iconBitmap(b.iconId()));
        return new wxToggleButton(parent, wxID_ANY, label);
      }
      return new wxCheckBox(parent, wxID_ANY, label, wxDefaultPosition, wxDefaultSize,
                            b.kind() == Button::Kind::ThreeState
                                ? wxCHK_3STATE | wxCHK_ALLOW_3RD_STATE_FOR_USER
                                : wxCHK_2STATE);
    case Button::Kind::Radio:
      return new wxRadioButton(parent, wxID_ANY, label, wxDefaultPosition, wxDefaultSize,
                               startsRadioGroup(b) ? wxRB_GROUP : 0);
    default:
      if (b.isIconButton()) return new wxBitmapButton(parent, wxID_ANY, iconBitmap(b.iconId()));
      return new wxButton(parent, wxID_ANY, label);
  }
}

wxWindow* makeEdit(Edit& e, wxWindow* parent) {
  long style = 0;
  if (e.isMultiLine()) style |= wxTE_MULTILINE;
  if (e.style() & ES_PASSWORD) style |= wxTE_PASSWORD;
  if (e.style() & ES_READONLY) style |= wxTE_READONLY;
  if ((e.style() & 3) == ES_CENTER) style |= wxTE_CENTRE;
  if ((e.style() & 3) == ES_RIGHT) style |= wxTE_RIGHT;
  if (!(e.style() & WS_BORDER) && !(e.exStyle() & WS_EX_CLIENTEDGE)) style |= wxBORDER_NONE;
  return new wxTextCtrl(parent, wxID_ANY, toWx(e.text()), wxDefaultPosition, wxDefaultSize, style);
}

wxWindow* makeStatic(Window& w, wxWindow* parent) {
  switch (w.style() & SS_TYPEMASK) {
    case SS_ICON:
      return new wxStaticBitmap(parent, wxID_ANY, iconBitmap(w.iconId(), 32));
    case SS_BITMAP:
      return new wxStaticBitmap(parent, wxID_ANY, wxNullBitmap);
    case SS_ETCHEDHORZ:
      return new wxStaticLine(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
    case SS_ETCHEDVERT:
      return new wxStaticLine(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_VERTICAL);
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
    case SS_ETCHEDFRAME:
      return new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_THEME);
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT: {
      auto* p = new wxPanel(parent, wxID_ANY);
      auto type = w.style() & SS_TYPEMASK;
      p->SetBackgroundColour(type == SS_BLACKRECT   ? *wxBLACK
                             : type == SS_WHITERECT ? *wxWHITE
                                                    : wxColour(128, 128, 128));
      return p;
    }
    default:
      break;
  }
  long style = wxST_NO_AUTORESIZE;
  if ((w.style() & SS_TYPEMASK) == SS_CENTER)
    style |= wxALIGN_CENTRE_HORIZONTAL;
  else if ((w.style() & SS_TYPEMASK) == SS_RIGHT)
    style |= wxALIGN_RIGHT;
  return new wxStaticText(parent, wxID_ANY, toWx(w.text()), wxDefaultPosition, wxDefaultSize,
                          style);
}

wxWindow* makeWidget(Window& model, wxWindow* parent) {
  if (auto* d = dynamic_cast<Dialog*>(&model)) return makeDialog(*d, parent);
  if (!model.parent()) return new wxFrame(parent, wxID_ANY, toWx(model.text()));
  if (const WidgetFactories::Factory* f = WidgetFactories::find(model.className()))
    return (*f)(parent, model);
  if (auto* b = dynamic_cast<Button*>(&model)) return makeButton(*b, parent);
  if (auto* e = dynamic_cast<Edit*>(&model)) return makeEdit(*e, parent);
  if (auto* c = dynamic_cast<ComboBox*>(&model)) {
    if (c->isDropDownList()) return new wxChoice(parent, wxID_ANY);
    return new wxComboBox(parent, wxID_ANY, toWx(c->text()), wxDefaultPosition, wxDefaultSize, 0,
                          nullptr, (model.style() & CBS_TYPEMASK) == CBS_SIMPLE ? wxCB_SIMPLE : 0);
  }
  if (auto* l = dynamic_cast<ListBox*>(&model)) {
    long style = wxLB_SINGLE | wxLB_NEEDED_SB;
    if (l->style() & LBS_EXTENDEDSEL)
      style = wxLB_EXTENDED | wxLB_NEEDED_SB;
    else if (l->style() & LBS_MULTIPLESEL)
      style = wxLB_MULTIPLE | wxLB_NEEDED_SB;
    return new wxListBox(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, style);
  }
  if (dynamic_cast<TabControl*>(&model)) return new wxNotebook(parent, wxID_ANY);
  if (model.isClass(kScrollBarClass))
    return new wxScrollBar(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                           (model.style() & SBS_VERT) ? wxSB_VERTICAL : wxSB_HORIZONTAL);
  if (model.isClass(kStaticClass)) return makeStatic(model, parent);
  // A custom class without a widget of its own: a framed placeholder.
  return new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN);
}
}  // namespace

wxWindow* topLevelParent(const ui::Window& model) {
  if (const Window* owner = model.owner())
    if (wxWindow* w = widgetOf(*owner)) return w;
  // A dialog opened from another one stays in front of it.
  if (const Window* f = Window::focused())
    if (wxWindow* w = widgetOf(*f)) return wxGetTopLevelParent(w);
  return widgetOf(backend().mainWindow());
}

std::unique_ptr<WxPeer> makePeer(ui::Window& model) {
  // Its parent draws it; a widget would cover that drawing and take the mouse.
  if (model.parent() && (model.exStyle() & WS_EX_PARENTDRAWN)) return nullptr;
  wxWindow* parent = nullptr;
  if (model.parent()) {
    WxPeer* host = WxPeer::of(*model.parent());
    if (!host || !host->widget()) return nullptr;
    ui::Point offset;
    parent = host->childHost(offset);
  } else {
    parent = topLevelParent(model);
  }
  wxWindow* widget = makeWidget(model, parent);
  if (!widget) return nullptr;
  auto peer = std::make_unique<WxPeer>(model, widget, true);
  peer->syncAll();
  return peer;
}

}  // namespace uiwx
