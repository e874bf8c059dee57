// The DSTV points dialog would edit the core's DSTV point list; the core
// stand-in keeps none, so the entry says so instead of showing an empty dialog.
#include "common/KvExportGuard.h"
#include "common/SSExports.h"
#include "platform/arx/acutil.h"

void StartDSTVPointsDlg() {
  guardExport("StartDSTVPointsDlg", [] {
    acutPrintf("The DSTV points dialog is not available: the core keeps no DSTV points.\n");
  });
}
