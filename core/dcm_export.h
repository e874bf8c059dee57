#pragma once
// Symbols of the core library that the module and the host program use.
#define DCM_API __attribute__((visibility("default")))
