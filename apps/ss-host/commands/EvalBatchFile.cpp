#include "apps/ss-host/commands/EvalBatchFile.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>
#include <iterator>

namespace eval {

namespace {

// The temporary file of the batch in progress, for the signal handler: a
// batch may run for minutes, and an interrupted one leaves nothing behind.
char gTemporary[PATH_MAX];
constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction gPrevious[std::size(kInterrupts)];

extern "C" void removeTemporaryAndDie(int signal) {
  if (gTemporary[0] != '\0') ::unlink(gTemporary);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

void removeOnInterrupt(const std::string& temporary) {
  if (temporary.empty() || temporary.size() >= sizeof gTemporary) return;
  std::memcpy(gTemporary, temporary.c_str(), temporary.size() + 1);
  struct sigaction action {};
  action.sa_handler = removeTemporaryAndDie;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < std::size(kInterrupts); ++i)
    ::sigaction(kInterrupts[i], &action, &gPrevious[i]);
}

void keepOnInterrupt() {
  if (gTemporary[0] == '\0') return;
  for (size_t i = 0; i < std::size(kInterrupts); ++i)
    ::sigaction(kInterrupts[i], &gPrevious[i], nullptr);
  gTemporary[0] = '\0';
}

}  // namespace

BatchFile::BatchFile(const std::string& target, const Options& options)
    : path_(target.c_str()),
      keepGoingSave_(options.keepGoingSave),
      force_(options.force),
      writer_(target),
      joiner_(path_, [this](std::string_view piece) { put(piece); }) {
  // An interrupt that comes while the file is being made waits until the
  // handler knows its name. A writer that cannot start keeps its reason for
  // the save, which reports it if the runs still call for the file.
  sigset_t interrupts, previous;
  sigemptyset(&interrupts);
  for (int signal : kInterrupts) sigaddset(&interrupts, signal);
  ::sigprocmask(SIG_BLOCK, &interrupts, &previous);
  if (writer_.open()) removeOnInterrupt(writer_.temporaryPath());
  ::sigprocmask(SIG_SETMASK, &previous, nullptr);
}

BatchFile::~BatchFile() {
  keepOnInterrupt();
}

void BatchFile::add(const drawing::DrawingPart& part, const MacroRun* run) {
  // The same rules as the save's: a failed run, or diagnostics without --force.
  if (run && ((run->failed() && !keepGoingSave_) || (run->keptDiagnosticCount() > 0 && !force_)))
    wanted_ = false;
  if (!wanted_) {
    giveUp();
    return;
  }
  // A refused file still sees every part: which reason it gives depends on all.
  joiner_.add(part);
  if (!joiner_.accepted()) giveUp();
}

void BatchFile::put(std::string_view piece) {
  pending_.append(piece);
  if (pending_.size() >= kPieceBytes) flush();
}

bool BatchFile::flush() {
  const bool written = pending_.empty() || writer_.append(pending_);
  pending_.clear();
  return written;
}

void BatchFile::giveUp() {
  keepOnInterrupt();
  pending_.clear();
  writer_.abandon();
}

bool BatchFile::save(Nx_String& error) {
  const bool joined = joiner_.finish(error);
  const bool written = joined && wanted_ && flush() && writer_.commit();
  giveUp();  // renamed over the target, or removed now
  if (written || !joined) return written;
  error = Nx_String(writer_.error().empty() ? "Cannot write " + path_.str() : writer_.error());
  return false;
}

}  // namespace eval
