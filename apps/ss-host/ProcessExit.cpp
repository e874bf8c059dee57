#include "apps/ss-host/ProcessExit.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "apps/ss-host/GlobalOptions.h"

#if defined(__SANITIZE_ADDRESS__)
#define SS_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SS_SANITIZED 1
#endif
#endif

bool finishStandardOutput() {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  const int error = errno;
  std::fprintf(stderr, "ss-host: cannot write the output: %s\n",
               error ? std::strerror(error) : "write error");
  return false;
}

namespace hostexit {

namespace {
bool gEndsWithCommand = false;
}  // namespace

void endsWithCommand() {
  gEndsWithCommand = true;
}

void leaveIfDone(int code) {
#ifndef SS_SANITIZED
  if (!gEndsWithCommand) return;
  // As main() does: what was not written is no result.
  if (!finishStandardOutput() && (code == kExitOk || code == kExitDiagnostics)) code = kExitFailed;
  std::fflush(stderr);
  std::_Exit(code);
#else
  (void)code;
#endif
}

}  // namespace hostexit
