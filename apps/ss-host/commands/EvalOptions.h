#pragma once
#include <string>
#include <utility>
#include <vector>

// The arguments of `ss-host eval`, read and checked before anything is loaded.
namespace eval {

struct Options {
  std::string drawing;
  std::string macro;
  std::string sheet;  // as resolved: a name in "Connection Standards" or a file's path
  std::string object;
  bool objectGiven = false;
  std::vector<std::pair<std::string, std::string>> sets;
  bool save = false;
  bool force = false;  // write the drawing even when runs had diagnostics
  std::string output;
  bool json = false;
  bool trace = false;  // every Calc cell computed, with what it read and wrote
  // --all: every macro in worker processes, a summary, one save at the end.
  bool all = false;
  int jobs = 0;                // workers; 0: one per processor
  bool keepGoingSave = false;  // save although macros failed (those stay as they were)
  bool watch = false;          // run again whenever an input file changes
};

// Fills options; the reason the words are wrong (a usage error), or "".
std::string parseOptions(const std::vector<std::string>& args, Options& options);
// Checks the library folder and resolves options.sheet; the reason the
// run cannot start (a failure), or "".
std::string checkLibraryAndSheet(Options& options);

}  // namespace eval
