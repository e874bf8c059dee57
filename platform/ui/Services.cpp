#include "platform/ui/Services.h"

#include "platform/base/NamedValueStore.h"
#include "platform/ui/HeadlessBackend.h"

namespace ui {
namespace {
std::unique_ptr<Backend>& installed() {
  static std::unique_ptr<Backend> b;
  return b;
}
HeadlessBackend& fallback() {
  static HeadlessBackend b;
  return b;
}

// The buttons a box of this type has.
bool isAnswerOf(unsigned type, int answer) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      return answer == IDOK;
    case MB_OKCANCEL:
      return answer == IDOK || answer == IDCANCEL;
    case MB_YESNO:
      return answer == IDYES || answer == IDNO;
    case MB_YESNOCANCEL:
      return answer == IDYES || answer == IDNO || answer == IDCANCEL;
    default:
      return answer == IDOK;
  }
}
}  // namespace

Backend::~Backend() = default;

Backend& backend() {
  auto& b = installed();
  return b ? *b : fallback();
}

std::unique_ptr<Backend> setBackend(std::unique_ptr<Backend> backend) {
  std::unique_ptr<Backend> previous = std::move(installed());
  installed() = std::move(backend);
  return previous;
}

int defaultAnswer(unsigned type) {
  static const int answers[][3] = {{IDOK, IDOK, IDOK},
                                   {IDOK, IDCANCEL, IDCANCEL},
                                   {IDOK, IDOK, IDOK},
                                   {IDYES, IDNO, IDCANCEL},
                                   {IDYES, IDNO, IDNO}};
  unsigned kind = type & MB_TYPEMASK;
  if (kind > MB_YESNO) kind = MB_OK;
  unsigned which = (type & MB_DEFMASK) >> 8;
  return answers[kind][which > 2 ? 0 : which];
}

int messageBox(std::string_view text, std::string_view caption, unsigned type,
               const Window* owner) {
  MessageBoxRequest r{std::string(text), std::string(caption), type, owner};
  int answer = backend().messageBox(r);
  return isAnswerOf(type, answer) ? answer : defaultAnswer(type);
}

std::optional<std::vector<std::string>> fileDialog(const FileDialogRequest& request) {
  auto paths = backend().fileDialog(request);
  if (!paths || paths->empty()) return std::nullopt;
  if (!request.multiSelect && paths->size() > 1) paths->resize(1);
  if (request.save && !request.defaultExt.empty()) {
    // A typed name without an extension gets the default one.
    std::string& p = paths->front();
    size_t slash = p.find_last_of('/');
    if (p.find('.', slash == std::string::npos ? 0 : slash + 1) == std::string::npos)
      p += "." + request.defaultExt;
  }
  return paths;
}

std::optional<std::string> openFileName(const FileDialogRequest& request) {
  FileDialogRequest r = request;
  r.save = false;
  r.multiSelect = false;
  auto paths = fileDialog(r);
  if (!paths) return std::nullopt;
  return paths->front();
}

std::optional<std::string> saveFileName(FileDialogRequest request) {
  request.save = true;
  request.multiSelect = false;
  auto paths = fileDialog(request);
  if (!paths) return std::nullopt;
  return paths->front();
}

std::optional<std::string> browseFolder(const FolderRequest& request) {
  return backend().browseFolder(request);
}

bool setClipboardText(std::string_view text) {
  backend().setClipboardText(text);
  return true;
}

std::optional<std::string> clipboardText() {
  return backend().clipboardText();
}

bool isKeyDown(int virtualKey) {
  return backend().isKeyDown(virtualKey);
}

Window* focusWindow() {
  return Window::focused();
}

Window& mainWindow() {
  return backend().mainWindow();
}

base::NamedValueStore& registry() {
  return base::NamedValueStore::instance();
}

}  // namespace ui
