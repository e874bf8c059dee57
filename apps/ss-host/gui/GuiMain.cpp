// The entry of `ss-host --gui`, called by the loader once the module runs.
#include <wx/app.h>
#include <wx/timer.h>

#include <cstdio>
#include <string>
#include <vector>

#include "apps/ss-host/gui/DialogMenu.h"
#include "apps/ss-host/gui/HostFrame.h"
#include "common/SSExports.h"
#include "host/KvSSDlgsMgr.h"
#include "platform/arx/acutil.h"
#include "platform/ui/Backend.h"
#include "platform/ui/wx/WxBackend.h"

namespace {
const char* kHelp =
    "Usage: ss-host [--library DIR] [--config FILE] --gui\n"
    "Opens the host window: the command-line pane shows what the module prints,\n"
    "the Dialogs menu calls the module's exported dialog functions (greyed where\n"
    "the dialog is not built yet).\n"
    "  --open FUNCTION    once the window shows, call that dialog function as its\n"
    "                     menu entry does (StartDlgGrid, StartDlgCis2Info, ...)\n"
    "  --drawing FILE     open that drawing\n"
    "  --command NAME     once the window shows, run that prompt command (after\n"
    "                     the --open dialogs)\n"
    "  --screenshot FILE  save a picture of the window once it shows, then quit\n";

class HostApp : public wxApp {
 public:
  HostApp(std::string screenshot, std::vector<std::string> open, std::string drawing,
          std::vector<std::string> commands)
      : screenshot_(std::move(screenshot)),
        open_(std::move(open)),
        drawing_(std::move(drawing)),
        commands_(std::move(commands)) {}

  bool OnInit() override {
    // The loader has read the command line; wxWidgets' own parser would
    // refuse the host's options.
    uiwx::install();
    auto* frame = new HostFrame;
    frame->Show();
    uiwx::adoptMainWindow(frame);
    if (!drawing_.empty()) frame->openDrawing(drawing_);
    // One after the other: each runs its own modal loop.
    if (!open_.empty() || !commands_.empty())
      CallAfter([this, frame] {
        for (const std::string& function : open_) openDialog(function);
        for (const std::string& command : commands_) frame->runCommand(command);
      });
    if (!screenshot_.empty()) {
      // Once the window has been drawn.
      timer_.Bind(wxEVT_TIMER, [this, frame](wxTimerEvent&) {
        bool saved = uiwx::saveScreenshot(frame, screenshot_);
        if (!saved) std::fprintf(stderr, "ss-host: cannot save %s\n", screenshot_.c_str());
        status_ = saved ? 0 : 1;
        frame->Close(true);
      });
      timer_.StartOnce(1500);
    }
    return true;
  }
  int OnExit() override { return status_; }
  int status() const { return status_; }

 private:
  static void openDialog(const std::string& function) {
    for (const DialogMenuEntry& e : dialogMenuEntries())
      if (e.function == function && e.run) {
        e.run();
        return;
      }
    acutPrintf("*Error* No dialog entry \"%s\".\n", function.c_str());
  }

  std::string screenshot_;
  std::vector<std::string> open_;
  std::string drawing_;
  std::vector<std::string> commands_;
  wxTimer timer_;
  int status_ = 0;
};
}  // namespace

extern "C" __attribute__((visibility("default"))) int sshostGuiMain(int argc, char** argv) {
  std::string screenshot;
  std::vector<std::string> open, commands;
  std::string drawing;
  for (int i = 1; i < argc; ++i) {
    std::string word = argv[i];
    if (word == "--help" || word == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (word == "--screenshot" && i + 1 < argc)
      screenshot = argv[++i];
    else if (word.rfind("--screenshot=", 0) == 0)
      screenshot = word.substr(13);
    else if (word == "--open" && i + 1 < argc)
      open.push_back(argv[++i]);
    else if (word.rfind("--open=", 0) == 0)
      open.push_back(word.substr(7));
    else if (word == "--drawing" && i + 1 < argc)
      drawing = argv[++i];
    else if (word == "--command" && i + 1 < argc)
      commands.push_back(argv[++i]);
  }
  auto* app = new HostApp(screenshot, open, drawing, commands);
  wxApp::SetInstance(app);
  int gtkArgc = 1;
  char* gtkArgv[] = {argv[0], nullptr};
  if (!wxEntryStart(gtkArgc, gtkArgv)) {
    std::fprintf(stderr, "ss-host: cannot open a window (is a display available?)\n");
    return 1;
  }
  int code = 1;
  if (wxTheApp->CallOnInit()) {
    wxTheApp->OnRun();
    code = app->status();
  }
  // The module's windows go while the window system is still there: its
  // modeless macro dialogs and the hidden dialogs of the standards runs.
  DestroyAllMacroDlgs();
  gSSDlgsMgr.destroyAll();
  wxTheApp->OnExit();
  wxEntryCleanup();
  // The window backend's code goes when the loader closes this library; it
  // must not be left installed for the exit handlers.
  ui::setBackend(nullptr);
  return code;
}
