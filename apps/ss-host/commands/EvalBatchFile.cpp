#include "apps/ss-host/commands/EvalBatchFile.h"

namespace eval {

BatchFile::BatchFile(Nx_Drawing& drawing, const std::string& target, const Options& options)
    : drawing_(drawing),
      path_(target.c_str()),
      keepGoingSave_(options.keepGoingSave),
      force_(options.force),
      writer_(target),
      joiner_(path_, [this](std::string_view piece) { writer_.append(piece); }) {
  drawing_.getMacroIds(ids_);
  // A writer that cannot start keeps its reason for the save, which reports it
  // if the runs still call for the file.
  writer_.open();
}

void BatchFile::add(std::optional<drawing::DrawingPart> part, const MacroRun* run) {
  const int index = next_++;
  // The same rules as the save's: a failed run, or diagnostics without --force.
  if (run && ((run->failed() && !keepGoingSave_) ||
              (!run->failed() && run->diagnosticCount() > 0 && !force_)))
    wanted_ = false;
  if (!wanted_) {
    writer_.abandon();
    return;
  }
  // A refused file still sees every part: which reason it gives depends on all.
  if (!part) part = drawing::writePart(drawing_, ids_[index], index, path_);
  joiner_.add(*part);
  if (!joiner_.accepted()) writer_.abandon();
}

bool BatchFile::save(Nx_String& error) {
  if (!joiner_.finish(error)) {
    writer_.abandon();
    return false;
  }
  if (wanted_ && writer_.commit()) return true;
  error = Nx_String(writer_.error().empty() ? "Cannot write " + path_.str() : writer_.error());
  return false;
}

}  // namespace eval
