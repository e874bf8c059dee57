#pragma once
#include <vector>

#include "core/Nx_String.h"

// One thing that went wrong in a standards run, kept as data on the run's
// result (KvDlgStandardsData::diagnostics) so that every caller (the dialogs,
// ss-host eval and its --json) reads the same facts instead of printed lines.
// A run with any diagnostic is never a clean success.
struct KvRunDiagnostic {
  enum Kind : int {
    kEquation = 0,    // an equation of the Calc section failed; its variable kept its value
    kVariable = 1,    // an Input could not be read from, or an Output written to, the macro
    kUnbound = 2,     // a declared Input or Output has no mapping entry, or read nothing
    kTolerance = 3,   // a size function got tolerances whose sum is not positive
    kDuplicate = 4,   // a variable name declared twice; the later one was dropped
    kDepth = 5,       // CallChild nesting reached its bound
    kCycle = 6,       // CallChild called a sheet already on the call stack
    kChildLimit = 7,  // the run reached its bound on child runs
    kDataFile = 8,    // a look-up or size file is missing or unreadable
    kSheet = 9,       // the sheet itself could not be found, loaded or laid out
    kRun = 10,        // the run could not go on for another reason (no macro, no dialog, aborted)
  };

  Kind kind = kEquation;
  Nx_String sheet;     // the sheet's path
  int row = 0;         // the sheet row (1-based), 0 when it concerns no row
  Nx_String variable;  // the variable concerned, may be empty
  Nx_String text;      // the equation, file name or other subject
  Nx_String message;   // the full text as shown to the user
};

using KvRunDiagnostics = std::vector<KvRunDiagnostic>;

// A short lower-case name of a kind ("equation", "variable", ...), as
// ss-host prints it and --json writes it.
const char* runDiagnosticKindName(KvRunDiagnostic::Kind kind);
