// A modal dialog in a window of its own, for commands that edit a record
// interactively (`ss-host csp --gui`): wxWidgets is started, the body runs
// one dialog and wxWidgets ends again.
#include <wx/app.h>

#include "apps/ss-host/gui/GuiAppRun.h"
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
  return runGuiApp(new ModalApp(body, context));  // wxWidgets owns its application object
}
