#pragma once
#include "core/Nx_String.h"

// The messages that tell a sheet's author why a standards sheet could not be
// evaluated as written. The three boxes show only while the core settings
// switch standards messages on (gSettings.showStandardsMessages), as a modal
// box with the exclamation icon and OK; the evaluation goes on either way.
// Every report is also recorded, with the same text, on the diagnostics of
// the run in progress (StandardsRunFrame), whatever the switch says.

// An equation of the Calc section failed: the variable it sets (may be
// empty), the equation, and the sheet's path and row.
void reportEquationFailure(const Nx_String& fileName, int row, const Nx_String& varName,
                           const Nx_String& equation);
// A size function got tolerances whose sum is not positive.
void reportInvalidTolerances(double downTolerance, double upTolerance);
// An Input (isInput) or Output variable could not be fetched from the macro.
void reportVariableFailure(const Nx_String& fileName, bool isInput, const Nx_String& varName);
// A data file of a sheet function is missing (found false) or unreadable.
// No box: one command-line line, once per run for each file of a sheet.
void reportDataFileProblem(const Nx_String& name, bool found);

// The texts of the messages.
Nx_String equationFailureText(const Nx_String& fileName, int row, const Nx_String& varName,
                              const Nx_String& equation);
Nx_String invalidTolerancesText(double downTolerance, double upTolerance);
Nx_String variableFailureText(const Nx_String& fileName, bool isInput, const Nx_String& varName);
// A declared Input or Output that no entry of the mapping file's key binds.
Nx_String unboundVariableText(const Nx_String& fileName, bool isInput, const Nx_String& varName,
                              const Nx_String& key);
Nx_String dataFileProblemText(const Nx_String& fileName, const Nx_String& name, bool found);
