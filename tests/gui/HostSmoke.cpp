// gui_host_smoke FILE.png: the host window (ss-host --gui) opens the sample
// drawing, then the grid and the CIS/2 dialog on their sample records; each is confirmed, so the
// command pane shows the records that came back, and the window's picture
// is saved. The host loads the module as SS, so this test links the shared
// module and none of its libraries.
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/timer.h>

#include <cstdio>
#include <string>

#include "platform/base/NamedValueStore.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/wx/WxBackend.h"

extern "C" int sshostGuiMain(int argc, char** argv);

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gui_host_smoke FILE.png\n");
    return 2;
  }
  // The recent drawings and dialog sizes go beside the picture, not into
  // the user's registry.
  base::NamedValueStore::instance().setFile(std::string(argv[argc - 1]) + ".registry.ini");
  uiwx::setModalHook([](ui::Dialog& dialog, wxDialog&) {
    auto* timer = new wxTimer;
    timer->Bind(wxEVT_TIMER, [&dialog, timer](wxTimerEvent&) {
      dialog.handleCommand(ui::IDOK, ui::BN_CLICKED);
      wxTheApp->CallAfter([timer] { delete timer; });
    });
    timer->StartOnce(200);
  });
  char gui[] = "--gui", open[] = "--open", grid[] = "StartDlgGrid", cis2[] = "StartDlgCis2Info",
       shot[] = "--screenshot", drawingOption[] = "--drawing",
       drawing[] = SS_SOURCE_DIR "/examples/library/Macros/Connections.json";
  char* args[] = {argv[0], gui,  drawingOption, drawing, open,   grid,
                  open,    cis2, shot,          argv[1], nullptr};
  return sshostGuiMain(10, args);
}
