#include "apps/ss-host/gui/SampleRuns.h"

#include "common/SSExports.h"
#include "dialogs/KvDlgCis2Data.h"
#include "dialogs/KvGridDlgData.h"
#include "platform/arx/acutil.h"

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
