#pragma once
#include <exception>
#include <utility>

#include "platform/arx/acutil.h"

// The boundary of every exported function: the core module is no C++ caller
// that could take an exception, so none leaves this module. One that escapes
// a function's body is reported on the command line once, and the call
// answers as a failed or cancelled call would.
inline void reportEscapedException(const char* function, const char* what) noexcept {
  try {
    acutPrintf("*Error* %s: %s\n", function, what);
  } catch (...) {
    // Nothing is left to tell the user with; the failed answer still goes back.
  }
}

template <class R, class F>
R guardExport(const char* function, R failed, F&& body) noexcept {
  try {
    return std::forward<F>(body)();
  } catch (const std::exception& e) {
    reportEscapedException(function, e.what());
  } catch (...) {
    reportEscapedException(function, "unexpected failure");
  }
  return failed;
}

template <class F>
void guardExport(const char* function, F&& body) noexcept {
  try {
    std::forward<F>(body)();
  } catch (const std::exception& e) {
    reportEscapedException(function, e.what());
  } catch (...) {
    reportEscapedException(function, "unexpected failure");
  }
}
