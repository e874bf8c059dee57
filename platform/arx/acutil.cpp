#include "platform/arx/acutil.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>

namespace {
AcutPrintSink& sink() {
  static AcutPrintSink s;
  return s;
}
}  // namespace

int acutPrintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n < 0) {
    va_end(args);
    return 0;
  }
  std::string text(static_cast<size_t>(n), '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, args);
  va_end(args);
  if (sink()) {
    sink()(text);
  } else {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
  }
  return n;
}

AcutPrintSink acutSetPrintSink(AcutPrintSink s) { return std::exchange(sink(), std::move(s)); }

AcutPrintCapture::AcutPrintCapture()
    : previous_(acutSetPrintSink([this](std::string_view t) { text_.append(t); })) {}

AcutPrintCapture::~AcutPrintCapture() { acutSetPrintSink(std::move(previous_)); }
