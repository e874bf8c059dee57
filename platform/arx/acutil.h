#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/arx/arx_export.h"

// Print to the host's command line. printf formatting; the text goes to the
// sink that the host installed (the terminal, the GUI's command pane or a
// test's buffer). Returns the number of bytes written.
ARX_API int acutPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

using AcutPrintSink = std::function<void(std::string_view text)>;
// Installs a sink and returns the previous one; an empty sink restores stdout.
ARX_API AcutPrintSink acutSetPrintSink(AcutPrintSink sink);

// Captures everything printed on the command line while it lives (tests).
class ARX_API AcutPrintCapture {
 public:
  AcutPrintCapture();
  ~AcutPrintCapture();
  AcutPrintCapture(const AcutPrintCapture&) = delete;
  AcutPrintCapture& operator=(const AcutPrintCapture&) = delete;
  const std::string& text() const { return text_; }
  void clear() { text_.clear(); }

 private:
  std::string text_;
  AcutPrintSink previous_;
};
