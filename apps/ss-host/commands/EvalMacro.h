#pragma once
#include <string>

#include "apps/ss-host/commands/EvalOptions.h"
#include "apps/ss-host/commands/EvalReport.h"
#include "apps/ss-host/commands/EvalRun.h"

// The sheets of one macro, run in their order: what `ss-host eval` does
// for each macro, alone or in a batch worker.
namespace eval {

// The sheets to run on a macro: its attachments, or the one --sheet names.
bool sheetsOf(const Nx_Macro& macro, const Options& options, Nx_StringArray& sheets,
              Nx_StringArray& objects, std::string& error);

// Runs the sheets on the open macro; a failed run ends the macro's
// remaining sheets, which are listed as not run. The macro's dialog data
// is stored back.
MacroRun runSheets(MacroEval& context, const Nx_StringArray& sheets, const Nx_StringArray& objects);

}  // namespace eval
