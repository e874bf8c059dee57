#include "platform/ui/Dialog.h"

#include <cerrno>
#include <cstdlib>

#include "platform/arx/acutil.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TimerTable.h"
#include "platform/ui/WindowClasses.h"

namespace ui {
namespace {
// Windows' MulDiv: rounds to the nearest, halves away from zero.
int mulDiv(int value, int mul, int div) {
  long long p = static_cast<long long>(value) * mul;
  long long q = (p >= 0 ? p + div / 2 : p - div / 2) / div;
  return static_cast<int>(q);
}

bool takesFocus(const Window& w, const Window& top) {
  if (!w.isShownWithin(&top) || !w.isEnabled() || !(w.style() & WS_TABSTOP)) return false;
  if (auto* b = dynamic_cast<const Button*>(&w); b && b->kind() == Button::Kind::GroupBox)
    return false;
  return true;
}

// The controls in tab order: children in order, descending into child pages.
void tabOrder(const Window& w, const Window& top, std::vector<Window*>& out) {
  for (Window* c : w.children()) {
    if (dynamic_cast<const Dialog*>(c)) {
      if (c->isShownWithin(&top)) tabOrder(*c, top, out);
    } else if (takesFocus(*c, top)) {
      out.push_back(c);
    }
  }
}
}  // namespace

Dialog::Dialog(int templateId, Window* owner) : Window(kDialogClass), templateId_(templateId) {
  setOwner(owner);
  setStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU);
  show(false);
}

Dialog::~Dialog() {
  if (created_) teardown();
}

bool Dialog::build(bool child) {
  const DialogTemplate* t = templateId_ ? Resources::findTemplate(templateId_) : nullptr;
  if (templateId_ && !t) {
    acutPrintf("*Error* Dialog template %d not found.\n", templateId_);
    return false;
  }
  destroyChildren();
  if (!t) {
    // A dialog without template: the controller adds its controls itself.
    baseUnits_ = backend().dialogBaseUnits(font());
    created_ = true;
    return true;
  }
  templateName_ = t->name;
  Window::setText(t->caption);
  Style style = t->style;
  if (child) style = (style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME)) | WS_CHILD;
  setStyle(style & ~WS_VISIBLE);
  setExStyle(t->exStyle);
  setFont(t->font);
  if (t->icon) setIcon(t->icon);
  baseUnits_ = backend().dialogBaseUnits(t->font);
  resize({unitsToPixelsX(t->size.width), unitsToPixelsY(t->size.height)});
  for (const DialogItemTemplate& it : t->items) {
    std::unique_ptr<Window> w = WindowClasses::create(it.className, it.style);
    w->setId(it.id);
    w->setExStyle(it.exStyle);
    w->setFont(t->font);
    w->setRect(mapDialogRect(it.rect));
    w->enable(!(it.style & WS_DISABLED));
    w->show((it.style & WS_VISIBLE) != 0);
    if (it.icon) w->setIcon(it.icon);
    if (!it.toolTip.empty()) w->setToolTip(it.toolTip);
    if (auto* b = dynamic_cast<Button*>(w.get()); b && b->kind() == Button::Kind::GroupBox)
      w->setStyle(w->style() & ~WS_TABSTOP);
    w->Window::setText(it.text);
    addChild(std::move(w));
  }
  created_ = true;
  return true;
}

void Dialog::initialize() {
  ended_ = false;
  result_ = 0;
  if (onInitDialog() && !ended_) {
    Window* f = Window::focused();
    if (!f || !isAncestorOf(f)) {
      std::vector<Window*> order;
      tabOrder(*this, *this, order);
      if (!order.empty()) order.front()->setFocus();
    }
  }
}

void Dialog::teardown() {
  onDestroy();
  // The windows go; the controller object and its data stay.
  destroyPeers();
  destroyChildren();
  detail::killTimersOf(this);
  forgetKitState();
  resizer_.clear();
  created_ = false;
}

int Dialog::doModal() {
  if (created_) return -1;
  if (!build(false)) return -1;
  centerOn(owner());
  modal_ = true;
  initialize();
  if (!ended_) {
    show(true);
    createPeers();
    backend().runModal(*this);
  }
  int code = result_;
  teardown();
  show(false);
  modal_ = false;
  return code;
}

bool Dialog::create(Window* owner) {
  if (created_) return false;
  if (owner) setOwner(owner);
  if (!build(false)) return false;
  const DialogTemplate* t = templateId_ ? Resources::findTemplate(templateId_) : nullptr;
  centerOn(this->owner());
  modal_ = false;
  initialize();
  if (!created_) return false;  // destroyed during its own initialisation
  if (t && (t->style & WS_VISIBLE)) show(true);
  createPeers();
  return true;
}

