#include "platform/ui/wx/WxBackend.h"

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dcscreen.h>
#include <wx/dialog.h>
#include <wx/dirdlg.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <map>
#include <vector>

#include "platform/arx/acutil.h"
#include "platform/ui/Services.h"
#include "platform/ui/wx/ScreenPixels.h"
#include "platform/ui/wx/WxGrid.h"
#include "platform/ui/wx/WxPaintContext.h"
#include "platform/ui/wx/WxPeer.h"
#include "platform/ui/wx/WxText.h"

namespace uiwx {
namespace {
using namespace ui;

std::function<void(Dialog&, wxDialog&)>& modalHook() {
  static std::function<void(Dialog&, wxDialog&)> hook;
  return hook;
}

std::map<std::string, WidgetFactories::Factory>& factories() {
  static std::map<std::string, WidgetFactories::Factory> f;
  return f;
}

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

class KitTimer : public wxTimer {
 public:
  explicit KitTimer(int id) : id_(id) {}
  void Notify() override { fireTimer(id_); }

 private:
  int id_;
};

class WxBackendImpl : public Backend {
 public:
  std::string_view name() const override { return "wxWidgets"; }

  std::unique_ptr<WindowPeer> createPeer(Window& window) override {
    if (adopting_ && &window == main_.get())
      return std::make_unique<WxPeer>(window, adopting_, false);
    return makePeer(window);
  }

  void runModal(Dialog& dialog) override {
    auto* dlg = dynamic_cast<wxDialog*>(widgetOf(dialog));
    if (!dlg) {
      acutPrintf("*Error* Dialog %d has no window to show.\n", dialog.templateId());
      dialog.endDialog(IDCANCEL);
      return;
    }
    wxWeakRef<wxDialog> ref(dlg);
    dlg->CallAfter([&dialog, ref] {
      // Only while the dialog still shows this model.
      if (!ref || windowOf(ref.get()) != &dialog) return;
      if (Window* f = Window::focused(); f && dialog.isAncestorOf(f))
        if (wxWindow* w = widgetOf(*f)) w->SetFocus();
      if (modalHook()) modalHook()(dialog, *ref);
    });
    dlg->ShowModal();
  }

  Size dialogBaseUnits(const Font& font) override {
    wxScreenDC dc;
    dc.SetFont(wxFontFor(font));
    wxCoord w = 0, h = 0;
    dc.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &w, &h);
    return {std::max(1, (w / 26 + 1) / 2), std::max(1, h)};
  }

  Size textExtent(const Font& font, std::string_view text) override {
    wxScreenDC dc;
    dc.SetFont(wxFontFor(font));
    wxCoord w = 0, h = 0;
    dc.GetMultiLineTextExtent(toWx(text), &w, &h);
    return {w, h};
  }

  Rect workArea() override {
    wxRect r = wxDisplay(0u).GetClientArea();
    return {r.x, r.y, r.x + r.width, r.y + r.height};
  }

  int messageBox(const MessageBoxRequest& request) override {
    long style = 0;
    unsigned def = request.type & MB_DEFMASK;
    switch (request.type & MB_TYPEMASK) {
      case MB_OKCANCEL:
        style = wxOK | wxCANCEL | (def ? wxCANCEL_DEFAULT : 0);
        break;
      case MB_YESNO:
        style = wxYES_NO | (def ? wxNO_DEFAULT : 0);
        break;
      case MB_YESNOCANCEL:
        style = wxYES_NO | wxCANCEL | (def == MB_DEFBUTTON2 ? wxNO_DEFAULT : 0) |
                (def == MB_DEFBUTTON3 ? wxCANCEL_DEFAULT : 0);
        break;
      default:
        style = wxOK;
        break;
    }
    switch (request.type & MB_ICONMASK) {
      case MB_ICONERROR:
        style |= wxICON_ERROR;
        break;
      case MB_ICONQUESTION:
        style |= wxICON_QUESTION;
        break;
      case MB_ICONWARNING:
        style |= wxICON_WARNING;
        break;
      case MB_ICONINFORMATION:
        style |= wxICON_INFORMATION;
        break;
      default:
        break;
    }
    wxMessageDialog box(parentFor(request.owner), toWx(request.text), toWx(request.caption), style);
    switch (box.ShowModal()) {
      case wxID_OK:
        return IDOK;
      case wxID_YES:
        return IDYES;
      case wxID_NO:
        return IDNO;
      default:
        return IDCANCEL;
    }
  }

  std::optional<std::vector<std::string>> fileDialog(const FileDialogRequest& r) override {
    long style = r.save ? wxFD_SAVE : wxFD_OPEN;
    if (r.save && r.overwritePrompt) style |= wxFD_OVERWRITE_PROMPT;
    if (!r.save && r.mustExist) style |= wxFD_FILE_MUST_EXIST;
    if (!r.save && r.multiSelect) style |= wxFD_MULTIPLE;
    std::string filter = r.filter;
    while (!filter.empty() && filter.back() == '|') filter.pop_back();
    if (filter.empty()) filter = "All files (*.*)|*";
    wxFileDialog dlg(parentFor(r.owner), toWx(r.title), toWx(r.initialDir), toWx(r.fileName),
                     toWx(filter), style);
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    wxArrayString paths;
    if (r.multiSelect)
      dlg.GetPaths(paths);
    else
      paths.Add(dlg.GetPath());
    std::vector<std::string> out;
    for (const auto& p : paths) out.push_back(fromWx(p));
    return out;
  }

