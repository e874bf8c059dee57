#include "apps/ss-host/gui/SampleRuns.h"
#include "common/SSExports.h"
#include "core/Nx_Settings.h"
#include "platform/arx/acutil.h"

void runEvaluateSample() {
  acutPrintf("EvaluateSS: computes cell A1 of %sTables/t3.sss\n", gSettings.libDir.c_str());
  EvaluateSS();
}

void runReadTableSample() {
  Nx_String file = gSettings.libDir + "Tables/Schedule.csv";
  Nx_String result;
  Nx_StringArray captions;
  Nx_Array<Nx_StringArray> rows;
  ReadSSFile(file, result, captions, rows);
  acutPrintf("ReadSSFile %s: first cell \"%s\", %d columns, %d rows\n", file.c_str(),
             result.c_str(), captions.length(), rows.length());
  for (int r = 0; r < rows.length(); ++r) {
    Nx_String line;
    for (int c = 0; c < rows[r].length(); ++c) line += (c ? " | " : "") + rows[r][c];
    acutPrintf("  %s\n", line.c_str());
  }
}
