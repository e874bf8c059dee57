// Runs of the module's small editors on records kept for the session: each
// run starts from what the last one left, as the core keeps its records.
#include "apps/ss-host/gui/SampleRuns.h"
#include "common/SSExports.h"
#include "core/Nx_Settings.h"
#include "core/macro/MacroData.h"
#include "dialogs/KvBracingDlgData.h"
#include "dialogs/KvCladdingDlgData.h"
#include "dialogs/KvLookUpDlgData.h"
#include "dialogs/KvSelectImageDlgData.h"
#include "macrodlg/DlgMacroCutsData.h"
#include "macrodlg/DlgProfCutsData.h"
#include "macrodlg/DlgProfFeaturesData.h"
#include "macrodlg/DynArrayData.h"
#include "macrodlg/EditConstrData.h"
#include "platform/arx/acutil.h"

namespace {
Nx_String num(double v) {
  return Nx_String(v, 3, false);
}
const char* yes(bool b) {
  return b ? "yes" : "no";
}

// Runs one editor and says how it ended; print shows the record after OK.
template <class Run, class Print>
void report(const char* name, Run run, Print print) {
  if (run())
    print();
  else
    acutPrintf("%s: cancelled, the record is unchanged.\n", name);
}

EditConstrData& constraints() {
  static EditConstrData d = [] {
    EditConstrData c;
    c.macroName = "EP-101";
    c.moduleName = "Endplate";
    c.constraints.append({"Top", 0, 15, true});
    c.constraints.append({"Bottom", 4, -15, true});
    return c;
  }();
  return d;
}

void printConstraints() {
  for (const auto& c : constraints().constraints)
    acutPrintf("  %s: shape %d at %s mm, active %s\n", c.name.c_str(), c.kind,
               num(c.distance).c_str(), yes(c.active));
}
}  // namespace

void runStringTableSample() {
  static Nx_Array<Nx_StringArray> rows = [] {
    Nx_Array<Nx_StringArray> r;
    r.append(Nx_StringArray{"HEA200", "S355", "2900"});
    r.append(Nx_StringArray{"IPE240", "S235", "6000"});
    return r;
  }();
  report(
      "startGridDialog",
      [] {
        return startGridDialog({"Section", "Grade", "Length"}, {}, rows, true, "String table",
                               "One row per part.");
      },
      [] {
        for (const Nx_StringArray& row : rows) {
          Nx_String line = " ";
          for (const Nx_String& cell : row) line += " " + cell + " |";
          acutPrintf("%s\n", line.c_str());
        }
      });
}

void runConstraintsSample() {
  report(
      "StartDlgEditConstrModal", [] { return StartDlgEditConstrModal(constraints()); },
      printConstraints);
}

void runModelessConstraintsSample() {
  if (StartDlgEditConstraints(constraints()))
    acutPrintf("StartDlgEditConstraints: open; OK writes to the session's constraints.\n");
}

void runMacroCutsSample() {
  static DlgMacroCutsData d = [] {
    DlgMacroCutsData c;
    c.macroName = "FP-7";
    c.cuts.append({"Beam", 0, 10, 90});
    c.cuts.append({"Column", 4, 0, 90});
    return c;
  }();
  bool changed = false;
  report(
      "StartDlgMacroCuts", [&] { return StartDlgMacroCuts(d, changed); },
      [&] {
        acutPrintf("StartDlgMacroCuts: %d cuts, %s\n", d.cuts.length(),
                   changed ? "changed" : "as they were");
      });
}

void runProfAdvSample() {
  static MacroData d = [] {
    MacroData m;
    m.names.append("EP-101");
    MacroTabData tab("Profiles", "Profiles", kTabProfiles);
    tab.mergedProps.append(MacroProfData("Column", "C1"));
    tab.mergedProps.append(MacroProfData("Beam", "B1"));
    m.tabs.append(tab);
    return m;
  }();
  StartDlgMacroProfAdv(d, "", "", false);
  for (const MacroProfData& p : d.tabs[0].mergedProps)
    acutPrintf("  %s: member %s\n", p.profileGroup.c_str(), p.memberName.c_str());
}

