#pragma once
#include <vector>

#include "core/Nx_String.h"

// What a standards run computed, Calc cell by Calc cell, for an author who
// wants to see why a value came out as it did. Filled only when the request
// asks for it (KvDlgStandardsData::trace); a run without it pays nothing.
struct KvTraceVariable {
  Nx_String name;
  Nx_String value;
};

struct KvTraceRow {
  Nx_String sheet;     // the sheet's path
  int row = 0;         // 1-based
  int col = 0;         // 1-based
  Nx_String text;      // the cell as computed (general variables already replaced)
  Nx_String equation;  // the expression with variables as cell references; the call for CallChild
  Nx_String value;     // the result as its cell shows it (an error value too); "" when none
  bool ok = false;     // false: the equation failed and its variable kept its value
  std::vector<KvTraceVariable>
      read;  // variables the cell read, first use first, with the values read
  std::vector<KvTraceVariable> written;  // variables the cell changed, with their new values
  std::vector<KvTraceRow> children;      // a CallChild's child run, its rows in order
};

using KvRunTrace = std::vector<KvTraceRow>;
