#include "platform/grid/grid_export.h"

GRID_API const char* ssgridVersion() { return "1.0"; }
