#pragma once
// Symbols of the cutting-stock optimiser that the core and the host program use.
#define CSP_API __attribute__((visibility("default")))
