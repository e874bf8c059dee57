#pragma once
#include <string>
#include <vector>

#include "apps/ss-host/commands/EvalBatchFile.h"
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
// takes the next macro from a counter the workers share, evaluates it
// against a shadow copy of it (EvalRun.h) and
// sends each macro's results back as it finishes, with a save its part of
// the file too (core/macro/DrawingParts.h): the macro as its own run left
// it, which is what a one-by-one run saves, written and proven to load in
// the worker. The parent keeps its drawing untouched, writes the parts of
// the macros no worker wrote (failed, passed over) from it, and puts the
// parts in drawing order into the file as they come (EvalBatchFile.h), so
// the file does not depend on the number of workers.
namespace eval {

struct Batch {
  Nx_Drawing& drawing;      // as loaded; stays so in the parent
  std::vector<int> picked;  // indexes of the macros to run, ascending
  int jobs = 1;
  std::string target;  // the file a save writes; empty: no save, no parts
};

// Fills report.macros in drawing order and, when a save is to follow,
// the file as the results come; false with the reason when a worker could
// not be started or ended before its macros were done.
bool runBatch(const Batch& batch, const Options& options, Report& report, BatchFile* file,
              std::string& error);

// The number of workers for --jobs 0: the processors online.
int defaultJobs();

}  // namespace eval
