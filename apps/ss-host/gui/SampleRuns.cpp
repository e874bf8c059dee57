#include "apps/ss-host/gui/SampleRuns.h"

#include "common/SSExports.h"
#include "core/CspGroups.h"
#include "core/DlgCSP2Data.h"
#include "core/FileHelpers.h"
#include "core/FileSearch.h"
#include "core/Nx_Settings.h"
#include "core/PathHelpers.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "dialogs/KvDlgCis2Data.h"
#include "dialogs/KvGridDlgData.h"
#include "platform/arx/acutil.h"
#include "sections/DlgEditLibData.h"
#include "sections/Nx_ProfValuesTable.h"

namespace {
void print(const char* when, const KvGridDlgData& d) {
  acutPrintf("%s: first %d x %s from \"%s\", second %d x %s from \"%s\", option %s\n", when,
             d.firstCount, d.firstSpacing.c_str(), d.firstLabel.c_str(), d.secondCount,
             d.secondSpacing.c_str(), d.secondLabel.c_str(), d.option ? "on" : "off");
}
void print(const char* when, const KvDlgCis2Data& d) {
  auto yes = [](bool b) { return b ? "yes" : "no"; };
  acutPrintf("%s: first choice %s, option A %s, second choice %s, option B %s, option C %s\n", when,
             yes(d.firstChoice), yes(d.optionA), yes(d.secondChoice), yes(d.optionB),
             yes(d.optionC));
}
void print(const char* when, const DlgCSP2Data& d) {
  acutPrintf("%s: %d groups%s\n", when, d.groupIds.length(),
             d.restrictedMode ? ", restricted" : "");
  for (int g = 0; g < d.groupIds.length(); ++g) {
    int counts[DlgCSP2Data::kListCount] = {};
    for (int l = 0; l < DlgCSP2Data::kListCount; ++l)
      for (int r = 0; r < d.rowGroupIds[l].length(); ++r)
        counts[l] += d.rowGroupIds[l][r] == d.groupIds[g];
    acutPrintf("  %d \"%s\": %d parts, %d shop stock, %d purchase rows\n", d.groupIds[g],
               d.groupNames[g].c_str(), counts[0], counts[1], counts[2]);
  }
}

DlgCSP2Data cspSample() {
  DlgCSP2Data data;
  std::vector<CspGroupFiles> groups;
  Nx_StringArray faults;
  if (!gSettings.libDir.isEmpty() &&
      cspGroupsUnder(gSettings.libDir + "Cutting Stock", groups) > 0) {
    for (const CspGroupFiles& g : groups) addCspGroup(g, data, faults);
    for (const Nx_String& f : faults) acutPrintf("*Error* %s\n", f.c_str());
    return data;
  }
  int beams = data.addGroup("Beams");
  data.setGroupRows(DlgCSP2Data::kParts, beams, [] {
    Nx_Array<Nx_StringArray> rows;
    rows.append(Nx_StringArray{"HEA200", "2900", "4", "B1"});
    rows.append(Nx_StringArray{"HEA200", "1450", "6", "B2"});
    return rows;
  }());
  data.addGroup("Columns");
  return data;
}
}  // namespace

void runGridSample() {
  static KvGridDlgData data;  // kept between runs, as the core keeps its record
  print("StartDlgGrid in", data);
  bool ok = StartDlgGrid(data);
  if (ok)
    print("StartDlgGrid out", data);
  else
    acutPrintf("StartDlgGrid: cancelled, the record is unchanged.\n");
}

void runCis2Sample() {
  static KvDlgCis2Data data;
  print("StartDlgCis2Info in", data);
  bool ok = StartDlgCis2Info(data);
  if (ok)
    print("StartDlgCis2Info out", data);
  else
    acutPrintf("StartDlgCis2Info: cancelled, the record is unchanged.\n");
}

void runCsp2Sample() {
  static DlgCSP2Data data = cspSample();
  print("StartDlgCSP2 in", data);
  bool ok = StartDlgCSP2(data);
  if (ok)
    print("StartDlgCSP2 out", data);
  else
    acutPrintf("StartDlgCSP2: cancelled, the record is unchanged.\n");
}

void runEditLibSectionsSample() {
  static DlgEditLibData data;
  acutPrintf("StartDlgEditLibSections in: library %s, table \"%s\"\n", gSettings.libDir.c_str(),
             data.currentTable.c_str());
  if (!StartDlgEditLibSections(data, "IPE")) {
    acutPrintf("StartDlgEditLibSections: cancelled, the record is unchanged.\n");
    return;
  }
  acutPrintf("StartDlgEditLibSections out: table \"%s\", %d tables saved\n",
             data.currentTable.c_str(), data.savedTables.length());
}

void runEditLibSimpleSample() {
  Nx_String name = "HEA";
  Nx_StringArray files;
  if (!fileExists(Nx_ProfValuesTable::filePath(name)) &&
      ObjectExportFindFiles(gSettings.libDir + "prof", "*.pr", files) && !files.isEmpty())
    name = removeExtension(getFileName(files[0]));
  Nx_ProfValuesTable table;
  if (!table.readFromFile(name)) {
    acutPrintf("*Error* No section table %s in %s.\n", name.c_str(), gSettings.libDir.c_str());
    return;
  }
  Nx_String start =
      table.rows.isEmpty() || table.rows[0].isEmpty() ? Nx_String() : table.rows[0][0];
  acutPrintf("StartDlgEditLibSimple in: table %s, %d sizes, starting from %s\n", name.c_str(),
             table.rows.length(), start.c_str());
  int index = -1;
  if (!StartDlgEditLibSimple(start, table, index)) {
    acutPrintf("StartDlgEditLibSimple: cancelled, the table is unchanged.\n");
    return;
  }
  table.setToGlobals(&gSectionTables);
  acutPrintf("StartDlgEditLibSimple out: %d sizes, the new one is size %d of the included ones\n",
             table.rows.length(), index + 1);
}

void runDesignerSample() {
  const Nx_String name = "Connections/End plate";
  acutPrintf("StartDlgDesigner on \"%s\"\n", name.c_str());
  bool ok = StartDlgDesigner(name);
  acutPrintf("StartDlgDesigner: %s\n", ok ? "closed with OK" : "cancelled");
}
