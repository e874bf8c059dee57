#pragma once
#include <memory>
#include <string>

#include "core/Nx_String.h"
#include "standards/KvRunDiagnostic.h"
#include "standards/KvRunTrace.h"

// One StartDlgStandardsSS in progress: where its diagnostics go, which sheet
// and Calc cell it is at, and what it shares with the runs nested in it
// through CallChild (the call stack, the count of child runs, the sheet files
// read so far). Frames nest like the calls; the innermost is current, so the
// diagnostics raised deep inside (the mapping, the sheet functions) land on
// the run that raised them. Main thread only.
class StandardsRunFrame {
 public:
  // Child runs one outermost run may start in all; the next CallChild fails.
  static constexpr int kMaxChildRuns = 10000;

  // Becomes the current frame; sink receives this run's diagnostics.
  explicit StandardsRunFrame(KvRunDiagnostics& sink);
  ~StandardsRunFrame();
  StandardsRunFrame(const StandardsRunFrame&) = delete;
  StandardsRunFrame& operator=(const StandardsRunFrame&) = delete;

  // The innermost run in progress, or null outside any run.
  static StandardsRunFrame* current();

  // The sheet this run computes (its path once loaded).
  void setSheet(const Nx_String& path) { sheet_ = path; }
  const Nx_String& sheet() const { return sheet_; }
  // The Calc cell being computed; row 0 outside the Calc section.
  void setCell(int row, const Nx_String& text);
  int row() const { return row_; }
  const Nx_String& cellText() const { return cellText_; }

  // Records a diagnostic at this run's sheet and current row.
  void add(KvRunDiagnostic::Kind kind, const Nx_String& variable, const Nx_String& text,
           const Nx_String& message);
  // Records a diagnostic as it is.
  void add(KvRunDiagnostic diagnostic) { sink_.push_back(std::move(diagnostic)); }
  // Appends diagnostics as they are (those of a child run).
  void append(const KvRunDiagnostics& diagnostics);
  KvRunDiagnostics& diagnostics() { return sink_; }
  // True the first time a key is offered in the outermost run: for problems
  // that are told once per run however often they recur.
  bool firstTime(const std::string& key);

  // Where this run's Calc cells are traced; null when nobody asked.
  void setTrace(KvRunTrace* trace) { trace_ = trace; }
  KvRunTrace* trace() const { return trace_; }

  // The runs that enclose this one (0 for the outermost).
  int depth() const { return depth_; }
  // Whether this run or one enclosing it computes the sheet of that path.
  bool isOnCallStack(const Nx_String& path) const;
  // Counts one more child run; false, counting nothing, once the bound is reached.
  bool countChildRun();

  // The text of a sheet file, read once per outermost run: a sheet called
  // a thousand times is read once. False with the reason when the path is
  // no regular file or cannot be read.
  bool sheetText(const Nx_String& path, const std::string*& text, std::string& error);

 private:
  struct Shared;

  KvRunDiagnostics& sink_;
  StandardsRunFrame* outer_;
  std::unique_ptr<Shared> ownShared_;  // the outermost frame's only
  Shared* shared_;
  int depth_;
  Nx_String sheet_;
  int row_ = 0;
  Nx_String cellText_;
  KvRunTrace* trace_ = nullptr;
};
