// The general variables and the levels of the host session, edited through
// the module's dialogs from the Dialogs menu and the command prompt.
#include "apps/ss-host/gui/SampleRuns.h"
#include "common/SSExports.h"
#include "core/KvAutoStandardsData.h"
#include "core/KvLevelsDlgData.h"
#include "platform/arx/acutil.h"

namespace {
KvAutoStandardsData& genVars() {
  static KvAutoStandardsData data = [] {
    KvAutoStandardsData d;
    d.names = {"gen_BoltGrade", "gen_BoltGrade", "gen_Clearance"};
    d.values = {"8.8", "10.9", "2"};
    d.drawings = {"Connections.json", "Bridges", "Connections.json"};
    d.groupVarNames = {"gen_PlateGrade", "gen_MinThickness"};
    d.groupVarValues = {"S355", "10"};
    d.groupVarGroups = {"Endplate", "Finplate"};
    d.groupVarDrawings = {"Connections.json", ""};
    return d;
  }();
  return data;
}

KvLevelsDlgData& levels() {
  static KvLevelsDlgData data = [] {
    KvLevelsDlgData d;
    d.addLevel("Ground floor");
    int first = d.addLevel("First floor");
    d.updateLevel(first, Nx_String("Ground floor"));
    d.updateLevel(first, 3600.0);
    int roof = d.addLevel("Roof");
    d.updateLevel(roof, Nx_String("First floor"));
    d.updateLevel(roof, 3200.0);
    return d;
  }();
  return data;
}

void printTable(const Nx_StringArray* const* lists, int count) {
  for (int row = 0; row < lists[0]->length(); ++row) {
    Nx_String line = " ";
    for (int col = 0; col < count; ++col)
      line += " " + (lists[col]->isValid(row) ? (*lists[col])[row] : Nx_String()) + " |";
    acutPrintf("%s\n", line.c_str());
  }
}
}  // namespace

void runGenVarsSample() {
  KvAutoStandardsData& d = genVars();
  if (!StartDlgGenVars(d)) {
    acutPrintf("General variables: cancelled, nothing changed.\n");
    return;
  }
  acutPrintf("General variables: %d rows, %d rows per module group\n", d.names.length(),
             d.groupVarNames.length());
  const Nx_StringArray* first[] = {&d.names, &d.values, &d.drawings};
  printTable(first, 3);
  const Nx_StringArray* second[] = {&d.groupVarNames, &d.groupVarValues, &d.groupVarGroups,
                                    &d.groupVarDrawings};
  printTable(second, 4);
}

void runLevelsSample() {
  KvLevelsDlgData& d = levels();
  if (!StartDlgLevels(d)) {
    acutPrintf("Levels: cancelled, nothing changed.\n");
    return;
  }
  acutPrintf("Levels: %d\n", d.count());
  for (int i = 0; i < d.count(); ++i) {
    Nx_String name, reference;
    double value = 0, absolute = 0;
    d.getLevelData(i, name, reference, value, absolute);
    acutPrintf("  %s on %s: %s (absolute %s)\n", name.c_str(), reference.c_str(),
               Nx_String(value, 3, false).c_str(), Nx_String(absolute, 3, false).c_str());
  }
}
