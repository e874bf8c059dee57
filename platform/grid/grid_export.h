#pragma once
// Symbols of the spreadsheet control that its users see.
#define GRID_API __attribute__((visibility("default")))
