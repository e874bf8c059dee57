#include "apps/ss-host/commands/EvalProgress.h"

#include <unistd.h>

#include <string>

namespace eval {

Progress::Progress(int total, std::FILE* out)
    : out_(out), shown_(total > 0 && isatty(fileno(out))), total_(total) {
  if (shown_) draw();
}

Progress::~Progress() {
  if (!shown_) return;
  // The bar's line is cleared: what follows starts on a clean line.
  std::fprintf(out_, "\r\033[K");
  std::fflush(out_);
}

void Progress::advance(int by) {
  done_ += by;
  if (shown_) draw();
}

void Progress::draw() {
  // Redrawn once a percent, not once a macro.
  const int percent = static_cast<int>(100LL * done_ / total_);
  if (percent == drawnPercent_) return;
  drawnPercent_ = percent;
  constexpr int kWidth = 40;
  const int filled = kWidth * percent / 100;
  std::string bar(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(kWidth - filled), '.');
  std::fprintf(out_, "\r[%s] %3d%%  %d/%d macros", bar.c_str(), percent, done_, total_);
  std::fflush(out_);
}

}  // namespace eval
