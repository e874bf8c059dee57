#pragma once
#include <span>

#include "platform/arx/acadstrc.h"
#include "platform/grid/CustomFunction.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/functions/FunctionTable.h"

// The spreadsheet functions of the standards engine: rounding to a step,
// look-ups in data files, standard sizes within tolerances and section
// values. A function is its row in one table plus a few lines that compute
// it; one runner empties the result and checks the argument count first.

using StandardsFunctionArgs = std::span<const grid::ValueRecord>;

struct StandardsFunction {
  const char* name;
  int minArgs;
  int maxArgs;
  // As in the worksheet functions' tables; an argument that is not of its
  // kind (Number or Text) fails the formula before the function runs.
  grid::ArgKinds kinds;
  // Called with at least minArgs arguments of their kinds and an empty
  // result; false fails the formula.
  bool (*compute)(grid::ValueRecord& result, StandardsFunctionArgs args);
};

// The functions in their order of registration.
std::span<const StandardsFunction> standardsFunctions();

// Registers every function on the sheet (flags 0), replacing earlier
// registrations of the same names. Cheap: the driver calls it before every
// calculation, as a loaded sheet drops its functions; data files are then
// searched anew at their first use. eInvalidInput when the sheet refuses one
// of them.
Acad::ErrorStatus registerStandardsFunctions(grid::Sheet& sheet);
