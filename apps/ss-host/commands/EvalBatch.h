#pragma once
#include <string>
#include <vector>

#include "apps/ss-host/commands/EvalOptions.h"
#include "apps/ss-host/commands/EvalReport.h"
#include "core/macro/Nx_Drawing.h"

// `ss-host eval --all`: the macros of a drawing evaluated by worker
// processes, the results merged into the drawing by the parent.
//
// The module keeps process-wide state that a run touches throughout (the
// pool of calculation dialogs, the data-file and section caches, the
// settings, the command-line sink, the run frames), so workers are forked
// processes, not threads: each gets the loaded drawing by copy-on-write,
// evaluates every jobs-th macro against a shadow copy of it (EvalRun.h) and
// sends each macro's results back as it finishes. The
// parent replays the Output values of every macro that did not fail onto
// its own untouched drawing, in drawing order, so the result does not
// depend on the number of workers.
namespace eval {

struct Batch {
  Nx_Drawing& drawing;      // as loaded; takes the runs' writes
  std::vector<int> picked;  // indexes of the macros to run, ascending
  int jobs = 1;
};

// Fills report.macros in drawing order; false with the reason when a
// worker could not be started or ended before its macros were done.
bool runBatch(const Batch& batch, const Options& options, Report& report, std::string& error);

// The number of workers for --jobs 0: the processors online.
int defaultJobs();

}  // namespace eval
