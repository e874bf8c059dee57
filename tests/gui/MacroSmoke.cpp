// gui_macro_smoke WHICH FILE.png: opens one dialog of the macro work through
// the wxWidgets backend, checks its layout, saves a screenshot and closes
// it. WHICH is levels, genvars (both confirmed) or mapping (the macro
// settings dialog on EP-101 of the sample library, cancelled).
#include <cstdio>
#include <string>

#include "common/SSExports.h"
#include "core/KvAutoStandardsData.h"
#include "core/KvLevelsDlgData.h"
#include "core/MacroSettingsDlg.h"
#include "core/Nx_Settings.h"
#include "core/macro/Nx_Drawing.h"
#include "platform/base/NamedValueStore.h"
#include "tests/gui/SmokeApp.h"

namespace {
bool open(const std::string& which, SmokeApp& app) {
  gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
  if (which == "levels") {
    KvLevelsDlgData data;
    data.addLevel("Ground floor");
    int first = data.addLevel("First floor");
    data.updateLevel(first, Nx_String("Ground floor"));
    data.updateLevel(first, 3600.0);
    return StartDlgLevels(data) || app.shot();
  }
  if (which == "genvars") {
    KvAutoStandardsData data;
    data.names = {"gen_BoltGrade", "gen_BoltGrade", "gen_PlateOverhang"};
    data.values = {"8.8", "10.9", "10"};
    data.drawings = {"Connections.json", "Halls;Bridges/North.json", "Connections.json"};
    data.groupVarNames = {"gen_PlateGrade"};
    data.groupVarValues = {"S355"};
    data.groupVarGroups = {"EndPlate"};
    data.groupVarDrawings = {"Connections.json"};
    return StartDlgGenVars(data) || app.shot();
  }
  if (which == "mapping") {
    app.closeWithCancel();  // the sample library stays as it is
    Nx_Drawing drawing;
    Nx_String error;
    if (!drawing.load(gSettings.libDir + "Macros/Connections.json", error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return false;
    }
    Nx_Drawing::setWorking(&drawing);
    StartDlgMacroSettings(drawing.findMacro("EP-101"));
    Nx_Drawing::setWorking(nullptr);
    return app.shot();
  }
  std::fprintf(stderr, "unknown dialog \"%s\"\n", which.c_str());
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gui_macro_smoke levels|genvars|mapping FILE.png\n");
    return 2;
  }
  // Dialog sizes go beside the picture, not into the user's registry.
  base::NamedValueStore::instance().setFile(std::string(argv[2]) + ".registry.ini");
  std::string which = argv[1];
  return runSmoke(argv[0],
                  new SmokeApp(argv[2], [which](SmokeApp& app) { return open(which, app); }));
}
