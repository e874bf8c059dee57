#pragma once
#include <cstdio>

// A progress bar on stderr, drawn only when stderr is a terminal: a batch
// whose output goes to a file or a pipe leaves no control characters there.
namespace eval {

class Progress {
 public:
  Progress(int total, std::FILE* out = stderr);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  void advance(int by = 1);
  bool shown() const { return shown_; }

 private:
  void draw();

  std::FILE* out_;
  bool shown_;
  int total_;
  int done_ = 0;
  int drawnPercent_ = -1;
};

}  // namespace eval
