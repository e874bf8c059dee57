#pragma once
// Symbols of the host API stand-in that the module and the host program use.
#define ARX_API __attribute__((visibility("default")))