  std::optional<std::string> browseFolder(const FolderRequest& r) override {
    wxDirDialog dlg(parentFor(r.owner), toWx(r.title), toWx(r.initialDir));
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    return fromWx(dlg.GetPath());
  }

  void startTimer(int timerId, int ms) override {
    auto t = std::make_unique<KitTimer>(timerId);
    t->Start(std::max(1, ms));
    timers_[timerId] = std::move(t);
  }

  void stopTimer(int timerId) override {
    auto it = timers_.find(timerId);
    if (it == timers_.end()) return;
    it->second->Stop();
    // It may be the timer whose tick runs right now: delete it afterwards.
    // Retired timers belong to the backend, so those whose deferred delete
    // never ran go with it.
    retired_->push_back(std::move(it->second));
    timers_.erase(it);
    if (wxTheApp)
      wxTheApp->CallAfter([weak = std::weak_ptr(retired_)] {
        if (auto r = weak.lock()) r->clear();
      });
    else
      retired_->clear();
  }

  void setClipboardText(std::string_view text) override {
    if (wxTheClipboard->Open()) {
      wxTheClipboard->SetData(new wxTextDataObject(toWx(text)));
      wxTheClipboard->Close();
    }
  }

  std::optional<std::string> clipboardText() override {
    std::optional<std::string> out;
    if (wxTheClipboard->Open()) {
      if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT)) {
        wxTextDataObject data;
        if (wxTheClipboard->GetData(data)) out = fromWx(data.GetText());
      }
      wxTheClipboard->Close();
    }
    return out;
  }

  bool isKeyDown(int vk) override {
    switch (vk) {
      case VK_SHIFT:
        return wxGetKeyState(WXK_SHIFT);
      case VK_CONTROL:
        return wxGetKeyState(WXK_CONTROL);
      case VK_MENU:
        return wxGetKeyState(WXK_ALT);
      default:
        break;
    }
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return wxGetKeyState(wxKeyCode(vk));
    return false;
  }

  Window& mainWindow() override {
    if (!main_) {
      main_ = std::make_unique<Window>("HostMainWindow");
      main_->setStyle(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
      main_->show(false);
    }
    return *main_;
  }

  Window& adopt(wxWindow* frame) {
    main_ = std::make_unique<Window>("HostMainWindow");
    main_->setStyle(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE);
    wxPoint p = frame->GetScreenPosition();
    wxSize s = frame->GetClientSize();
    main_->setRect(Rect::fromSize({p.x, p.y}, {s.x, s.y}));
    adopting_ = frame;
    main_->createPeers();
    adopting_ = nullptr;
    return *main_;
  }

 private:
  wxWindow* parentFor(const Window* owner) {
    if (owner)
      if (wxWindow* w = widgetOf(*owner)) return w;
    if (Window* f = Window::focused())
      if (wxWindow* w = widgetOf(*f)) return wxGetTopLevelParent(w);
    return main_ ? widgetOf(*main_) : nullptr;
  }

  std::unique_ptr<Window> main_;
  wxWindow* adopting_ = nullptr;
  std::map<int, std::unique_ptr<wxTimer>> timers_;
  std::shared_ptr<std::vector<std::unique_ptr<wxTimer>>> retired_ =
      std::make_shared<std::vector<std::unique_ptr<wxTimer>>>();
};

WxBackendImpl* installed = nullptr;
}  // namespace

void install() {
  wxInitAllImageHandlers();
  auto b = std::make_unique<WxBackendImpl>();
  installed = b.get();
  setBackend(std::move(b));
  registerGridWidget();
}

ui::Window& adoptMainWindow(wxWindow* frame) {
  if (!installed) install();
  return installed->adopt(frame);
}

wxWindow* widgetOf(const ui::Window& window) {
  WxPeer* p = WxPeer::of(window);
  return p ? p->widget() : nullptr;
}

ui::Window* windowOf(const wxWindow* widget) {
  WxPeer* p = WxPeer::of(widget);
  return p ? &p->model() : nullptr;
}

void WidgetFactories::add(const std::string& className, Factory factory) {
  factories()[upper(className)] = std::move(factory);
}

const WidgetFactories::Factory* WidgetFactories::find(const std::string& className) {
  auto it = factories().find(upper(className));
  return it == factories().end() ? nullptr : &it->second;
}

void setModalHook(std::function<void(ui::Dialog&, wxDialog&)> hook) {
  modalHook() = std::move(hook);
}

bool saveScreenshot(wxWindow* widget, const std::string& path) {
  if (!widget) return false;
  wxRect r = widget->GetScreenRect();
  if (r.width <= 0 || r.height <= 0) return false;
  wxImage shot = screenPixels(r.x, r.y, r.width, r.height);
  return shot.IsOk() && shot.SaveFile(toWx(path), wxBITMAP_TYPE_PNG);
}

}  // namespace uiwx
