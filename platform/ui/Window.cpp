#include "platform/ui/Window.h"

#include <algorithm>
#include <cctype>

#include "platform/ui/Backend.h"
#include "platform/ui/Services.h"
#include "platform/ui/TimerTable.h"

namespace ui {
namespace {
Window* gFocus = nullptr;
Window* gCapture = nullptr;
}  // namespace

WindowPeer::~WindowPeer() = default;

Window::Window(std::string className) : className_(std::move(className)) {}

Window::~Window() {
  detail::killTimersOf(this);
  forgetKitState();
  if (parent_) parent_->takeChild(this).release();
  // Children and their widgets go before this window's widget.
  while (!children_.empty()) {
    std::unique_ptr<Window> owned = takeChild(children_.back());
    if (!owned) continue;
    owned.reset();
  }
  peer_.reset();
}

void Window::forgetKitState() {
  if (gFocus && (gFocus == this || isAncestorOf(gFocus))) gFocus = nullptr;
  if (gCapture && (gCapture == this || isAncestorOf(gCapture))) gCapture = nullptr;
}

bool Window::isClass(std::string_view name) const {
  return std::equal(className_.begin(), className_.end(), name.begin(), name.end(),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

void Window::changed(Change what) {
  if (peer_) peer_->update(what);
  if (!(exStyle_ & WS_EX_PARENTDRAWN) || !parent_) return;
  switch (what) {
    case Change::Focus:
    case Change::ToolTip:
    case Change::Repaint:
    case Change::RepaintArea:
    case Change::Cursor:
    case Change::Capture:
    case Change::MinSize:
    case Change::EndModal:
      break;
    default:
      // The parent draws this window: its look changed there.
      parent_->invalidate(rect_);
  }
}

void Window::setStyle(Style style) {
  if (style == style_) return;
  style_ = style;
  changed(Change::Style);
}

void Window::setExStyle(Style style) {
  if (style == exStyle_) return;
  exStyle_ = style;
  changed(Change::Style);
}

void Window::setText(std::string_view text) {
  if (text == text_) return;
  text_.assign(text);
  changed(Change::Text);
}

void Window::setRect(const Rect& rect) {
  Rect r = rect.normalized();
  if (r == rect_) return;
  bool resized = r.size() != rect_.size();
  if ((exStyle_ & WS_EX_PARENTDRAWN) && parent_) parent_->invalidate(rect_);
  rect_ = r;
  changed(Change::Rect);
  if (resized) onSize(r.size());
}

void Window::userResize(Size client) {
  resize(client);
}

Point Window::clientToScreen(Point p) const {
  for (const Window* w = this; w; w = w->parent_) {
    p.x += w->rect_.left;
    p.y += w->rect_.top;
  }
  return p;
}

Point Window::screenToClient(Point p) const {
  Point origin = clientToScreen({0, 0});
  return {p.x - origin.x, p.y - origin.y};
}

void Window::enable(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  if (!on && gFocus && (gFocus == this || isAncestorOf(gFocus))) gFocus = nullptr;
  changed(Change::Enabled);
}

bool Window::isShown() const {
  for (const Window* w = this; w; w = w->parent_)
    if (!w->visible_) return false;
  return true;
}

bool Window::isShownWithin(const Window* ancestor) const {
  for (const Window* w = this; w && w != ancestor; w = w->parent_)
    if (!w->visible_) return false;
  return true;
}

void Window::show(bool on) {
  if (on == visible_) return;
  visible_ = on;
  if (on)
    style_ |= WS_VISIBLE;
  else
    style_ &= ~WS_VISIBLE;
  changed(Change::Visible);
}

void Window::setFont(const Font& font) {
  if (font == font_) return;
  font_ = font;
  changed(Change::Font);
}

void Window::setToolTip(std::string_view text) {
  if (text == toolTip_) return;
  toolTip_.assign(text);
  changed(Change::ToolTip);
}

void Window::setIcon(int resourceId) {
  iconId_ = resourceId;
  changed(Change::Image);
}

void Window::setImageFile(std::string path) {
  imageFile_ = std::move(path);
  changed(Change::Image);
}

Window* Window::addChild(std::unique_ptr<Window> child) {
  if (!child) return nullptr;
  Window* raw = child.get();
  owned_.push_back(std::move(child));
  attachChild(*raw);
  return raw;
}

void Window::attachChild(Window& child) {
  if (child.parent_) child.parent_->takeChild(&child).release();
  child.parent_ = this;
  child.style_ |= WS_CHILD;
  children_.push_back(&child);
  if (peer_) child.createPeers();
  if (child.exStyle_ & WS_EX_PARENTDRAWN) invalidate(child.rect_);
}

// Out of the tree; answers ownership when this window owned the child.
std::unique_ptr<Window> Window::takeChild(Window* child) {
  auto it = std::find(children_.begin(), children_.end(), child);
  if (it == children_.end()) return nullptr;
  children_.erase(it);
  child->parent_ = nullptr;
  for (auto o = owned_.begin(); o != owned_.end(); ++o)
    if (o->get() == child) {
      std::unique_ptr<Window> out = std::move(*o);
      owned_.erase(o);
      return out;
    }
  // An attached window keeps living with its owner, without widgets.
  child->destroyPeers();
  return nullptr;
}

bool Window::destroyChild(Window* child) {
  if (std::find(children_.begin(), children_.end(), child) == children_.end()) return false;
  child->forgetKitState();
  child->onDestroy();
  std::unique_ptr<Window> doomed = takeChild(child);
  if (child->exStyle_ & WS_EX_PARENTDRAWN) invalidate(child->rect_);
  return true;
}

bool Window::ownsChild(const Window* child) const {
  for (const auto& o : owned_)
    if (o.get() == child) return true;
  return false;
}

void Window::destroyChildren() {
  while (!children_.empty()) destroyChild(children_.back());
}

Window* Window::findChild(int id) const {
  for (Window* c : children_)
    if (c->id_ == id) return c;
  for (Window* c : children_)
    if (Window* w = c->findChild(id)) return w;
  return nullptr;
}

Window* Window::topLevel() {
  Window* w = this;
  while (w->parent_) w = w->parent_;
  return w;
}

bool Window::isAncestorOf(const Window* w) const {
  for (const Window* p = w ? w->parent_ : nullptr; p; p = p->parent_)
    if (p == this) return true;
  return false;
}

void Window::setFocus() {
  if (gFocus == this) return;
  Window* old = gFocus;
  gFocus = this;
  if (old) old->changed(Change::Focus);
  changed(Change::Focus);
}

Window* Window::focused() {
  return gFocus;
}

void Window::captureMouse() {
  gCapture = this;
  changed(Change::Capture);
}

void Window::releaseMouse() {
  if (gCapture != this) return;
  gCapture = nullptr;
  changed(Change::Capture);
}

Window* Window::captured() {
  return gCapture;
}

void Window::setCursor(Cursor cursor) {
  cursor_ = cursor;
  changed(Change::Cursor);
}

void Window::invalidate() {
  changed(Change::Repaint);
}

void Window::invalidate(const Rect& area) {
  Rect r = area.normalized();
  if (r.isEmpty()) return;
  invalidArea_ = r;
  changed(Change::RepaintArea);
}

bool Window::setTimer(int eventId, int ms) {
  killTimer(eventId);
  int id = ui::setTimer(this, ms, [this, eventId](int) { onTimer(eventId); });
  if (id == 0) return false;
  timers_[eventId] = id;
  return true;
}

bool Window::killTimer(int eventId) {
  auto it = timers_.find(eventId);
  if (it == timers_.end()) return false;
  ui::killTimer(it->second);
  timers_.erase(it);
  return true;
}

void Window::notifyParent(int code) {
  if (parent_) parent_->handleCommand(id_, code);
}

void Window::createPeers() {
  if (!peer_) peer_ = backend().createPeer(*this);
  // Backends stack widgets in creation order: frames first, then what they frame.
  for (Window* c : children_)
    if (c->liesBeneath()) c->createPeers();
  for (Window* c : children_)
    if (!c->liesBeneath()) c->createPeers();
}

void Window::destroyPeers() {
  for (Window* c : children_) c->destroyPeers();
  peer_.reset();
}

}  // namespace ui
