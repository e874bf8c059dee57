// gui_macro_smoke WHICH FILE.png: opens one dialog of the macro work through
// the wxWidgets backend, checks its layout, saves a screenshot and closes
// it. WHICH is levels, genvars (both confirmed) or mapping (the macro
// settings dialog on EP-101 of the sample library, cancelled).
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/timer.h>

#include <cstdio>
#include <string>

#include "common/SSExports.h"
#include "core/KvAutoStandardsData.h"
#include "core/KvLevelsDlgData.h"
#include "core/MacroSettingsDlg.h"
#include "core/Nx_Settings.h"
#include "core/macro/Nx_Drawing.h"
#include "platform/base/NamedValueStore.h"
#include "platform/ui/wx/WxBackend.h"
#include "tests/gui/LayoutCheck.h"

namespace {
class SmokeApp : public wxApp {
 public:
  SmokeApp(std::string which, std::string file)
      : which_(std::move(which)), file_(std::move(file)) {}

  bool OnInit() override {
    uiwx::install();
    uiwx::setModalHook(
        [this](ui::Dialog& dialog, wxDialog& window) { shootLater(dialog, window); });
    CallAfter([this] {
      opened_ = open();
      ExitMainLoop();
    });
    return true;
  }
  int status() const { return !opened_ || !shot_ || faults_ ? 1 : 0; }

 private:
  bool open() {
    gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
    if (which_ == "levels") {
      KvLevelsDlgData data;
      data.addLevel("Ground floor");
      int first = data.addLevel("First floor");
      data.updateLevel(first, Nx_String("Ground floor"));
      data.updateLevel(first, 3600.0);
      return StartDlgLevels(data) || shot_;
    }
    if (which_ == "genvars") {
      KvAutoStandardsData data;
      data.names = {"gen_BoltGrade", "gen_BoltGrade", "gen_PlateOverhang"};
      data.values = {"8.8", "10.9", "10"};
      data.drawings = {"Connections.json", "Halls;Bridges/North.json", "Connections.json"};
      data.groupVarNames = {"gen_PlateGrade"};
      data.groupVarValues = {"S355"};
      data.groupVarGroups = {"EndPlate"};
      data.groupVarDrawings = {"Connections.json"};
      return StartDlgGenVars(data) || shot_;
    }
    if (which_ == "mapping") {
      cancel_ = true;  // the sample library stays as it is
      Nx_Drawing drawing;
      Nx_String error;
      if (!drawing.load(gSettings.libDir + "Macros/Connections.json", error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
      }
      Nx_Drawing::setWorking(&drawing);
      StartDlgMacroSettings(drawing.findMacro("EP-101"));
      Nx_Drawing::setWorking(nullptr);
      return shot_;
    }
    std::fprintf(stderr, "unknown dialog \"%s\"\n", which_.c_str());
    return false;
  }

  // After the dialog has drawn itself: check, take the picture, close it.
  void shootLater(ui::Dialog& dialog, wxDialog& window) {
    auto* timer = new wxTimer;
    timer->Bind(wxEVT_TIMER, [this, &dialog, &window, timer](wxTimerEvent&) {
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

  std::string which_, file_;
  bool cancel_ = false;
  bool opened_ = false;
  bool shot_ = false;
  bool faults_ = false;
};
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gui_macro_smoke levels|genvars|mapping FILE.png\n");
    return 2;
  }
  // The recent drawings and dialog sizes go beside the picture, not into
  // the user's registry.
  base::NamedValueStore::instance().setFile(std::string(argv[argc - 1]) + ".registry.ini");
  auto* app = new SmokeApp(argv[1], argv[2]);
  wxApp::SetInstance(app);
  int one = 1;
  char* args[] = {argv[0], nullptr};
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
