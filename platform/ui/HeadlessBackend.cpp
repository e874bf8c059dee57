#include "platform/ui/HeadlessBackend.h"

#include <algorithm>

#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Script.h"
#include "platform/ui/Services.h"

namespace ui {

HeadlessBackend::HeadlessBackend()
    : report_([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }) {}

HeadlessBackend::~HeadlessBackend() = default;

void HeadlessBackend::setReport(std::function<void(const std::string&)> report) {
  report_ = std::move(report);
}

void HeadlessBackend::report(const std::string& line) {
  if (report_) report_(line);
}

std::unique_ptr<WindowPeer> HeadlessBackend::createPeer(Window&) {
  return nullptr;
}

void HeadlessBackend::runModal(Dialog& dialog) {
  if (script_) {
    script_->runModal(dialog);
    return;
  }
  report("[dialog " + std::to_string(dialog.templateId()) + " \"" + dialog.text() +
         "\": default answer]");
  if (auto* b = dynamic_cast<Button*>(dialog.defaultButton()); b && b->isEnabled())
    b->click();
  else
    dialog.handleCommand(IDOK, BN_CLICKED);
  if (!dialog.hasEnded()) dialog.endDialog(IDCANCEL);
}

Size HeadlessBackend::dialogBaseUnits(const Font& font) {
  int pt = font.pointSize > 0 ? font.pointSize : 8;
  return {std::max(1, (pt * 6 + 4) / 8), std::max(1, (pt * 13 + 4) / 8)};
}

Size HeadlessBackend::textExtent(const Font& font, std::string_view text) {
  Size base = dialogBaseUnits(font);
  int lines = 1, longest = 0, current = 0;
  for (char c : text) {
    if (c == '\n') {
      ++lines;
      current = 0;
    } else {
      longest = std::max(longest, ++current);
    }
  }
  return {longest * base.width, lines * base.height};
}

int HeadlessBackend::messageBox(const MessageBoxRequest& request) {
  if (script_) return script_->answerMessageBox(request);
  int answer = defaultAnswer(request.type);
  report("[" + request.caption + "] " + request.text);
  return answer;
}

std::optional<std::vector<std::string>> HeadlessBackend::fileDialog(
    const FileDialogRequest& request) {
  if (script_) return script_->answerFileDialog(request);
  report("[file dialog \"" + request.title + "\": cancelled]");
  return std::nullopt;
}

std::optional<std::string> HeadlessBackend::browseFolder(const FolderRequest& request) {
  if (script_) return script_->answerFolder(request);
  report("[folder dialog \"" + request.title + "\": cancelled]");
  return std::nullopt;
}

void HeadlessBackend::startTimer(int timerId, int ms) {
  long long interval = std::max(1, ms);
  timers_[timerId] = Timer{interval, now_ + interval};
}

void HeadlessBackend::stopTimer(int timerId) {
  timers_.erase(timerId);
}

void HeadlessBackend::advanceClock(long long ms) {
  long long target = now_ + std::max(0LL, ms);
  for (;;) {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it)
      if (it->second.due <= target && (next == timers_.end() || it->second.due < next->second.due))
        next = it;
    if (next == timers_.end()) break;
    int id = next->first;
    now_ = std::max(now_, next->second.due);
    next->second.due += next->second.interval;
    fireTimer(id);
  }
  now_ = target;
}

void HeadlessBackend::setKeyDown(int virtualKey, bool down) {
  keys_[virtualKey] = down;
}

bool HeadlessBackend::isKeyDown(int virtualKey) {
  auto it = keys_.find(virtualKey);
  return it != keys_.end() && it->second;
}

Window& HeadlessBackend::mainWindow() {
  if (!main_) {
    main_ = std::make_unique<Window>("HostMainWindow");
    main_->setStyle(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE);
    main_->setText("Host");
    main_->setRect({0, 0, 1920, 1080});
  }
  return *main_;
}

}  // namespace ui
