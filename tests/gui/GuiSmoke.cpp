// gui_smoke WHICH FILE.png: opens one dialog through the wxWidgets backend,
// checks its layout, saves a screenshot and closes it with OK. WHICH is
// grid, cis2, caption, translation, csp, info, formula, sections, sizeeditor,
// designer, baseplate or one of the small editors (openSmallEditor); the host
// window: HostSmoke.cpp.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/SSExports.h"
#include "core/CspGroups.h"
#include "core/DlgInfo.h"
#include "core/Nx_Settings.h"
#include "core/SectionTranslation.h"
#include "core/macro/MacroData.h"
#include "designer/KvDlgDesigner.h"
#include "dialogs/KvBracingDlgData.h"
#include "dialogs/KvCladdingDlgData.h"
#include "dialogs/KvDlgCis2Data.h"
#include "dialogs/KvGridDlgData.h"
#include "dialogs/KvLookUpDlgData.h"
#include "dialogs/KvSelectImageDlgData.h"
#include "macrodlg/DlgMacroCutsData.h"
#include "macrodlg/DlgProfCutsData.h"
#include "macrodlg/DlgProfFeaturesData.h"
#include "macrodlg/DynArrayData.h"
#include "macrodlg/EditConstrData.h"
#include "resources/dialogs/DLG_EDITLIBSIMPLE.h"
#include "sections/DlgEditLibData.h"
#include "sections/KvDlgEditLibSections.h"
#include "sections/KvDlgEditLibSimple.h"
#include "sections/Nx_ProfValuesTable.h"
#include "spreadsheet/CaptionDlg.h"
#include "spreadsheet/KvSSFormulaDlg.h"
#include "tests/gui/SmokeApp.h"

