#pragma once
// The section of a sheet that declares a variable, and so how the variable
// is exchanged with the macro.
enum KvCellType : int {
  kCellInput = 0,   // read from the macro, never written back
  kCellOutput = 1,  // read from the macro, recalculated and written back
  kCellLocal = 2,   // a working value of the sheet, blanked before each run
};
