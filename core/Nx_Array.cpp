#include "core/Nx_Array.h"

#include "platform/arx/acutil.h"

void nxArrayReportBadInsert() { acutPrintf("*Error* Invalid index passed to insert.\n"); }
void nxArrayReportBadRemove() { acutPrintf("*Error* Invalid index passed to remove.\n"); }
