#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/base/base_export.h"

namespace base {

// Writes a whole file through a temporary file in the same folder that is
// renamed over the target, so a failed or interrupted write leaves the
// previous file intact. A symbolic link is followed: its final target is
// replaced (keeping its permissions) and the link stays a link. Only a
// regular file is ever replaced. The file and its folder are synced, so a
// reported success survives a power loss. On failure returns false and, when
// error is given, says why (with the path).
BASE_API bool writeFileAtomically(const std::string& path, std::string_view content,
                                  std::string* error = nullptr);

// The same write, with the content given in pieces as it is made: the
// pieces go to the temporary file at once and their write-back starts while
// the next are made, so a long job that ends in a large file does not wait
// for all of it at the end. Nothing replaces the target before commit(); a
// writer destroyed without it removes its temporary file. The first failure
// is kept (error()) and ends the write: later appends and the commit fail.
class BASE_API AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Checks the target and creates the temporary file beside it.
  bool open();
  bool append(std::string_view piece);
  // Syncs the file, renames it over the target and syncs the folder.
  bool commit();
  // Removes the temporary file now; the target stays as it is.
  void abandon();
  const std::string& error() const { return error_; }
  // The temporary file while it exists, or "".
  const std::string& temporaryPath() const { return temporary_; }

 private:
  bool failed(bool ok);
  std::string path_, target_, temporary_, error_;
  int fd_ = -1;
  unsigned long long written_ = 0, flushed_ = 0;
  bool appended_ = false, broken_ = false;
};

// Files larger than this are refused by default: every file the product
// reads whole is text written by hand or by the product itself.
inline constexpr std::size_t kReadLimit = std::size_t{256} << 20;

// Reads a whole regular file of at most maxBytes; false with the reason when
// it cannot be read. Devices, pipes and folders are refused without reading
// from them, so neither /dev/zero nor a FIFO can exhaust memory or hang.
BASE_API bool readWholeFile(const std::string& path, std::string& content,
                            std::string* error = nullptr, std::size_t maxBytes = kReadLimit);

// Test hook: while set, the next writes fail after writing this many bytes of
// the temporary file (simulates a full disk). -1 switches it off.
BASE_API void setAtomicWriteFailureAfter(long long bytes);

// Test hook: the Nth file operation of the writes that follow fails with EIO
// (creating the temporary file, writing it, syncing it, closing it, renaming
// it over the target, opening and syncing the folder), counted from this
// call. 0 switches it off. With atomicWriteOperations, which counts the
// operations since the last call, a test can walk every failure point.
BASE_API void setAtomicWriteFailurePoint(long long n);
BASE_API long long atomicWriteOperations();

}  // namespace base
