#pragma once
#include <string>
#include <string_view>

#include "apps/ss-host/commands/EvalOptions.h"
#include "apps/ss-host/commands/EvalReport.h"
#include "core/macro/DrawingParts.h"
#include "platform/base/AtomicFile.h"

// The file an `eval --all` save writes, written while the workers run: a
// macro's part goes to the temporary file as soon as it and every macro
// before it are in, so that at the end the save only syncs and renames.
// Whether the file is written at all is decided at the end, as for any
// save; once the runs rule it out, the temporary file goes at once, and so
// it does when the batch is interrupted (Ctrl-C, a hang-up, kill).
namespace eval {

class BatchFile {
 public:
  BatchFile(const std::string& target, const Options& options);
  ~BatchFile();
  BatchFile(const BatchFile&) = delete;
  BatchFile& operator=(const BatchFile&) = delete;

  // The next macro in drawing order: the part its worker wrote, and its
  // run, if it ran.
  void add(const drawing::DrawingPart& part, const MacroRun* run);
  // The file will not be written: the temporary one goes now.
  void giveUp();

  // Ends and writes the file; false with the reason, worded as
  // Nx_Drawing::save words it.
  bool save(Nx_String& error);

 private:
  // The parts go to the file a megabyte at a time: a write for each part
  // was ten thousand system calls for a large drawing, made by the parent
  // while the workers need the processors.
  static constexpr size_t kPieceBytes = size_t{1} << 20;
  void put(std::string_view piece);
  bool flush();

  Nx_String path_;
  bool keepGoingSave_, force_;
  base::AtomicFileWriter writer_;
  drawing::PartJoiner joiner_;
  std::string pending_;
  bool wanted_ = true;
};

}  // namespace eval
