// gui_smoke WHICH FILE.png: opens one dialog through the wxWidgets backend,
// checks its layout, saves a screenshot and closes it with OK. WHICH is
// grid, cis2, caption, translation, csp, info or designer (the host window: HostSmoke.cpp).
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/timer.h>

#include <cstdio>
#include <string>

#include "common/SSExports.h"
#include "core/CspGroups.h"
#include "core/DlgInfo.h"
#include "core/Nx_Settings.h"
#include "core/SectionTranslation.h"
#include "designer/KvDlgDesigner.h"
#include "dialogs/KvDlgCis2Data.h"
#include "dialogs/KvGridDlgData.h"
#include "platform/ui/wx/WxBackend.h"
#include "spreadsheet/CaptionDlg.h"
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
    if (which_ == "grid") {
      KvGridDlgData data;
      return StartDlgGrid(data) || shot_;
    }
    if (which_ == "cis2") {
      KvDlgCis2Data data;
      data.firstChoice = false;  // every control enabled
      return StartDlgCis2Info(data) || shot_;
    }
    if (which_ == "caption") {
      Nx_String caption = "Total";
      return KvCaptionDlg::askRowOrColumn(false, caption) || shot_;
    }
    if (which_ == "translation") {
      return writeSectionTranslation("Section names", "Product section -> CIS/2 section",
                                     {"HEA200", "IPE240", "UNP160"}, {"HE200A", "IPE240", "UPN160"},
                                     Nx_String(file_ + ".dat")) ||
             shot_;
    }
    if (which_ == "csp") {
      // The sample library's two groups, as the core would hand them over.
      gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
      DlgCSP2Data data;
      std::vector<CspGroupFiles> groups;
      Nx_StringArray faults;
      cspGroupsUnder(gSettings.libDir + "Cutting Stock", groups);
      for (const CspGroupFiles& g : groups) addCspGroup(g, data, faults);
      return StartDlgCSP2(data) || shot_;
    }
    if (which_ == "info") {
      // The core's information dialog with the report the cutting-stock dialog makes.
      DlgInfoData info;
      info.title = "Newest lists loaded";
      info.buttonText = "Close";
      Nx_String dashes('-', 116);
      info.lines = {dashes,
                    "Loaded the list saved on 08 December, 2026 (08:38) for group \"Beams\" as "
                    "stock list from \"Stock2.shp\" ",
                    "", "No purchase list found  for group \"Beams\".", dashes};
      ExportStartDlgInfo(info);
      return shot_;
    }
    if (which_ == "designer") {
      // The sample end-plate dialog with one input field selected.
      gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
      return StartDlgDesigner("Connections/End plate") || shot_;
    }
    std::fprintf(stderr, "unknown dialog \"%s\"\n", which_.c_str());
    return false;
  }

  // After the dialog has drawn itself: check, take the picture, press OK.
  void shootLater(ui::Dialog& dialog, wxDialog& window) {
    if (auto* designer = dynamic_cast<KvDlgDesigner*>(&dialog)) {
      designer->design().selectCtrls({KvDlgDesigner::kFirstResId + 2});
      designer->design().updatePropsOfCurSel();
    }
    auto* timer = new wxTimer;
    timer->Bind(wxEVT_TIMER, [this, &dialog, &window, timer](wxTimerEvent&) {
      for (const std::string& f : layoutFaults(dialog)) {
        std::fprintf(stderr, "layout: %s\n", f.c_str());
        faults_ = true;
      }
      shot_ = uiwx::saveScreenshot(&window, file_);
      if (!shot_) std::fprintf(stderr, "cannot save %s\n", file_.c_str());
      dialog.handleCommand(ui::IDOK, ui::BN_CLICKED);
      CallAfter([timer] { delete timer; });
    });
    timer->StartOnce(600);
  }

  std::string which_, file_;
  bool opened_ = false;
  bool shot_ = false;
  bool faults_ = false;
};
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr,
                 "usage: gui_smoke grid|cis2|caption|translation|csp|info|designer FILE.png\n");
    return 2;
  }
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
