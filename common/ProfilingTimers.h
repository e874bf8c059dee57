#pragma once
#include "common/ss_export.h"
#include "core/Nx_Timer.h"

// The profiling timers of the standards evaluation, exported as data so that
// the core module can read and print them. Each is named after itself.

SS_EXPORT extern Nx_Timer gLoadFile;
SS_EXPORT extern Nx_Timer gInitSSForInput;
SS_EXPORT extern Nx_Timer gSSSGetFromMacro;
SS_EXPORT extern Nx_Timer gSetMacroValuelsToSS;
SS_EXPORT extern Nx_Timer gSSSreplaceGenVars;
SS_EXPORT extern Nx_Timer gCalcMain;
SS_EXPORT extern Nx_Timer gSetToMacro;
SS_EXPORT extern Nx_Timer gGetFromVars;
SS_EXPORT extern Nx_Timer gCalcChild;
SS_EXPORT extern Nx_Timer gSetToVars;
SS_EXPORT extern Nx_Timer gRegisterFuntions;
SS_EXPORT extern Nx_Timer gFindDuplicates;
SS_EXPORT extern Nx_Timer gCalcCells;
SS_EXPORT extern Nx_Timer gCalcCellSplitSymbol;
SS_EXPORT extern Nx_Timer gCalcCellFindVarCell;
SS_EXPORT extern Nx_Timer gCalcCellFindFunctions;
SS_EXPORT extern Nx_Timer gCalcCellCalcNativeFunctions;
SS_EXPORT extern Nx_Timer gCalcCellCalcFunctionsPrepare;
SS_EXPORT extern Nx_Timer gCalcCellCalcFunctions;
SS_EXPORT extern Nx_Timer gCalcCellGetVarNames;
SS_EXPORT extern Nx_Timer gCalcCellGetVarCoords;
SS_EXPORT extern Nx_Timer gCalcCellGetVarCoordName;
SS_EXPORT extern Nx_Timer gCalcCellReplaceVariables;
SS_EXPORT extern Nx_Timer gInitMapping;
SS_EXPORT extern Nx_Timer gInitFromMacro;
