#include "tests/gui/SmokeApp.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/timer.h>

#include <cstdio>

#include "platform/ui/Dialog.h"
#include "platform/ui/wx/WxBackend.h"
#include "tests/gui/LayoutCheck.h"

bool SmokeApp::OnInit() {
  uiwx::install();
  uiwx::setModalHook([this](ui::Dialog& dialog, wxDialog& window) { shootLater(dialog, window); });
  CallAfter([this] {
    opened_ = open_(*this);
    ExitMainLoop();
  });
  return true;
}

// After the dialog has drawn itself: check, take the picture, close it.
void SmokeApp::shootLater(ui::Dialog& dialog, wxDialog& window) {
  auto* timer = new wxTimer;
  timer->Bind(wxEVT_TIMER, [this, &dialog, &window, timer](wxTimerEvent&) {
    if (prepare_) {
      prepare_(dialog);
      // What the preparation changed is drawn before the picture is taken.
      for (int i = 0; i < 3; ++i) wxYield();
      window.Update();
    }
    for (const std::string& f : layoutFaults(dialog)) {
      std::fprintf(stderr, "layout: %s\n", f.c_str());
      faults_ = true;
    }
    shot_ = uiwx::saveScreenshot(&window, file_);
    if (!shot_) std::fprintf(stderr, "cannot save %s\n", file_.c_str());
    dialog.handleCommand(cancel_ ? ui::IDCANCEL : ui::IDOK, ui::BN_CLICKED);
    CallAfter([timer] { delete timer; });
  });
  timer->StartOnce(600);
}

int runSmoke(const char* program, SmokeApp* app) {
  wxApp::SetInstance(app);
  int one = 1;
  char* args[] = {const_cast<char*>(program), nullptr};
  if (!wxEntryStart(one, args)) return 1;
  int code = 1;
  if (wxTheApp->CallOnInit()) {
    wxTheApp->OnRun();
    code = app->status();
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return code;
}