bool Dialog::createAsChild(Window& parent) {
  if (created_) return false;
  if (!build(true)) return false;
  modal_ = false;
  const DialogTemplate* t = templateId_ ? Resources::findTemplate(templateId_) : nullptr;
  bool visible = t && (t->style & WS_VISIBLE);
  Window::show(visible);
  // The controller keeps owning the page; the parent only holds it.
  parent.attachChild(*this);
  initialize();
  return created_;
}

bool Dialog::destroyWindow() {
  if (!created_) return false;
  teardown();
  show(false);
  // A page that its controller owns leaves the tree; one the parent owns stays there, closed.
  if (Window* p = parent(); p && !p->ownsChild(this)) p->takeChild(this);
  return true;
}

void Dialog::endDialog(int code) {
  if (!created_) return;
  result_ = code;
  ended_ = true;
  if (modal_)
    changed(Change::EndModal);
  else
    destroyWindow();
}

void Dialog::onSize(Size) {
  resizer_.apply();
}

void Dialog::on(int id, int code, std::function<void()> handler) {
  for (auto& h : handlers_)
    if (h.id == id && h.code == code) {
      h.fn = std::move(handler);
      return;
    }
  handlers_.push_back({id, code, std::move(handler)});
}

bool Dialog::handleCommand(int id, int code) {
  for (const auto& h : handlers_)
    if (h.id == id && h.code == code && h.fn) {
      // The handler may end and even delete this dialog.
      std::function<void()> fn = h.fn;
      fn();
      return true;
    }
  if (onCommand(id, code)) return true;
  if (code == BN_CLICKED && id == IDOK) {
    onOK();
    return true;
  }
  if (code == BN_CLICKED && id == IDCANCEL) {
    onCancel();
    return true;
  }
  return false;
}

std::string Dialog::itemText(int id) const {
  Window* w = item(id);
  return w ? w->text() : std::string();
}

bool Dialog::setItemText(int id, std::string_view text) {
  Window* w = item(id);
  if (!w) return false;
  w->setText(text);
  return true;
}

int Dialog::itemInt(int id, bool* ok) const {
  std::string t = itemText(id);
  const char* s = t.c_str();
  while (*s == ' ' || *s == '\t') ++s;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(s, &end, 10);
  while (end && (*end == ' ' || *end == '\t')) ++end;
  bool good =
      item(id) && end != s && end && *end == '\0' && errno == 0 && v >= INT32_MIN && v <= INT32_MAX;
  if (ok) *ok = good;
  return good ? static_cast<int>(v) : 0;
}

bool Dialog::setItemInt(int id, int value) {
  return setItemText(id, std::to_string(value));
}

int Dialog::checkState(int id) const {
  auto* b = itemAs<Button>(id);
  return b ? b->checkState() : BST_UNCHECKED;
}

bool Dialog::setCheck(int id, int state) {
  auto* b = itemAs<Button>(id);
  if (!b) return false;
  b->setCheck(state);
  return true;
}

bool Dialog::checkRadioButton(int first, int last, int checkId) {
  bool found = false;
  for (int id = first; id <= last; ++id)
    if (auto* b = itemAs<Button>(id)) {
      b->setCheck(id == checkId ? BST_CHECKED : BST_UNCHECKED);
      found = found || id == checkId;
    }
  return found;
}

int Dialog::checkedRadioButton(int first, int last) const {
  for (int id = first; id <= last; ++id)
    if (isChecked(id)) return id;
  return 0;
}

bool Dialog::enableItem(int id, bool on) {
  Window* w = item(id);
  if (!w) return false;
  w->enable(on);
  return true;
}

bool Dialog::showItem(int id, bool on) {
  Window* w = item(id);
  if (!w) return false;
  w->show(on);
  return true;
}

bool Dialog::isItemEnabled(int id) const {
  Window* w = item(id);
  return w && w->isEnabled();
}

bool Dialog::isItemShown(int id) const {
  Window* w = item(id);
  return w && w->isShown();
}

bool Dialog::setItemToolTip(int id, std::string_view text) {
  Window* w = item(id);
  if (!w) return false;
  w->setToolTip(text);
  return true;
}

bool Dialog::setItemIcon(int id, int iconId) {
  Window* w = item(id);
  if (!w) return false;
  w->setIcon(iconId);
  return true;
}

bool Dialog::focusItem(int id) {
  Window* w = item(id);
  if (!w) return false;
  w->setFocus();
  return true;
}

