// A modal dialog in a window of its own, for commands that edit a record
// interactively (`ss-host csp --gui`): wxWidgets is started, the body runs
// one dialog and wxWidgets ends again.
#include <wx/app.h>

#include <cstdio>

#include "platform/ui/wx/WxBackend.h"

namespace {
class ModalApp : public wxApp {
 public:
  ModalApp(int (*body)(void*), void* context) : body_(body), context_(context) {}
  bool OnInit() override {
    uiwx::install();
    CallAfter([this] {
      result_ = body_(context_);
      ExitMainLoop();
    });
    return true;
  }
  int result() const { return result_; }

 private:
  int (*body_)(void*);
  void* context_;
  int result_ = 0;
};
}  // namespace

extern "C" __attribute__((visibility("default"))) int sshostGuiRunModal(int (*body)(void*),
                                                                        void* context) {
  auto* app = new ModalApp(body, context);  // wxWidgets owns its application object
  wxApp::SetInstance(app);
  int argc = 1;
  char name[] = "ss-host";
  char* argv[] = {name, nullptr};
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "ss-host: cannot open a window (is a display available?)\n");
    return -1;
  }
  int result = -1;
  if (wxTheApp->CallOnInit()) {
    wxTheApp->OnRun();
    result = app->result();
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
