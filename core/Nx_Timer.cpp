#include "core/Nx_Timer.h"

#include "platform/arx/acutil.h"

void Nx_Timer::start() {
  started_ = Clock::now();
  running_ = true;
}

void Nx_Timer::end() {
  if (!running_) return;
  total_ += Clock::now() - started_;
  ++count_;
  running_ = false;
}

void Nx_Timer::reset() {
  total_ = std::chrono::duration<double>(0);
  count_ = 0;
  running_ = false;
}

Nx_String Nx_Timer::report() const {
  Nx_String line = name_.isEmpty() ? Nx_String("timer") : name_;
  line += ": " + Nx_String(seconds(), 6, true) + " s in " + Nx_String(count_) + " runs";
  if (count_ > 0) line += ", " + Nx_String(seconds() * 1000.0 / count_, 4, true) + " ms per run";
  return line;
}

void Nx_Timer::print() const {
  acutPrintf("%s\n", report().c_str());
}