int Dialog::listAdd(int id, std::string_view text) {
  auto* l = itemAs<ListControl>(id);
  return l ? l->addString(text) : LB_ERR;
}

bool Dialog::listSet(int id, const std::vector<std::string>& texts) {
  auto* l = itemAs<ListControl>(id);
  if (!l) return false;
  l->setItems(texts);
  return true;
}

bool Dialog::listClear(int id) {
  auto* l = itemAs<ListControl>(id);
  if (!l) return false;
  l->resetContent();
  return true;
}

int Dialog::listCount(int id) const {
  auto* l = itemAs<ListControl>(id);
  return l ? l->count() : LB_ERR;
}

std::string Dialog::listText(int id, int index) const {
  auto* l = itemAs<ListControl>(id);
  return l ? l->itemText(index) : std::string();
}

int Dialog::listSelection(int id) const {
  auto* l = itemAs<ListControl>(id);
  return l ? l->curSel() : LB_ERR;
}

bool Dialog::listSelect(int id, int index) {
  auto* l = itemAs<ListControl>(id);
  return l && l->setCurSel(index) != LB_ERR;
}

int Dialog::listFind(int id, std::string_view text) const {
  auto* l = itemAs<ListControl>(id);
  return l ? l->findStringExact(-1, text) : LB_ERR;
}

Rect Dialog::mapDialogRect(const Rect& du) const {
  return {unitsToPixelsX(du.left), unitsToPixelsY(du.top), unitsToPixelsX(du.right),
          unitsToPixelsY(du.bottom)};
}

int Dialog::unitsToPixelsX(int units) const {
  return mulDiv(units, baseUnits_.width, 4);
}
int Dialog::unitsToPixelsY(int units) const {
  return mulDiv(units, baseUnits_.height, 8);
}

void Dialog::setMinTrackSize(Size client) {
  minTrack_ = client;
  changed(Change::MinSize);
}

void Dialog::centerOn(const Window* reference) {
  Rect area = reference && (reference->isShown() || reference == &backend().mainWindow())
                  ? Rect::fromSize(reference->clientToScreen({0, 0}), reference->rect().size())
                  : backend().workArea();
  Size s = rect().size();
  move({area.left + (area.width() - s.width) / 2, area.top + (area.height() - s.height) / 2});
}

void Dialog::userResize(Size client) {
  client.width = std::max(client.width, minTrack_.width);
  client.height = std::max(client.height, minTrack_.height);
  resize(client);
}

Window* Dialog::defaultButton() const {
  std::vector<const Window*> stack{this};
  while (!stack.empty()) {
    const Window* w = stack.back();
    stack.pop_back();
    for (Window* c : w->children()) {
      auto* b = dynamic_cast<Button*>(c);
      if (b && b->kind() == Button::Kind::DefaultPush) return b;
      stack.push_back(c);
    }
  }
  return item(IDOK);
}

Window* Dialog::nextTabItem(const Window* from, bool backwards) const {
  std::vector<Window*> order;
  tabOrder(*this, *this, order);
  if (order.empty()) return nullptr;
  int n = static_cast<int>(order.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (order[static_cast<size_t>(i)] == from) at = i;
  if (at < 0) return order[backwards ? static_cast<size_t>(n - 1) : 0];
  return order[static_cast<size_t>((at + (backwards ? n - 1 : 1)) % n)];
}

bool Dialog::dispatchKey(const KeyEvent& key) {
  Window* target = Window::focused();
  if (!target || (target != this && !isAncestorOf(target))) target = this;
  for (Window* w = target; w; w = w->parent())
    if (w->preTranslateKey(key)) return true;
  if (target != this && target->onKey(key)) return true;
  if (onKey(key)) return true;
  if (!key.down) return false;
  if (key.key == VK_ESCAPE) {
    handleCommand(IDCANCEL, BN_CLICKED);
    return true;
  }
  if (key.key == VK_RETURN) {
    if (auto* e = dynamic_cast<Edit*>(target);
        e && e->isMultiLine() && (e->style() & ES_WANTRETURN))
      return false;
    if (auto* b = dynamic_cast<Button*>(target); b && !b->isCheckable()) {
      b->click();
      return true;
    }
    Window* def = defaultButton();
    if (auto* b = dynamic_cast<Button*>(def); b && b->isShown() && b->isEnabled())
      b->click();
    else if (!def)
      handleCommand(IDOK, BN_CLICKED);
    return true;
  }
  if (key.key == VK_TAB && !key.control) {
    if (Window* next = nextTabItem(target, key.shift)) next->setFocus();
    return true;
  }
  return false;
}

}  // namespace ui