void runProfCutsSample() {
  static DlgProfCutsData d = [] {
    DlgProfCutsData c;
    c.profileName = "B1 (IPE240)";
    c.cuts.append({DlgProfCutsData::kStart, 0, 90, 90, 5});
    return c;
  }();
  report(
      "StartEditProfCutsDlg", [] { return StartEditProfCutsDlg(d); },
      [] {
        for (const auto& c : d.cuts)
          acutPrintf("  %s end: shape %d, web %s, flange %s degrees, %s mm\n",
                     c.end == DlgProfCutsData::kStart ? "start" : "far", c.kind,
                     num(c.webAngle).c_str(), num(c.flangeAngle).c_str(), num(c.offset).c_str());
      });
}

void runArraySample() {
  static DynArrayData d;
  AcArray<AcDbObjectId> ids;
  ids.append(AcDbObjectId(1));
  ids.append(AcDbObjectId(2));
  report(
      "StartArrayDlg", [&] { return StartArrayDlg(d, ids, "Array"); },
      [] {
        acutPrintf("StartArrayDlg: %d x %d x %d at %s / %s / %s mm, connections %s\n", d.countX,
                   d.countY, d.countZ, num(d.spacingX).c_str(), num(d.spacingY).c_str(),
                   num(d.spacingZ).c_str(), yes(d.copyConnections));
      });
}

void runProfFeaturesSample() {
  static DlgProfFeaturesData d = [] {
    DlgProfFeaturesData f;
    f.profileName = "C1 (HEA200)";
    f.features.append({DlgProfFeaturesData::kHole, DlgProfFeaturesData::kWeb, 150, 0, 22, 0});
    return f;
  }();
  report(
      "StartDlgProfFeatures", [] { return StartDlgProfFeatures(d); },
      [] {
        for (const auto& f : d.features)
          acutPrintf("  kind %d on face %d at %s, %s: size %s, length %s mm\n", f.kind, f.face,
                     num(f.x).c_str(), num(f.y).c_str(), num(f.size).c_str(),
                     num(f.length).c_str());
      });
}

void runSelectMacroSample() {
  static Nx_String chosen;
  static bool option = false;
  report(
      "StartDlgSelectMacro",
      [] {
        return StartDlgSelectMacro("Select macro", {"EP-101", "FP-7", "BP-3"}, 0, 0, chosen, option,
                                   false);
      },
      [] { acutPrintf("StartDlgSelectMacro: %s, option %s\n", chosen.c_str(), yes(option)); });
}

void runLookUpSample() {
  static KvLookUpDlgData d = [] {
    KvLookUpDlgData l;
    l.file = "SteelGrades.txt";
    l.key = "S355";
    return l;
  }();
  report(
      "StartDlgLookUp", [] { return StartDlgLookUp(d); },
      [] {
        acutPrintf("StartDlgLookUp: %s in %s is %s\n", d.key.c_str(), d.file.c_str(),
                   d.value.c_str());
      });
}

void runSelectImageSample() {
  static KvSelectImageDlgData d;
  d.folder = gSettings.libDir + "icons";
  report(
      "StartDlgSelectImage", [] { return StartDlgSelectImage(d); },
      [] { acutPrintf("StartDlgSelectImage: %s\n", d.image.c_str()); });
}

void runCladdingSample() {
  static KvCladdingDlgData d;
  report(
      "StartDlgCladdingSettings", [] { return StartDlgCladdingSettings(d); },
      [] {
        acutPrintf(
            "StartDlgCladdingSettings: %s, %s mm, overlap %s, fixings every %s mm, %s ribs, "
            "flashings %s\n",
            d.sheetProfile.c_str(), num(d.thickness).c_str(), num(d.sideOverlap).c_str(),
            num(d.fixingSpacing).c_str(),
            d.orientation == KvCladdingDlgData::kVertical ? "vertical" : "horizontal",
            yes(d.withFlashings));
      });
}

void runBracingSample() {
  static KvBracingDlgData d;
  report(
      "StartDlgBracing", [] { return StartDlgBracing(d); },
      [] {
        acutPrintf(
            "StartDlgBracing: pattern %d, %s %s, gusset %s mm, clearance %s mm, tension only %s\n",
            d.pattern, d.section.c_str(), d.material.c_str(), num(d.gussetThickness).c_str(),
            num(d.endClearance).c_str(), yes(d.tensionOnly));
      });
}

void runDstvPointsSample() {
  StartDSTVPointsDlg();
}
