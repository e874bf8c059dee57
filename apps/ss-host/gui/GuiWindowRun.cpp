// A modeless window of the module in a session of its own, for commands that
// leave their result on screen (`ss-host bill --gui`): wxWidgets is started,
// the body opens the window, and the session lasts until the user closes it.
#include <wx/app.h>
#include <wx/timer.h>

#include <cstdio>
#include <string>

#include "apps/ss-host/gui/GuiAppRun.h"
#include "platform/ui/Window.h"
#include "platform/ui/wx/WxBackend.h"

namespace {
constexpr int kPollMs = 200;
constexpr int kScreenshotDelayMs = 1500;

class WindowApp : public wxApp {
 public:
  using Body = int (*)(void*);
  using Shown = ui::Window* (*)(void*);
  WindowApp(Body body, Shown shown, void* context, std::string screenshot)
      : body_(body), shown_(shown), context_(context), screenshot_(std::move(screenshot)) {}

  bool OnInit() override {
    uiwx::install();
    CallAfter([this] {
      result_ = body_(context_);
      if (result_ != 0 || !shown_(context_)) {
        ExitMainLoop();
        return;
      }
      poll_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        if (!shown_(context_)) ExitMainLoop();
      });
      poll_.Start(kPollMs);
      if (!screenshot_.empty()) {
        shot_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { takeScreenshot(); });
        shot_.StartOnce(kScreenshotDelayMs);
      }
    });
    return true;
  }
  int result() const { return result_; }

 private:
  void takeScreenshot() {
    ui::Window* window = shown_(context_);
    wxWindow* widget = window ? uiwx::widgetOf(*window) : nullptr;
    if (!widget || !uiwx::saveScreenshot(widget, screenshot_)) {
      std::fprintf(stderr, "ss-host: cannot save %s\n", screenshot_.c_str());
      result_ = 1;
    }
    if (window) window->topLevel()->handleCommand(ui::IDCANCEL, 0);
    ExitMainLoop();
  }

  Body body_;
  Shown shown_;
  void* context_;
  std::string screenshot_;
  wxTimer poll_, shot_;
  int result_ = 0;
};
}  // namespace

extern "C" __attribute__((visibility("default"))) int sshostGuiRunWindow(
    int (*body)(void*), ui::Window* (*shown)(void*), void* context, const char* screenshot) {
  return runGuiApp(
      new WindowApp(body, shown, context,
                    screenshot ? screenshot : ""));  // wxWidgets owns its application object
}