namespace {
// The formula dialog as a user leaves it after choosing R1C1 on a lookup cell.
class FormulaShot : public KvSSFormulaDlg {
 public:
  bool onInitDialog() override {
    bool focusFirst = KvSSFormulaDlg::onInitDialog();
    spread().userMoveTo(5, 2);
    checkRadioButton(dlg_ssformula::IDC_STYLE_DEFAULT, dlg_ssformula::IDC_STYLE_R1C1,
                     dlg_ssformula::IDC_STYLE_R1C1);
    handleCommand(dlg_ssformula::IDC_STYLE_R1C1, ui::BN_CLICKED);
    return focusFirst;
  }
};

// The small editors on records as the core would fill them.
bool openSmallEditor(const std::string& which, SmokeApp& app) {
  gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
  if (which == "stringtable") {
    Nx_Array<Nx_StringArray> rows;
    rows.append(Nx_StringArray{"HEA200", "S355", "2900"});
    rows.append(Nx_StringArray{"IPE240", "S235", "6000"});
    return startGridDialog({"Section", "Grade", "Length"}, {}, rows, true, "String table",
                           "One row per part.") ||
           app.shot();
  }
  if (which == "constraints") {
    EditConstrData data;
    data.macroName = "EP-101";
    data.moduleName = "Endplate";
    data.constraints.append({"Top", 0, 15, true});
    data.constraints.append({"Bottom", 4, -15, false});
    return StartDlgEditConstrModal(data) || app.shot();
  }
  if (which == "macrocuts") {
    DlgMacroCutsData data;
    data.macroName = "FP-7";
    data.cuts.append({"Beam", 0, 10, 90});
    data.cuts.append({"Column", 4, 0, 90});
    bool changed = false;
    return StartDlgMacroCuts(data, changed) || app.shot();
  }
  if (which == "profcuts") {
    DlgProfCutsData data;
    data.profileName = "B1 (IPE240)";
    data.cuts.append({DlgProfCutsData::kStart, 0, 90, 90, 5});
    data.cuts.append({DlgProfCutsData::kEnd, 5, 60, 90, 0});
    return StartEditProfCutsDlg(data) || app.shot();
  }
  if (which == "features") {
    DlgProfFeaturesData data;
    data.profileName = "C1 (HEA200)";
    data.features.append({DlgProfFeaturesData::kHole, DlgProfFeaturesData::kWeb, 150, 0, 22, 0});
    data.features.append(
        {DlgProfFeaturesData::kSlot, DlgProfFeaturesData::kTopFlange, 400, 55, 18, 30});
    return StartDlgProfFeatures(data) || app.shot();
  }
  if (which == "profadv") {
    MacroData data;
    data.names.append("EP-101");
    MacroTabData tab("Profiles", "Profiles", kTabProfiles);
    tab.mergedProps.append(MacroProfData("Column", "C1"));
    tab.mergedProps.append(MacroProfData("Beam", "B1"));
    data.tabs.append(tab);
    StartDlgMacroProfAdv(data, "", "", false);
    return app.shot();
  }
  if (which == "array") {
    DynArrayData data;
    AcArray<AcDbObjectId> ids;
    ids.append(AcDbObjectId(1));
    ids.append(AcDbObjectId(2));
    return StartArrayDlg(data, ids, "Array") || app.shot();
  }
  if (which == "selectmacro") {
    Nx_String chosen;
    bool option = false;
    return StartDlgSelectMacro("Select macro", {"EP-101", "FP-7", "BP-3"}, 0, 1, chosen, option,
                               false) ||
           app.shot();
  }
  if (which == "lookup") {
    KvLookUpDlgData data;
    data.file = "SteelGrades.txt";
    data.key = "S355";
    return StartDlgLookUp(data) || app.shot();
  }
  if (which == "selectimage") {
    KvSelectImageDlgData data;
    data.folder = gSettings.libDir + "icons";
    data.image = "ProfSectionI-big.bmp";
    return StartDlgSelectImage(data) || app.shot();
  }
  if (which == "cladding") {
    KvCladdingDlgData data;
    return StartDlgCladdingSettings(data) || app.shot();
  }
  if (which == "bracing") {
    KvBracingDlgData data;
    return StartDlgBracing(data) || app.shot();
  }
  std::fprintf(stderr, "unknown dialog \"%s\"\n", which.c_str());
  return false;
}

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
  if (which == "formula") {
    // The sample plate schedule, whose lookups chain through two tables.
    FormulaShot dlg;
    dlg.fileName = SS_SOURCE_DIR "/examples/library/Tables/Schedule.csv";
    dlg.loadFile = true;
    dlg.doModal();
    return app.shot();
  }
  if (which == "sections") {
    // The sample library's IPE table with IPE 270 selected, on a copy: OK saves.
    namespace fs = std::filesystem;
    fs::path copy = fs::temp_directory_path() / ("ss-gui-sections-" + std::to_string(getpid()));
    fs::create_directories(copy);
    for (const char* folder : {"prof", "icons"})
      fs::copy(fs::path(SS_SOURCE_DIR "/examples/library") / folder, copy / folder,
               fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    gSettings.setLibDir(copy.string().c_str());
    app.beforeShot([](ui::Dialog& dialog) {
      if (auto* editor = dynamic_cast<KvDlgEditLibSections*>(&dialog)) editor->selectSize(10);
    });
    DlgEditLibData data;
    bool ok = StartDlgEditLibSections(data, "IPE");
    fs::remove_all(copy);
    return ok || app.shot();
  }
  if (which == "sizeeditor") {
    // A new size after HEA 600 (the table in memory only).
    gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
    app.beforeShot(
        [](ui::Dialog& dialog) { dialog.setItemText(dlg_editlibsimple::IDC_NAME, "HEA650"); });
    Nx_ProfValuesTable table;
    int index = -1;
    return (table.readFromFile("HEA") && StartDlgEditLibSimple("HEA600", table, index)) ||
           app.shot();
  }
  if (which == "designer") {
    // The sample end-plate dialog with one input field selected.
    gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
    app.beforeShot([](ui::Dialog& dialog) {
      if (auto* designer = dynamic_cast<KvDlgDesigner*>(&dialog)) {
        designer->design().selectCtrls({KvDlgDesigner::kFirstResId + 2});
        designer->design().updatePropsOfCurSel();
      }
    });
    return StartDlgDesigner("Connections/End plate") || app.shot();
  }
  if (which == "baseplate") {
    // The sample base plate: its labels lie on the picture, which shows around their text.
    gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
    return StartDlgDesigner("Connections/Base plate") || app.shot();
  }
  return openSmallEditor(which, app);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr,
                 "usage: gui_smoke grid|cis2|caption|translation|csp|info|formula|sections|"
                 "sizeeditor|designer|baseplate|<small editor> FILE.png\n");
    return 2;
  }
  std::string which = argv[1];
  return runSmoke(argv[0],
                  new SmokeApp(argv[2], [which](SmokeApp& app) { return open(which, app); }));
}
