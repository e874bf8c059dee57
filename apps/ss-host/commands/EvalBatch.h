#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "apps/ss-host/commands/EvalBatchFile.h"
#include "apps/ss-host/commands/EvalOptions.h"
#include "apps/ss-host/commands/EvalReport.h"
#include "core/Nx_String.h"

// `ss-host eval --all`: the macros of a drawing evaluated by worker
// processes, the results merged into the drawing's file by the parent.
//
// The module keeps process-wide state that a run touches throughout (the
// pool of calculation dialogs, the data-file and section caches, the
// settings, the command-line sink, the run frames), so workers are forked
// processes, not threads. The parent only cuts the drawing's text into its
// macros (core/macro/DrawingSlices.h); each worker takes the next macro
// from a counter the workers share, loads it alone, evaluates it against a
// shadow copy of it (EvalRun.h) and sends its results back as it finishes,
// with a save its part of the file too (core/macro/DrawingParts.h): the
// macro as its own run left it, which is what a one-by-one run saves, or as
// it was loaded when its run failed or --sheet passed it over, written and
// proven to load in the worker. The parent puts the parts in drawing order
// into the file as they come (EvalBatchFile.h), so the file does not depend
// on the number of workers, and the loading of a large drawing is shared
// by the workers as the runs are.
namespace eval {

struct Batch {
  std::vector<std::string_view> macros;  // each macro's text in the drawing's file
  Nx_String name;                        // the drawing's file, for the loader's messages
  int jobs = 1;
  std::string target;  // the file a save writes; empty: no save, no parts
};

enum class BatchEnd {
  kDone,        // every macro's results are in report.macros (and the file)
  kNotLoading,  // a macro did not load alone, or two share a name: the
                // whole drawing's load tells why; nothing was written
  kFailed,      // a worker could not be started or ended early: see error
};

// Fills report.macros in drawing order and, when a save is to follow,
// the file as the results come.
BatchEnd runBatch(const Batch& batch, const Options& options, Report& report, BatchFile* file,
                  std::string& error);

// The number of workers for --jobs 0: the processors online.
int defaultJobs();

}  // namespace eval
