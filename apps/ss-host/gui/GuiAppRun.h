#pragma once
#include <wx/app.h>

#include <cstdio>

// Starts wxWidgets with `app` (wxWidgets owns it), runs its main loop and
// answers app->result(); -1 when no window can be opened.
template <class App>
int runGuiApp(App* app) {
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
