#pragma once
// The one export macro of the module: the entry point, the exported
// functions, the data classes and the data objects carry it; nothing else
// leaves the library.
#define SS_EXPORT __attribute__((visibility("default")))
