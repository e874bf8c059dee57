#include "platform/ui/wx/WxPeer.h"

#include <wx/app.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include <unordered_map>

#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/MenuBar.h"
#include "platform/ui/TabControl.h"
#include "platform/ui/wx/WxIcons.h"
#include "platform/ui/wx/WxPaintContext.h"
#include "platform/ui/wx/WxText.h"

namespace uiwx {
namespace {
using namespace ui;

std::unordered_map<const Window*, WxPeer*>& byModel() {
  static std::unordered_map<const Window*, WxPeer*> m;
  return m;
}
std::unordered_map<const wxWindow*, WxPeer*>& byWidget() {
  static std::unordered_map<const wxWindow*, WxPeer*> m;
  return m;
}

template <typename Event, typename F>
void bindAlive(wxWindow* w, const wxEventTypeTag<Event>& type, const std::shared_ptr<bool>& alive,
               F f) {
  w->Bind(type, [alive, f](Event& e) {
    if (*alive)
      f(e);
    else
      e.Skip();
  });
}

int virtualKey(int key) {
  switch (key) {
    case WXK_BACK:
      return VK_BACK;
    case WXK_TAB:
      return VK_TAB;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
      return VK_RETURN;
    case WXK_ESCAPE:
      return VK_ESCAPE;
    case WXK_SPACE:
      return VK_SPACE;
    case WXK_PAGEUP:
      return VK_PRIOR;
    case WXK_PAGEDOWN:
      return VK_NEXT;
    case WXK_END:
      return VK_END;
    case WXK_HOME:
      return VK_HOME;
    case WXK_LEFT:
      return VK_LEFT;
    case WXK_UP:
      return VK_UP;
    case WXK_RIGHT:
      return VK_RIGHT;
    case WXK_DOWN:
      return VK_DOWN;
    case WXK_INSERT:
      return VK_INSERT;
    case WXK_DELETE:
      return VK_DELETE;
    case WXK_SHIFT:
      return VK_SHIFT;
    case WXK_CONTROL:
      return VK_CONTROL;
    case WXK_ALT:
      return VK_MENU;
    default:
      break;
  }
  if (key >= WXK_F1 && key <= WXK_F12) return VK_F1 + (key - WXK_F1);
  if (key >= 'a' && key <= 'z') return key - 'a' + 'A';
  return key < 128 ? key : 0;
}

wxCursor cursorFor(Cursor c) {
  switch (c) {
    case Cursor::Cross:
      return wxCursor(wxCURSOR_CROSS);
    case Cursor::Hand:
      return wxCursor(wxCURSOR_HAND);
    case Cursor::IBeam:
      return wxCursor(wxCURSOR_IBEAM);
    case Cursor::SizeAll:
      return wxCursor(wxCURSOR_SIZING);
    case Cursor::SizeNS:
      return wxCursor(wxCURSOR_SIZENS);
    case Cursor::SizeWE:
      return wxCursor(wxCURSOR_SIZEWE);
    case Cursor::SizeNWSE:
      return wxCursor(wxCURSOR_SIZENWSE);
    case Cursor::SizeNESW:
      return wxCursor(wxCURSOR_SIZENESW);
    case Cursor::Wait:
      return wxCursor(wxCURSOR_WAIT);
    default:
      return wxCursor(wxCURSOR_ARROW);
  }
}

int checkOf(wxCheckBoxState s) {
  return s == wxCHK_CHECKED        ? BST_CHECKED
         : s == wxCHK_UNDETERMINED ? BST_INDETERMINATE
                                   : BST_UNCHECKED;
}
}  // namespace

WxPeer::WxPeer(ui::Window& model, wxWindow* widget, bool owned)
    : model_(model), widget_(widget), owned_(owned), alive_(std::make_shared<bool>(true)) {
  byModel()[&model] = this;
  byWidget()[widget] = this;
  widgetKey_ = widget;
  bindEvents();
}

WxPeer::~WxPeer() {
  *alive_ = false;
  byModel().erase(&model_);
  if (auto it = byWidget().find(widgetKey_); it != byWidget().end() && it->second == this)
    byWidget().erase(it);
  wxWindow* w = widget_.get();
  if (!w || !owned_) return;
  if (w->HasCapture()) w->ReleaseMouse();
  w->Hide();
  if (w->IsTopLevel()) {
    // Deferred: the close may come from one of the dialog's own handlers.
    w->Destroy();
    return;
  }
  wxWindow* top = wxGetTopLevelParent(w);
  if (top && wxTheApp && wxTheApp->IsScheduledForDestruction(top)) return;  // goes with it
  wxWeakRef<wxWindow> ref(w);
  if (wxTheApp)
    wxTheApp->CallAfter([ref] {
      if (ref) delete ref.get();
    });
  else
    delete w;
}

WxPeer* WxPeer::of(const ui::Window& window) {
  auto it = byModel().find(&window);
  return it == byModel().end() ? nullptr : it->second;
}

WxPeer* WxPeer::of(const wxWindow* widget) {
  auto it = byWidget().find(widget);
  return it == byWidget().end() || !it->second->widget() ? nullptr : it->second;
}

wxWindow* WxPeer::childHost(ui::Point& offset) const {
  offset = {0, 0};
  if (dynamic_cast<TabControl*>(&model_) && model_.parent()) {
    // Pages lie beside the notebook, over its page area.
    if (WxPeer* host = of(*model_.parent())) {
      wxWindow* w = host->childHost(offset);
      offset.x += model_.rect().left;
      offset.y += model_.rect().top;
      return w;
    }
  }
  return widget_.get();
}

std::optional<ui::Rect> WxPeer::tabDisplayRect() const {
  auto* nb = dynamic_cast<wxNotebook*>(widget_.get());
  if (!nb || nb->GetPageCount() == 0) return std::nullopt;
  wxRect r = nb->GetPage(0)->GetRect();
  return ui::Rect{r.x, r.y, r.x + r.width, r.y + r.height};
}

template <typename F>
void WxPeer::deliver(F&& f) {
  std::shared_ptr<bool> alive = alive_;
  bool was = delivering_;
  delivering_ = true;
  f();
  // The model may have destroyed this peer (a dialog closed by the action).
  if (*alive) delivering_ = was;
}

void WxPeer::bindEvents() {
  wxWindow* w = widget_.get();
  if (!w) return;
  const auto& alive = alive_;
  Window& m = model_;

  if (auto* b = dynamic_cast<Button*>(&m)) {
    if (dynamic_cast<wxCheckBox*>(w) || dynamic_cast<wxToggleButton*>(w)) {
      auto onToggle = [this, b, w](wxCommandEvent&) {
        int state = BST_UNCHECKED;
        if (auto* cb = dynamic_cast<wxCheckBox*>(w))
          state = checkOf(cb->Get3StateValue());
        else
          state = static_cast<wxToggleButton*>(w)->GetValue() ? BST_CHECKED : BST_UNCHECKED;
        std::shared_ptr<bool> alive = alive_;
        bool automatic = b->isAutomatic();
        deliver([&] {
          if (automatic) b->setCheck(state);
          b->notifyParent(BN_CLICKED);
        });
        if (*alive && !automatic) applyCheck();  // a manual box keeps what the model says
      };
      bindAlive(w, wxEVT_CHECKBOX, alive, onToggle);
      bindAlive(w, wxEVT_TOGGLEBUTTON, alive, onToggle);
    } else if (dynamic_cast<wxRadioButton*>(w)) {
      bindAlive(w, wxEVT_RADIOBUTTON, alive, [this, b](wxCommandEvent&) {
        std::shared_ptr<bool> alive = alive_;
        deliver([&] { b->click(); });
        if (*alive) applyCheck();
      });
    } else {
      bindAlive(w, wxEVT_BUTTON, alive,
                [this, b](wxCommandEvent&) { deliver([&] { b->click(); }); });
    }
  } else if (auto* e = dynamic_cast<Edit*>(&m)) {
    bindAlive(w, wxEVT_TEXT, alive, [this, e, w](wxCommandEvent&) {
      std::string typed = fromWx(static_cast<wxTextCtrl*>(w)->GetValue());
      if (typed == e->text()) return;
      std::shared_ptr<bool> alive = alive_;
      deliver([&] { e->userType(typed); });
      if (*alive && e->text() != typed) applyText();  // cut to the limit
    });
  } else if (auto* c = dynamic_cast<ComboBox*>(&m)) {
    bindAlive(w, wxEVT_CHOICE, alive, [this, c, w](wxCommandEvent&) {
      int sel = static_cast<wxChoice*>(w)->GetSelection();
      deliver([&] { c->userSelect(sel); });
    });
    bindAlive(w, wxEVT_COMBOBOX, alive, [this, c, w](wxCommandEvent&) {
      int sel = static_cast<wxComboBox*>(w)->GetSelection();
      deliver([&] { c->userSelect(sel); });
    });
    if (auto* cb = dynamic_cast<wxComboBox*>(w)) {
      bindAlive(w, wxEVT_TEXT, alive, [this, c, cb](wxCommandEvent&) {
        std::string typed = fromWx(cb->GetValue());
        if (typed == c->text()) return;
        // Picking an entry also sends its text; the selection event follows.
        int sel = cb->GetSelection();
        if (sel != wxNOT_FOUND && cb->GetString(sel) == cb->GetValue() && sel != c->curSel())
          return;
        deliver([&] { c->userType(typed); });
      });
    }
  } else if (auto* l = dynamic_cast<ListBox*>(&m)) {
    auto* lb = static_cast<wxListBox*>(w);
    bindAlive(w, wxEVT_LISTBOX, alive, [this, l, lb](wxCommandEvent&) {
      deliver([&] {
        if (l->isMultiSelect()) {
          for (int i = 0; i < l->count(); ++i) l->setSelected(i, lb->IsSelected(i));
          l->notifyParent(LBN_SELCHANGE);
        } else {
          l->userSelect(lb->GetSelection());
        }
      });
    });
    bindAlive(w, wxEVT_LISTBOX_DCLICK, alive, [this, l, lb](wxCommandEvent&) {
      deliver([&] { l->userDoubleClick(lb->GetSelection()); });
    });
  } else if (auto* t = dynamic_cast<TabControl*>(&m)) {
    bindAlive(w, wxEVT_NOTEBOOK_PAGE_CHANGED, alive, [this, t](wxBookCtrlEvent& ev) {
      int sel = ev.GetSelection();
      if (sel != t->curSel()) deliver([&] { t->userSelect(sel); });
    });
  }

  bindAlive(w, wxEVT_SET_FOCUS, alive, [this](wxFocusEvent& ev) {
    deliver([&] { model_.setFocus(); });
    ev.Skip();
  });

  auto* dialog = dynamic_cast<Dialog*>(&m);
  if (dialog && w->IsTopLevel()) {
    bindAlive(w, wxEVT_CLOSE_WINDOW, alive, [this, dialog](wxCloseEvent& ev) {
      if (ev.CanVeto()) ev.Veto();
      deliver([&] { dialog->requestClose(); });
    });
    bindAlive(w, wxEVT_SIZE, alive, [this, dialog, w](wxSizeEvent& ev) {
      wxSize s = w->GetClientSize();
      deliver([&] { dialog->userResize({s.x, s.y}); });
      ev.Skip();
    });
    bindAlive(w, wxEVT_MOVE, alive, [this, w](wxMoveEvent& ev) {
      ev.Skip();
      if (!w->IsShown()) return;
      wxPoint p = w->ClientToScreen(wxPoint(0, 0));
      deliver([&] { model_.move({p.x, p.y}); });
    });
    if (menuBarOf(*dialog))
      bindAlive(w, wxEVT_MENU, alive, [this, dialog](wxCommandEvent& ev) {
        int id = ev.GetId();
        deliver([&] { dialog->handleCommand(id, 0); });
      });
    bindAlive(w, wxEVT_CHAR_HOOK, alive, [this, dialog](wxKeyEvent& ev) {
      KeyEvent k;
      k.key = virtualKey(ev.GetKeyCode());
      k.shift = ev.ShiftDown();
      k.control = ev.ControlDown();
      k.alt = ev.AltDown();
      bool used = false;
      if (k.key) deliver([&] { used = dialog->dispatchKey(k); });
      if (!used) ev.Skip();
    });
  }
  // Surfaces a controller draws on or reads the mouse from.
  if (dialog || dynamic_cast<wxPanel*>(w)) bindMouseAndPaint(w);
}

void WxPeer::bindMouseAndPaint(wxWindow* w) {
  const auto& alive = alive_;
  auto mouse = [this, w](wxMouseEvent& ev) {
    MouseEvent m;
    m.point = {ev.GetX(), ev.GetY()};
    m.shift = ev.ShiftDown();
    m.control = ev.ControlDown();
    if (ev.LeftDown() || ev.RightDown() || ev.MiddleDown())
      m.action = MouseAction::Down;
    else if (ev.LeftUp() || ev.RightUp() || ev.MiddleUp())
      m.action = MouseAction::Up;
    else if (ev.ButtonDClick())
      m.action = MouseAction::DoubleClick;
    else if (ev.GetEventType() == wxEVT_MOUSEWHEEL)
      m.action = MouseAction::Wheel;
    else
      m.action = MouseAction::Move;
    int button = ev.GetButton();
    m.button = button == wxMOUSE_BTN_LEFT     ? MouseButton::Left
               : button == wxMOUSE_BTN_RIGHT  ? MouseButton::Right
               : button == wxMOUSE_BTN_MIDDLE ? MouseButton::Middle
                                              : MouseButton::None;
    if (m.action == MouseAction::Move && ev.LeftIsDown()) m.button = MouseButton::Left;
    m.wheelDelta = ev.GetWheelRotation();
    bool used = false;
    std::shared_ptr<bool> alive = alive_;
    deliver([&] { used = model_.dispatchMouse(m); });
    if (!used) {
      ev.Skip();
      return;
    }
    // A press that gave this window the focus takes it from the child that
    // had it, or that child would keep the keys. The window itself, not its
    // first child as a dialog's SetFocus would choose.
    if (*alive && m.action == MouseAction::Down && model_.hasFocus() && wxWindow::FindFocus() != w)
      w->wxWindow::SetFocus();
  };
  for (auto type :
       {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP,
        wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP, wxEVT_MOTION, wxEVT_MOUSEWHEEL})
    bindAlive(w, wxEventTypeTag<wxMouseEvent>(type), alive, mouse);
  bindAlive(w, wxEVT_MOUSE_CAPTURE_LOST, alive,
            [this](wxMouseCaptureLostEvent&) { model_.releaseMouse(); });
  bindAlive(w, wxEVT_PAINT, alive, [this, w](wxPaintEvent&) {
    wxPaintDC dc(w);
    WxPaintContext context(dc);
    model_.paint(context);
  });
}

void WxPeer::applyRect() {
  wxWindow* w = widget_.get();
  Rect r = model_.rect();
  if (w->IsTopLevel()) {
    w->SetClientSize(r.width(), r.height());
    w->Move(r.left, r.top);
    return;
  }
  Point offset;
  if (model_.parent())
    if (WxPeer* host = of(*model_.parent())) host->childHost(offset);
  int height = r.height();
  // A combo box's rectangle includes its drop-down list; the widget takes its own height.
  if (dynamic_cast<wxChoice*>(w) ||
      (dynamic_cast<wxComboBox*>(w) && (model_.style() & CBS_TYPEMASK) != CBS_SIMPLE))
    height = w->GetBestSize().y;
  w->SetSize(r.left + offset.x, r.top + offset.y, r.width(), height);
  if (dynamic_cast<wxStaticText*>(w)) applyText();  // wrapped to the new width
}

void WxPeer::applyText() {
  wxWindow* w = widget_.get();
  wxString text = toWx(model_.text());
  if (auto* t = dynamic_cast<wxTextCtrl*>(w)) {
    if (t->GetValue() != text) t->ChangeValue(text);
  } else if (auto* c = dynamic_cast<wxComboBox*>(w)) {
    if (c->GetValue() != text) c->ChangeValue(text);
  } else if (dynamic_cast<wxChoice*>(w) || dynamic_cast<wxListBox*>(w) ||
             dynamic_cast<wxNotebook*>(w)) {
    // Their text is their selection.
  } else if (auto* d = dynamic_cast<wxTopLevelWindow*>(w)) {
    d->SetTitle(text);
  } else if (auto* st = dynamic_cast<wxStaticText*>(w)) {
    // Static text wraps at word ends as it does on Windows, unless told not to.
    st->SetLabel(text);
    auto type = model_.style() & SS_TYPEMASK;
    if (model_.rect().width() > 0 && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
      st->Wrap(model_.rect().width());
  } else if (!dynamic_cast<wxBitmapButton*>(w)) {
    w->SetLabel(text);
  }
}

void WxPeer::applyCheck() {
  auto* b = dynamic_cast<Button*>(&model_);
  if (!b) return;
  wxWindow* w = widget_.get();
  int s = b->checkState();
  if (auto* cb = dynamic_cast<wxCheckBox*>(w)) {
    if (cb->Is3State())
      cb->Set3StateValue(s == BST_INDETERMINATE ? wxCHK_UNDETERMINED
                         : s == BST_CHECKED     ? wxCHK_CHECKED
                                                : wxCHK_UNCHECKED);
    else
      cb->SetValue(s == BST_CHECKED);
  } else if (auto* tb = dynamic_cast<wxToggleButton*>(w)) {
    tb->SetValue(s != BST_UNCHECKED);
  } else if (auto* rb = dynamic_cast<wxRadioButton*>(w)) {
    // Checking one clears the others of its group; the desktop cannot clear one alone.
    if (s == BST_CHECKED && !rb->GetValue()) rb->SetValue(true);
  }
}

void WxPeer::applyItems() {
  wxWindow* w = widget_.get();
  if (auto* t = dynamic_cast<TabControl*>(&model_)) {
    auto* nb = static_cast<wxNotebook*>(w);
    while (static_cast<int>(nb->GetPageCount()) > t->count())
      nb->DeletePage(nb->GetPageCount() - 1);
    for (int i = 0; i < t->count(); ++i) {
      if (i >= static_cast<int>(nb->GetPageCount()))
        nb->AddPage(new wxPanel(nb), toWx(t->itemText(i)));
      else
        nb->SetPageText(i, toWx(t->itemText(i)));
    }
    return;
  }
  auto* l = dynamic_cast<ListControl*>(&model_);
  auto* items = dynamic_cast<wxItemContainer*>(w);
  if (!l || !items) return;
  wxArrayString texts;
  for (const auto& s : l->items()) texts.Add(toWx(s));
  bool same = static_cast<int>(items->GetCount()) == l->count();
  for (int i = 0; same && i < l->count(); ++i) same = items->GetString(i) == texts[i];
  if (!same) {
    items->Set(texts);
    if (auto* c = dynamic_cast<wxComboBox*>(w)) c->ChangeValue(toWx(model_.text()));
  }
}

void WxPeer::applySelection() {
  wxWindow* w = widget_.get();
  if (auto* t = dynamic_cast<TabControl*>(&model_)) {
    auto* nb = static_cast<wxNotebook*>(w);
    if (t->curSel() >= 0 && t->curSel() < static_cast<int>(nb->GetPageCount()) &&
        nb->GetSelection() != t->curSel())
      nb->ChangeSelection(t->curSel());
    return;
  }
  if (auto* e = dynamic_cast<Edit*>(&model_)) {
    if (auto* tc = dynamic_cast<wxTextCtrl*>(w)) tc->SetSelection(e->selStart(), e->selEnd());
    return;
  }
  auto* l = dynamic_cast<ListControl*>(&model_);
  if (!l) return;
  if (auto* lb = dynamic_cast<wxListBox*>(w)) {
    if (l->isMultiSelect()) {
      for (int i = 0; i < l->count() && i < static_cast<int>(lb->GetCount()); ++i)
        if (lb->IsSelected(i) != l->isSelected(i)) {
          if (l->isSelected(i))
            lb->SetSelection(i);
          else
            lb->Deselect(i);
        }
    } else if (lb->GetSelection() != l->curSel()) {
      if (l->curSel() >= 0)
        lb->SetSelection(l->curSel());
      else if (lb->GetSelection() != wxNOT_FOUND)
        lb->Deselect(lb->GetSelection());
    }
  } else if (auto* ch = dynamic_cast<wxChoice*>(w)) {
    if (ch->GetSelection() != l->curSel())
      ch->SetSelection(l->curSel() >= 0 ? l->curSel() : wxNOT_FOUND);
  } else if (auto* cb = dynamic_cast<wxComboBox*>(w)) {
    if (l->curSel() >= 0 && cb->GetSelection() != l->curSel()) cb->SetSelection(l->curSel());
    if (cb->GetValue() != toWx(model_.text())) cb->ChangeValue(toWx(model_.text()));
  }
}

void WxPeer::applyImage() {
  wxWindow* w = widget_.get();
  if (auto* bb = dynamic_cast<wxBitmapButton*>(w)) {
    bb->SetBitmap(iconBitmap(model_.iconId()));
  } else if (auto* tb = dynamic_cast<wxBitmapToggleButton*>(w)) {
    tb->SetBitmap(iconBitmap(model_.iconId()));
  } else if (auto* sb = dynamic_cast<wxStaticBitmap*>(w)) {
    if (!model_.imageFile().empty()) {
      wxImage image;
      Rect r = model_.rect();
      if (wxFileExists(toWx(model_.imageFile())) && image.LoadFile(toWx(model_.imageFile()))) {
        if (r.width() > 0 && r.height() > 0 &&
            (image.GetWidth() > r.width() || image.GetHeight() > r.height())) {
          double scale = std::min(double(r.width()) / image.GetWidth(),
                                  double(r.height()) / image.GetHeight());
          image.Rescale(std::max(1, int(image.GetWidth() * scale)),
                        std::max(1, int(image.GetHeight() * scale)), wxIMAGE_QUALITY_HIGH);
        }
        sb->SetBitmap(wxBitmap(image));
      } else {
        sb->SetBitmap(wxNullBitmap);
      }
    } else if (model_.iconId()) {
      sb->SetBitmap(iconBitmap(model_.iconId(), 32));
    }
  } else if (auto* d = dynamic_cast<wxTopLevelWindow*>(w); d && model_.iconId()) {
    wxIcon icon;
    icon.CopyFromBitmap(iconBitmap(model_.iconId(), 32));
    d->SetIcon(icon);
  }
}

void WxPeer::applyFont() {
  widget_.get()->SetFont(wxFontFor(model_.font()));
}

void WxPeer::update(ui::Change what) {
  wxWindow* w = widget_.get();
  if (!w) return;
  switch (what) {
    case Change::Text:
      if (!delivering_) applyText();
      break;
    case Change::Rect:
      if (!delivering_) applyRect();
      break;
    case Change::Enabled:
      w->Enable(model_.isEnabled());
      break;
    case Change::Visible:
      if (w->IsTopLevel()) {
        auto* d = dynamic_cast<Dialog*>(&model_);
        if (!d || !d->isModal()) w->Show(model_.isVisible());
      } else {
        w->Show(model_.isVisible());
      }
      break;
    case Change::Style:
      if (auto* t = dynamic_cast<wxTextCtrl*>(w)) t->SetEditable(!(model_.style() & ES_READONLY));
      break;
    case Change::Font:
      applyFont();
      break;
    case Change::Check:
      applyCheck();
      break;
    case Change::Items:
      applyItems();
      applySelection();
      break;
    case Change::Selection:
      if (!delivering_) applySelection();
      break;
    case Change::Focus:
      if (model_.hasFocus() && !delivering_ && w->IsShownOnScreen()) w->SetFocus();
      break;
    case Change::Image:
      applyImage();
      break;
    case Change::ToolTip:
      if (model_.toolTip().empty())
        w->UnsetToolTip();
      else
        w->SetToolTip(toWx(model_.toolTip()));
      break;
    case Change::Repaint:
      w->Refresh();
      break;
    case Change::RepaintArea: {
      Rect r = model_.invalidArea();
      wxRect area(r.left, r.top, r.width(), r.height());
      w->Refresh(true, &area);
      break;
    }
    case Change::Cursor:
      w->SetCursor(cursorFor(model_.cursor()));
      break;
    case Change::Capture:
      if (Window::captured() == &model_) {
        if (!w->HasCapture()) w->CaptureMouse();
      } else if (w->HasCapture()) {
        w->ReleaseMouse();
      }
      break;
    case Change::MinSize:
      if (auto* d = dynamic_cast<Dialog*>(&model_); d && w->IsTopLevel())
        w->SetMinClientSize(wxSize(d->minTrackSize().width, d->minTrackSize().height));
      break;
    case Change::EndModal:
      if (auto* d = dynamic_cast<wxDialog*>(w); d && d->IsModal())
        d->EndModal(dynamic_cast<Dialog&>(model_).result());
      break;
  }
}

void WxPeer::syncAll() {
  wxWindow* w = widget_.get();
  if (!w) return;
  applyFont();
  applyItems();
  applyText();
  applySelection();
  applyCheck();
  applyImage();
  w->Enable(model_.isEnabled());
  if (!model_.toolTip().empty()) w->SetToolTip(toWx(model_.toolTip()));
  if (auto* b = dynamic_cast<Button*>(&model_); b && b->kind() == Button::Kind::DefaultPush)
    if (auto* button = dynamic_cast<wxButton*>(w)) button->SetDefault();
  update(Change::MinSize);
  applyRect();
  update(Change::Visible);
}

}  // namespace uiwx
