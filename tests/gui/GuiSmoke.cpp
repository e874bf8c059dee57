// gui_smoke WHICH FILE.png: opens one dialog through the wxWidgets backend,
// checks its layout, saves a screenshot and closes it with OK. WHICH is
// grid, cis2, caption, translation, csp or info (the host window: HostSmoke.cpp).
#include <cstdio>
#include <string>

#include "common/SSExports.h"
#include "core/CspGroups.h"
#include "core/DlgInfo.h"
#include "core/Nx_Settings.h"
#include "core/SectionTranslation.h"
#include "dialogs/KvDlgCis2Data.h"
#include "dialogs/KvGridDlgData.h"
#include "spreadsheet/CaptionDlg.h"
#include "tests/gui/SmokeApp.h"

namespace {
bool open(const std::string& which, SmokeApp& app) {
  if (which == "grid") {
    KvGridDlgData data;
    return StartDlgGrid(data) || app.shot();
  }
  if (which == "cis2") {
    KvDlgCis2Data data;
    data.firstChoice = false;  // every control enabled
    return StartDlgCis2Info(data) || app.shot();
  }
  if (which == "caption") {
    Nx_String caption = "Total";
    return KvCaptionDlg::askRowOrColumn(false, caption) || app.shot();
  }
  if (which == "translation") {
    return writeSectionTranslation("Section names", "Product section -> CIS/2 section",
                                   {"HEA200", "IPE240", "UNP160"}, {"HE200A", "IPE240", "UPN160"},
                                   Nx_String(app.file() + ".dat")) ||
           app.shot();
  }
  if (which == "csp") {
    // The sample library's two groups, as the core would hand them over.
    gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
    DlgCSP2Data data;
    std::vector<CspGroupFiles> groups;
    Nx_StringArray faults;
    cspGroupsUnder(gSettings.libDir + "Cutting Stock", groups);
    for (const CspGroupFiles& g : groups) addCspGroup(g, data, faults);
    return StartDlgCSP2(data) || app.shot();
  }
  if (which == "info") {
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
    return app.shot();
  }
  std::fprintf(stderr, "unknown dialog \"%s\"\n", which.c_str());
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gui_smoke grid|cis2|caption|translation|csp|info FILE.png\n");
    return 2;
  }
  std::string which = argv[1];
  return runSmoke(argv[0],
                  new SmokeApp(argv[2], [which](SmokeApp& app) { return open(which, app); }));
}
