#pragma once
#include "core/Nx_String.h"

// The three messages that tell a sheet's author why a standards sheet could
// not be evaluated as written. They show only while the core settings switch
// standards messages on (gSettings.showStandardsMessages), as a modal box
// with the exclamation icon and OK; the evaluation goes on either way.

// An equation of the Calc section failed: the variable it sets (may be
// empty), the equation, and the sheet's path and row.
void reportEquationFailure(const Nx_String& fileName, int row, const Nx_String& varName,
                           const Nx_String& equation);
// A size function got tolerances whose sum is not positive.
void reportInvalidTolerances(double downTolerance, double upTolerance);
// An Input (isInput) or Output variable could not be fetched from the macro.
void reportVariableFailure(const Nx_String& fileName, bool isInput, const Nx_String& varName);

// The texts of the three messages.
Nx_String equationFailureText(const Nx_String& fileName, int row, const Nx_String& varName,
                              const Nx_String& equation);
Nx_String invalidTolerancesText(double downTolerance, double upTolerance);
Nx_String variableFailureText(const Nx_String& fileName, bool isInput, const Nx_String& varName);
