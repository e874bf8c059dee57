#pragma once
#include <chrono>

#include "core/Nx_String.h"
#include "core/dcm_export.h"

// Profiling timer: accumulates the time between start and end over many runs.
// A start while running restarts the open interval, so a step that returns
// early and never ends its timer costs nothing on the next run.
class DCM_API Nx_Timer {
 public:
  explicit Nx_Timer(const Nx_String& name = Nx_String()) : name_(name) {}
  virtual ~Nx_Timer() = default;

  void start();
  // Adds the open interval to the total and counts one run; ignored when not
  // running.
  void end();
  void reset();

  bool isRunning() const { return running_; }
  // Accumulated seconds of the ended runs.
  double seconds() const { return total_.count(); }
  // Number of ended runs.
  int count() const { return count_; }
  const Nx_String& name() const { return name_; }
  void setName(const Nx_String& name) { name_ = name; }

  // One line: name, total seconds, runs and mean milliseconds per run.
  Nx_String report() const;
  // Prints report() on the command line.
  void print() const;

 private:
  using Clock = std::chrono::steady_clock;
  Nx_String name_;
  Clock::time_point started_{};
  std::chrono::duration<double> total_{0};
  int count_ = 0;
  bool running_ = false;
};

// Starts a timer on construction and ends it when the scope is left.
class DCM_API Nx_FunctionTimer {
 public:
  explicit Nx_FunctionTimer(Nx_Timer& timer) : timer_(timer) { timer_.start(); }
  ~Nx_FunctionTimer() { timer_.end(); }
  Nx_FunctionTimer(const Nx_FunctionTimer&) = delete;
  Nx_FunctionTimer& operator=(const Nx_FunctionTimer&) = delete;

 private:
  Nx_Timer& timer_;
};
