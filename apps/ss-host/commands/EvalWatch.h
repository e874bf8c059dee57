#pragma once
#include <functional>

#include "apps/ss-host/commands/EvalOptions.h"

// `ss-host eval --watch`: for authors who edit a sheet in another program.
namespace eval {

// Runs evaluate, then again after each change (inotify) of the drawing, or
// of a file in the library's standards folders (sheets, mapping and data
// files, child sheets) or section folders, or beside the --sheet file. A
// burst of changes (an editor's save) gives one run. Ends on SIGINT or
// SIGTERM with the last run's exit code; 1 when nothing can be watched.
int watch(const Options& options, const std::function<int()>& evaluate);

}  // namespace eval
