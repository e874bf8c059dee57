#pragma once
#include <vector>

#include "core/DlgCSP2Data.h"
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/cuttingstock/CuttingStock.h"
#include "core/dcm_export.h"

// The optimiser's problems from the three lists of one group: one problem
// per profile of the parts, with the shop bars and purchasable lengths of
// that profile (profiles compared without case and surrounding blanks).
//
// Rows are checked first: a line with fewer cells than its list needs, a
// length that is not a positive number, a count that is not a whole number
// or a price that is not a number is a fault, named by source and line
// (the row's position from 1, as the file's line), and the row is left
// out. Empty rows are skipped. A piece longer than every stock length of
// its profile is a fault too, and stays in its problem so that the plan
// reports it.
struct DCM_API CspListSource {
  const Nx_Array<Nx_StringArray>* rows = nullptr;
  Nx_String name;  // the file, or the list's name for rows typed in
};

// The faults of one list's rows, one message a row ("name: line 3: ...").
DCM_API int checkCspRows(int list, const CspListSource& source, Nx_StringArray& faults);

DCM_API std::vector<csp::Problem> cspProblems(const CspListSource& parts, const CspListSource& shop,
                                              const CspListSource& buy, double sawCut,
                                              Nx_StringArray& faults);
