#pragma once
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Events.h"
#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Styles.h"
#include "platform/ui/ui_export.h"

namespace ui {

class PaintContext;
class WindowPeer;

// What changed in a window, so that a backend's widget can follow the model.
enum class Change {
  Text,
  Rect,
  Enabled,
  Visible,
  Style,
  Font,
  Check,
  Items,
  Selection,
  Focus,
  Image,
  ToolTip,
  Repaint,
  RepaintArea,
  Cursor,
  Capture,
  MinSize,
  EndModal,
};

// A window of the dialog kit: the model that holds every state a control has
// (text, rectangle, enabled and visible states, ...). Text is Windows-1252,
// as the module stores it. A backend attaches a peer that mirrors the state
// in a real widget and reports the user's actions back through the user*
// operations of the controls, exactly as the headless test script does.
class UI_API Window {
 public:
  explicit Window(std::string className = kStaticClass);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  int id() const { return id_; }
  void setId(int id) { id_ = id; }
  const std::string& className() const { return className_; }
  void setClassName(std::string name) { className_ = std::move(name); }
  bool isClass(std::string_view name) const;  // without case, as Windows compares them

  Style style() const { return style_; }
  void setStyle(Style style);
  void modifyStyle(Style remove, Style add) { setStyle((style_ & ~remove) | add); }
  Style exStyle() const { return exStyle_; }
  void setExStyle(Style style);

  const std::string& text() const { return text_; }
  virtual void setText(std::string_view text);

  // In the parent's client coordinates; for a top-level window, its client
  // area on the screen (the frame is the desktop's business).
  const Rect& rect() const { return rect_; }
  void setRect(const Rect& rect);
  void move(Point topLeft) { setRect(Rect::fromSize(topLeft, rect_.size())); }
  void resize(Size size) { setRect(Rect::fromSize(rect_.topLeft(), size)); }
  Rect clientRect() const { return {0, 0, rect_.width(), rect_.height()}; }
  Point clientToScreen(Point p) const;
  Point screenToClient(Point p) const;

  bool isEnabled() const { return enabled_; }
  void enable(bool on = true);
  // The window's own flag; isShown also asks its ancestors.
  bool isVisible() const { return visible_; }
  bool isShown() const;
  // Visible as far as the ancestor goes (that ancestor's own state aside).
  bool isShownWithin(const Window* ancestor) const;
  void show(bool on = true);

  const Font& font() const { return font_; }
  void setFont(const Font& font);
  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(std::string_view text);
  // Icon resource shown by icon buttons and icon statics, or a dialog's window icon.
  int iconId() const { return iconId_; }
  void setIcon(int resourceId);
  // Picture file shown by a picture static (SS_BITMAP).
  const std::string& imageFile() const { return imageFile_; }
  void setImageFile(std::string path);

  // Tree. A child window belongs to its parent; top-level windows have no
  // parent but may have an owner (the window they stay in front of).
  Window* parent() const { return parent_; }
  Window* owner() const { return owner_; }
  void setOwner(Window* owner) { owner_ = owner; }
  const std::vector<Window*>& children() const { return children_; }
  // Takes the child over.
  Window* addChild(std::unique_ptr<Window> child);
  // Places a window that its creator keeps owning (a child dialog page).
  void attachChild(Window& child);
  // Takes a child out of the tree: an owned one is deleted, an attached one
  // loses its widgets and stays with its owner.
  bool destroyChild(Window* child);
  void destroyChildren();
  bool ownsChild(const Window* child) const;
  // A direct child with the id, else the first descendant with it.
  Window* findChild(int id) const;
  Window* topLevel();
  bool isTopLevel() const { return parent_ == nullptr; }
  bool isAncestorOf(const Window* w) const;

  // Keyboard focus and mouse capture are kit-wide.
  void setFocus();
  bool hasFocus() const { return focused() == this; }
  static Window* focused();
  void captureMouse();
  void releaseMouse();
  static Window* captured();
  void setCursor(Cursor cursor);
  Cursor cursor() const { return cursor_; }
  void invalidate();
  // Only the part of the client area that changed (a dragged selection).
  void invalidate(const Rect& area);
  // The area of the last partial invalidation, for the backend.
  const Rect& invalidArea() const { return invalidArea_; }

  // Timers of this window: onTimer(eventId) runs every ms milliseconds until
  // killed or the window goes. Setting a running event id restarts it.
  bool setTimer(int eventId, int ms);
  bool killTimer(int eventId);

  // Hooks. A child's notification arrives as (child id, notification code).
  virtual bool onCommand(int id, int code) { return false; }
  virtual void onTimer(int eventId) {}
  virtual void onSize(Size client) {}
  // Before the focused control sees a key (the window and its ancestors in
  // turn): true swallows the key.
  virtual bool preTranslateKey(const KeyEvent& key) { return false; }
  virtual bool onKey(const KeyEvent& key) { return false; }
  virtual bool onMouse(const MouseEvent& mouse) { return false; }
  virtual void onPaint(PaintContext& dc) {}
  virtual void onDestroy() {}

  // Dispatch, used by the backends and the test script.
  virtual bool handleCommand(int id, int code) { return onCommand(id, code); }
  void notifyParent(int code);
  // The user resized a top-level window (client size).
  virtual void userResize(Size client);
  bool dispatchMouse(const MouseEvent& mouse) { return onMouse(mouse); }
  void paint(PaintContext& dc) { onPaint(dc); }

  // Drawn beneath its siblings whatever its place among them (group boxes).
  virtual bool liesBeneath() const { return false; }

  // Backend plumbing.
  WindowPeer* peer() const { return peer_.get(); }
  bool hasPeer() const { return peer_ != nullptr; }
  // Creates the peers of this window and its children (parents first).
  void createPeers();
  void destroyPeers();

 protected:
  void changed(Change what);

 private:
  friend class Dialog;
  void forgetKitState();
  std::unique_ptr<Window> takeChild(Window* child);

  int id_ = 0;
  std::string className_;
  Style style_ = WS_CHILD | WS_VISIBLE;
  Style exStyle_ = 0;
  std::string text_;
  Rect rect_;
  bool enabled_ = true;
  bool visible_ = true;
  Font font_;
  std::string toolTip_;
  int iconId_ = 0;
  std::string imageFile_;
  Cursor cursor_ = Cursor::Arrow;
  Rect invalidArea_;
  Window* parent_ = nullptr;
  Window* owner_ = nullptr;
  std::vector<Window*> children_;
  std::vector<std::unique_ptr<Window>> owned_;
  std::map<int, int> timers_;  // event id -> kit timer id
  std::unique_ptr<WindowPeer> peer_;
};

}  // namespace ui
