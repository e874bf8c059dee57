#pragma once
// wx/weakref.h uses std::is_base_of without including its header.
#include <type_traits>
// clang-format off
#include <wx/window.h>
#include <wx/weakref.h>
// clang-format on

#include <memory>

#include "platform/ui/Backend.h"

namespace uiwx {

// The widget of one kit window: it follows the model's changes and hands the
// user's actions to the model through the same calls the test script uses.
class WxPeer : public ui::WindowPeer {
 public:
  // owned: the peer destroys the widget when it goes (not so for an adopted frame).
  WxPeer(ui::Window& model, wxWindow* widget, bool owned);
  ~WxPeer() override;

  void update(ui::Change what) override;
  std::optional<ui::Rect> tabDisplayRect() const override;

  wxWindow* widget() const { return widget_.get(); }
  ui::Window& model() const { return model_; }
  static WxPeer* of(const ui::Window& window);
  static WxPeer* of(const wxWindow* widget);

  // The widget a child of the model goes into, and the offset of the child's
  // coordinates there (a tab control's pages lie beside it, over its page area).
  wxWindow* childHost(ui::Point& offset) const;
  // Pushes every state of the model into the widget.
  void syncAll();

 private:
  void bindEvents();
  void bindMouseAndPaint(wxWindow* target);
  void applyRect();
  void applyText();
  void applyCheck();
  void applyItems();
  void applySelection();
  void applyImage();
  void applyFont();
  // Runs a model update caused by the user; updates of this widget that
  // would only echo the user's change back are skipped meanwhile.
  template <typename F>
  void deliver(F&& f);

  ui::Window& model_;
  wxWeakRef<wxWindow> widget_;
  bool owned_;
  bool delivering_ = false;
  std::shared_ptr<bool> alive_;
  const wxWindow* widgetKey_ = nullptr;
};

// Creates the widget for a model window (in WxWidgetMaker.cpp).
std::unique_ptr<WxPeer> makePeer(ui::Window& model);
// The wx parent of top-level windows: their owner's widget, else the adopted main window.
wxWindow* topLevelParent(const ui::Window& model);

}  // namespace uiwx
