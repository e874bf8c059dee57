#include "platform/ui/Script.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/Services.h"
#include "platform/ui/TabControl.h"

namespace ui {
namespace {
std::string describe(const Dialog& d) {
  std::string s = "dialog " + std::to_string(d.templateId());
  if (!d.templateName().empty()) s += " " + d.templateName();
  return s + " \"" + d.text() + "\"";
}

// The control a step acts on, if the user could reach it.
template <typename T>
T* reach(Dialog& d, Script& s, int id, const std::string& what, const char* kind) {
  Window* w = d.item(id);
  std::string where = describe(d) + ": " + what + ": ";
  if (!w) {
    s.fail(where + "there is no item " + std::to_string(id));
    return nullptr;
  }
  if (!w->isShownWithin(&d)) {
    s.fail(where + "the item is hidden");
    return nullptr;
  }
  if (!w->isEnabled()) {
    s.fail(where + "the item is disabled");
    return nullptr;
  }
  auto* t = dynamic_cast<T*>(w);
  if (!t) s.fail(where + "the item is of class " + w->className() + ", not " + kind);
  return t;
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}
}  // namespace

Steps& Steps::add(std::string what, std::function<void(Dialog&, Script&)> run) {
  if (immediate_) {
    if (!immediate_->isCreated())
      script_.fail(what + ": the dialog is not open");
    else
      run(*immediate_, script_);
    return *this;
  }
  steps_.push_back({std::move(what), std::move(run)});
  return *this;
}

Steps& Steps::click(int id) {
  std::string what = "click " + std::to_string(id);
  return add(what, [id, what](Dialog& d, Script& s) {
    // OK and Cancel reach a dialog without such buttons through Enter and Escape.
    if ((id == IDOK || id == IDCANCEL) && !d.item(id)) {
      d.handleCommand(id, BN_CLICKED);
      return;
    }
    if (auto* b = reach<Button>(d, s, id, what, "BUTTON")) {
      b->setFocus();
      b->click();
    }
  });
}

Steps& Steps::type(int id, std::string text) {
  std::string what = "type \"" + text + "\" into " + std::to_string(id);
  return add(what, [id, text, what](Dialog& d, Script& s) {
    Window* w = d.item(id);
    if (auto* c = dynamic_cast<ComboBox*>(w); c && c->isEditable()) {
      if (reach<ComboBox>(d, s, id, what, "COMBOBOX")) {
        c->setFocus();
        c->userType(text);
      }
      return;
    }
    if (auto* e = reach<Edit>(d, s, id, what, "EDIT")) {
      e->setFocus();
      if (!e->userType(text)) s.fail(describe(d) + ": " + what + ": the field is read-only");
    }
  });
}

Steps& Steps::pick(int id, int index) {
  std::string what = "pick entry " + std::to_string(index) + " of " + std::to_string(id);
  return add(what, [id, index, what](Dialog& d, Script& s) {
    if (auto* t = dynamic_cast<TabControl*>(d.item(id))) {
      if (reach<TabControl>(d, s, id, what, "tab control") && !t->userSelect(index))
        s.fail(describe(d) + ": " + what + ": there is no such tab");
      return;
    }
    if (auto* l = reach<ListControl>(d, s, id, what, "a list")) {
      l->setFocus();
      if (!l->userSelect(index)) s.fail(describe(d) + ": " + what + ": there is no such entry");
    }
  });
}

Steps& Steps::pick(int id, std::string text) {
  std::string what = "pick \"" + text + "\" in " + std::to_string(id);
  return add(what, [id, text, what](Dialog& d, Script& s) {
    if (auto* t = dynamic_cast<TabControl*>(d.item(id))) {
      for (int i = 0; i < t->count(); ++i)
        if (t->itemText(i) == text) {
          if (reach<TabControl>(d, s, id, what, "tab control")) t->userSelect(i);
          return;
        }
      s.fail(describe(d) + ": " + what + ": there is no such tab");
      return;
    }
    if (auto* l = reach<ListControl>(d, s, id, what, "a list")) {
      int index = l->findStringExact(-1, text);
      if (index < 0) {
        s.fail(describe(d) + ": " + what + ": there is no such entry");
        return;
      }
      l->setFocus();
      l->userSelect(index);
    }
  });
}

Steps& Steps::doubleClick(int id, int index) {
  std::string what = "double-click entry " + std::to_string(index) + " of " + std::to_string(id);
  return add(what, [id, index, what](Dialog& d, Script& s) {
    if (auto* l = reach<ListControl>(d, s, id, what, "a list")) {
      if (index < 0 || index >= l->count())
        s.fail(describe(d) + ": " + what + ": no such entry");
      else
        l->userDoubleClick(index);
    }
  });
}

Steps& Steps::setCheck(int id, int state) {
  std::string what = "set " + std::to_string(id) + " to state " + std::to_string(state);
  return add(what, [id, state, what](Dialog& d, Script& s) {
    auto* b = reach<Button>(d, s, id, what, "BUTTON");
    if (!b) return;
    if (!b->isCheckable()) {
      s.fail(describe(d) + ": " + what + ": the button has no check state");
      return;
    }
    for (int i = 0; i < 3 && b->checkState() != state; ++i) {
      b->setFocus();
      b->click();
      if (!d.isCreated() || d.hasEnded()) return;
    }
    if (b->checkState() != state)
      s.fail(describe(d) + ": " + what + ": clicking does not reach that state");
  });
}

Steps& Steps::key(int virtualKey, bool shift, bool control) {
  std::string what = "key " + std::to_string(virtualKey);
  return add(what, [=](Dialog& d, Script& s) {
    KeyEvent k;
    k.key = virtualKey;
    k.shift = shift;
    k.control = control;
    s.holdKey(VK_SHIFT, shift);
    s.holdKey(VK_CONTROL, control);
    d.dispatchKey(k);
    s.holdKey(VK_SHIFT, false);
    s.holdKey(VK_CONTROL, false);
  });
}

Steps& Steps::mouse(const MouseEvent& event, int id) {
  std::string what =
      "mouse at " + std::to_string(event.point.x) + "," + std::to_string(event.point.y);
  return add(what, [event, id, what](Dialog& d, Script& s) {
    Window* target = &d;
    if (id != 0) target = reach<Window>(d, s, id, what, "a window");
    if (target) target->dispatchMouse(event);
  });
}

Steps& Steps::resize(Size client) {
  return add("resize", [client](Dialog& d, Script&) { d.userResize(client); });
}

Steps& Steps::advanceClock(int ms) {
  return add("advance the clock " + std::to_string(ms) + " ms",
             [ms](Dialog&, Script& s) { s.advanceClock(ms); });
}

Steps& Steps::close() {
  return add("close", [](Dialog& d, Script&) { d.requestClose(); });
}

Steps& Steps::check(std::function<void(Dialog&)> inspect) {
  return add("check", [inspect](Dialog& d, Script&) { inspect(d); });
}

Script::Script() {
  auto b = std::make_unique<HeadlessBackend>();
  backend_ = b.get();
  backend_->setScript(this);
  previous_ = setBackend(std::move(b));
}

Script::~Script() {
  for (const Entry& e : queue_)
    fail(std::string("the script's ") + kindName(e.kind) +
         (e.kind == Entry::Kind::Modal && e.templateId ? " " + std::to_string(e.templateId) : "") +
         " was never asked for");
  backend_->setScript(nullptr);
  setBackend(std::move(previous_));
}

void Script::setFailureHandler(FailureHandler handler) {
  onFailure_ = std::move(handler);
}

void Script::fail(const std::string& message) {
  failures_.push_back(message);
  if (onFailure_)
    onFailure_(message);
  else
    std::fprintf(stderr, "script failure: %s\n", message.c_str());
}

const char* Script::kindName(Entry::Kind kind) {
  switch (kind) {
    case Entry::Kind::Modal:
      return "modal run";
    case Entry::Kind::Box:
      return "message box answer";
    case Entry::Kind::Files:
      return "file dialog answer";
    case Entry::Kind::Folder:
      return "folder answer";
  }
  return "";
}

Steps& Script::modal(int templateId) {
  Entry e(Entry::Kind::Modal);
  e.templateId = templateId;
  e.steps.reset(new Steps(*this, nullptr));
  queue_.push_back(std::move(e));
  return *queue_.back().steps;
}

Script& Script::answer(int answer, std::string textPart) {
  Entry e(Entry::Kind::Box);
  e.answer = answer;
  e.textPart = std::move(textPart);
  queue_.push_back(std::move(e));
  return *this;
}

Script& Script::chooseFiles(std::vector<std::string> paths) {
  Entry e(Entry::Kind::Files);
  e.paths = std::move(paths);
  queue_.push_back(std::move(e));
  return *this;
}

Script& Script::cancelFileDialog() {
  queue_.push_back(Entry(Entry::Kind::Files));
  return *this;
}

Script& Script::chooseFolder(std::string path) {
  Entry e(Entry::Kind::Folder);
  e.paths = std::vector<std::string>{std::move(path)};
  queue_.push_back(std::move(e));
  return *this;
}

Script& Script::cancelFolder() {
  queue_.push_back(Entry(Entry::Kind::Folder));
  return *this;
}

Steps Script::now(Dialog& dialog) {
  return Steps(*this, &dialog);
}

void Script::advanceClock(int ms) {
  backend_->advanceClock(ms);
}

long long Script::clock() const {
  return backend_->clock();
}

void Script::holdKey(int virtualKey, bool down) {
  backend_->setKeyDown(virtualKey, down);
}

std::optional<Script::Entry> Script::take(Entry::Kind kind, const std::string& what) {
  if (queue_.empty()) {
    fail("unanswered " + what + ": the script has nothing left for it");
    return std::nullopt;
  }
  if (queue_.front().kind != kind) {
    fail("unanswered " + what + ": the script's next entry is a " + kindName(queue_.front().kind));
    return std::nullopt;
  }
  Entry e = std::move(queue_.front());
  queue_.pop_front();
  return e;
}

void Script::runModal(Dialog& dialog) {
  std::string what = "modal run of " + describe(dialog);
  log_.push_back("modal " + std::to_string(dialog.templateId()) + " " + dialog.text());
  auto entry = take(Entry::Kind::Modal, what);
  if (!entry) {
    dialog.endDialog(IDCANCEL);
    return;
  }
  if (entry->templateId && entry->templateId != dialog.templateId()) {
    fail(what + " came where the script expected dialog " + std::to_string(entry->templateId));
    dialog.endDialog(IDCANCEL);
    return;
  }
  for (const auto& step : entry->steps->steps_) {
    if (dialog.hasEnded()) {
      fail(describe(dialog) + ": step \"" + step.what + "\" comes after the dialog ended");
      break;
    }
    step.run(dialog, *this);
  }
  if (!dialog.hasEnded()) {
    fail(what + ": the script's steps ended with the dialog still open");
    dialog.endDialog(IDCANCEL);
  }
}

int Script::answerMessageBox(const MessageBoxRequest& request) {
  boxes_.push_back(request);
  log_.push_back("box " + request.caption + ": " + request.text);
  auto entry = take(Entry::Kind::Box, "message box \"" + request.caption + "\": " + request.text);
  if (!entry) return (request.type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
  if (!entry->textPart.empty() && request.text.find(entry->textPart) == std::string::npos)
    fail("message box \"" + request.text + "\" does not contain \"" + entry->textPart + "\"");
  return entry->answer;
}

std::optional<std::vector<std::string>> Script::answerFileDialog(const FileDialogRequest& request) {
  log_.push_back(std::string(request.save ? "save " : "open ") + request.title);
  auto entry = take(Entry::Kind::Files, "file dialog \"" + request.title + "\"");
  if (!entry || !entry->paths) return std::nullopt;
  if (entry->paths->size() > 1 && !request.multiSelect)
    fail("file dialog \"" + request.title + "\" takes one file, the script chose several");
  if (!request.save && request.mustExist)
    for (const auto& p : *entry->paths)
      if (!exists(p)) fail("file dialog \"" + request.title + "\": \"" + p + "\" does not exist");
  return entry->paths;
}

std::optional<std::string> Script::answerFolder(const FolderRequest& request) {
  log_.push_back("folder " + request.title);
  auto entry = take(Entry::Kind::Folder, "folder dialog \"" + request.title + "\"");
  if (!entry || !entry->paths) return std::nullopt;
  return entry->paths->front();
}

}  // namespace ui
