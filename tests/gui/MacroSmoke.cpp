// gui_macro_smoke WHICH FILE.png: opens one dialog of the macro work through
// the wxWidgets backend, checks its layout, saves a screenshot and closes
// it. WHICH is levels, genvars (both confirmed), mapping (the macro
// settings dialog on EP-101 of the sample library, cancelled), the macro
// dialog on one page kind (designed: EP-101's end plate, grid: its bolts,
// profile: FP-201's fin plate), or flow: the main job in the macro dialog
// on a copy of the sample library beside the picture (a new sheet mapped
// through the macro settings, loaded from standards, seen on the page, the
// drawing saved and read back).
#include <cstdio>
#include <string>

#include "common/SSExports.h"
#include "core/KvAutoStandardsData.h"
#include "core/KvLevelsDlgData.h"
#include "core/MacroSettingsDlg.h"
#include "core/Nx_Settings.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "macrodlg/KvMacroDlg.h"
#include "macrodlg/MacroDesignedPage.h"
#include "platform/base/AtomicFile.h"
#include "platform/base/NamedValueStore.h"
#include "platform/ui/TabControl.h"
#include "tests/gui/SmokeApp.h"
#include "tests/macrodlg/MacroFlowSteps.h"

namespace {
// The macro's stored dialog data.
MacroData dataOf(Nx_Drawing& drawing, const char* macroName) {
  MacroData data;
  AcTransaction tr(drawing.database());
  Nx_DbMacro* macro = nullptr;
  if (tr.getObject(macro, drawing.findMacro(macroName), AcDb::kForRead) == Acad::eOk)
    macro->getMacroData(data);
  return data;
}

// The sample drawing loaded and made the working one; false (said) when it
// cannot be read.
bool openSample(Nx_Drawing& drawing) {
  Nx_String error;
  if (!drawing.load(gSettings.libDir + "Macros/Connections.json", error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  Nx_Drawing::setWorking(&drawing);
  return true;
}

// The macro dialog on a macro of the sample drawing, showing a tab.
bool macroDialog(SmokeApp& app, const char* macroName, int tab) {
  Nx_Drawing drawing;
  if (!openSample(drawing)) return false;
  app.beforeShot([tab](ui::Dialog& d) {
    if (auto* tabs = d.itemAs<ui::TabControl>(dlg_macro::IDC_TABS)) tabs->userSelect(tab);
  });
  MacroData data = dataOf(drawing, macroName);
  StartDlgMacro(data);
  Nx_Drawing::setWorking(nullptr);
  return app.shot();
}

// The thickness field of the end plate's designed page, or empty.
std::string shownThickness(ui::Dialog& d) {
  auto* page = dynamic_cast<MacroDesignedPage*>(static_cast<KvMacroDlg&>(d).page(0));
  const ui::Window* field = page ? page->item(page->controlOf("Thickness", ctInputField)) : nullptr;
  return field ? field->text() : std::string();
}

bool flow(SmokeApp& app) {
  const std::filesystem::path root = app.file() + ".library";
  macroflow::makeLibrary(root);
  const Nx_String path = (root / "Macros" / "Connections.json").string().c_str();
  Nx_Drawing drawing;
  Nx_String error;
  if (!drawing.load(path, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  Nx_Drawing::setWorking(&drawing);
  bool mapped = false, loaded = false;
  std::string shown;
  // Each modal dialog gets this before its picture: the settings dialog is
  // mapped and confirmed; the macro dialog opens it and loads from
  // standards the first time, and is only looked at the second time (the
  // picture of the page as it then opens).
  app.beforeShot([&](ui::Dialog& d) {
    if (d.templateId() == macroflow::kSettingsTemplate) {
      mapped = macroflow::mapChecksSheet(d);
      return;
    }
    if (!loaded) {
      d.handleCommand(dlg_macro::IDC_MACRO_SETTINGS, ui::BN_CLICKED);
      d.handleCommand(dlg_macro::IDC_LOAD_STANDARDS, ui::BN_CLICKED);
      loaded = true;
    }
    shown = shownThickness(d);
  });
  MacroData data = dataOf(drawing, "EP-101");
  StartDlgMacro(data);
  data = dataOf(drawing, "EP-101");
  StartDlgMacro(data);
  bool saved = drawing.save(path, error);
  Nx_Drawing::setWorking(nullptr);
  Nx_Drawing reread;
  bool found = saved && reread.load(path, error);
  if (found) {
    AcTransaction tr(reread.database());
    Nx_DbMacro* macro = nullptr;
    const Nx_Module* plate = nullptr;
    found = tr.getObject(macro, reread.findMacro("EP-101"), AcDb::kForRead) == Acad::eOk &&
            macro->getMacro()->findModule("EndPlate", plate) == Acad::eOk &&
            plate->findConstrVar("Thickness") && plate->findConstrVar("Thickness")->value == 20.0;
  }
  std::fprintf(stderr, "flow: mapped %d, page shows %s, saved %d, found in the file %d\n", mapped,
               shown.c_str(), saved, found);
  return mapped && shown == macroflow::kExpectedThickness && found && app.shot();
}
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
    if (!openSample(drawing)) return false;
    StartDlgMacroSettings(drawing.findMacro("EP-101"));
    Nx_Drawing::setWorking(nullptr);
    return app.shot();
  }
  if (which == "macro-designed") return macroDialog(app, "EP-101", 0);
  if (which == "macro-grid") return macroDialog(app, "EP-101", 1);
  if (which == "macro-profile") return macroDialog(app, "FP-201", 0);
  if (which == "flow") return flow(app);
  std::fprintf(stderr, "unknown dialog \"%s\"\n", which.c_str());
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr,
                 "usage: gui_macro_smoke "
                 "levels|genvars|mapping|macro-designed|macro-grid|macro-profile|flow FILE.png\n");
    return 2;
  }
  // Dialog sizes go beside the picture, not into the user's registry.
  base::NamedValueStore::instance().setFile(std::string(argv[2]) + ".registry.ini");
  std::string which = argv[1];
  return runSmoke(argv[0],
                  new SmokeApp(argv[2], [which](SmokeApp& app) { return open(which, app); }));
}
