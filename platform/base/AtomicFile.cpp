#include "platform/base/AtomicFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace base {
namespace {
long long gFailAfter = -1;
long long gFailPoint = 0;
long long gOperations = 0;

// Counts one file operation; true (errno EIO) when it is the one set to fail.
bool injectedFailure() {
  ++gOperations;
  if (gFailPoint <= 0 || gOperations != gFailPoint) return false;
  errno = EIO;
  return true;
}

bool fail(std::string* error, const std::string& what, const std::string& path, int err) {
  if (error) *error = what + " " + path + ": " + std::strerror(err);
  return false;
}

bool failWhy(std::string* error, const std::string& what, const std::string& path,
             const std::string& why) {
  if (error) *error = what + " " + path + ": " + why;
  return false;
}

// Closes on every path out; release() hands the descriptor back for a checked close.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path finally names, symbolic links followed (a relative link
// target counts from the link's folder). The target need not exist yet.
bool finalTarget(const std::string& path, std::string& target, std::string* error) {
  target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::string link(PATH_MAX, '\0');
    ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
    if (n < 0) return fail(error, "Cannot follow the link", path, errno);
    if (static_cast<size_t>(n) >= link.size())
      return fail(error, "Cannot follow the link", path, ENAMETOOLONG);
    link.resize(static_cast<size_t>(n));
    if (link.front() != '/') link = folderOf(target) + "/" + link;
    target = std::move(link);
  }
  return fail(error, "Cannot follow the link", path, ELOOP);
}

bool writeAll(int fd, std::string_view content, const std::string& path, std::string* error) {
  size_t limit = content.size();
  bool injected = false;
  if (gFailAfter >= 0 && static_cast<size_t>(gFailAfter) < limit) {
    limit = static_cast<size_t>(gFailAfter);
    injected = true;
  }
  size_t done = 0;
  if (limit == 0 && injectedFailure()) return fail(error, "Cannot write", path, errno);
  while (done < limit) {
    ssize_t n = injectedFailure() ? -1 : ::write(fd, content.data() + done, limit - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(error, "Cannot write", path, errno);
    }
    done += static_cast<size_t>(n);
  }
  if (injected) return fail(error, "Cannot write", path, ENOSPC);
  return true;
}

// Makes the rename itself durable; file systems that cannot sync a folder say EINVAL.
bool syncFolder(const std::string& folder, const std::string& path, std::string* error) {
  FileDescriptor dir(
      injectedFailure() ? -1 : ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() < 0) return fail(error, "Cannot sync the folder of", path, errno);
  if ((injectedFailure() || ::fsync(dir.get()) != 0) && errno != EINVAL)
    return fail(error, "Cannot sync the folder of", path, errno);
  return true;
}

std::string describeType(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder";
  if (S_ISFIFO(mode)) return "it is a pipe, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
  if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
  return "it is not a regular file";
}
}  // namespace

void setAtomicWriteFailureAfter(long long bytes) {
  gFailAfter = bytes;
}

void setAtomicWriteFailurePoint(long long n) {
  gFailPoint = n;
  gOperations = 0;
}

long long atomicWriteOperations() {
  return gOperations;
}

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {}

AtomicFileWriter::~AtomicFileWriter() {
  abandon();
}

void AtomicFileWriter::abandon() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  if (!temporary_.empty()) ::unlink(std::exchange(temporary_, std::string()).c_str());
  broken_ = true;
}

bool AtomicFileWriter::failed(bool ok) {
  if (!ok) abandon();
  return ok;
}

bool AtomicFileWriter::open() {
  if (broken_ || fd_ >= 0) return false;
  if (!finalTarget(path_, target_, &error_)) return failed(false);
  struct stat st;
  bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode))
    return failed(failWhy(&error_, "Cannot replace", path_, describeType(st.st_mode)));
  std::string tmpl = target_ + ".tmpXXXXXX";
  fd_ = injectedFailure() ? -1 : ::mkstemp(tmpl.data());
  if (fd_ < 0) return failed(fail(&error_, "Cannot create a temporary file beside", path_, errno));
  temporary_ = tmpl;
  // The replacement keeps the permissions (and, where allowed, the owner) of the file it replaces.
  if (exists) {
    ::fchmod(fd_, st.st_mode & 07777);
    // Fails for anyone but root when the owner is someone else; the permissions still hold.
    [[maybe_unused]] int owned = ::fchown(fd_, st.st_uid, st.st_gid);
  } else {
    ::fchmod(fd_, 0644);
  }
  return true;
}

bool AtomicFileWriter::append(std::string_view piece) {
  if (broken_ || fd_ < 0) return false;
  // The simulated full disk counts the bytes of the whole file.
  const long long failAfter = gFailAfter;
  if (failAfter >= 0) gFailAfter = std::max(0LL, failAfter - static_cast<long long>(written_));
  const bool ok = writeAll(fd_, piece, path_, &error_);
  gFailAfter = failAfter;
  if (!ok) return failed(false);
  written_ += piece.size();
  appended_ = true;
  // Starts the write-back of every full stretch written, without waiting for it.
  constexpr unsigned long long kStretch = 2ULL << 20;
  if (written_ - flushed_ >= kStretch) {
    ::sync_file_range(fd_, static_cast<off_t>(flushed_), static_cast<off_t>(written_ - flushed_),
                      SYNC_FILE_RANGE_WRITE);
    flushed_ = written_;
  }
  return true;
}

bool AtomicFileWriter::commit() {
  if (broken_ || fd_ < 0) return false;
  // An empty file is written too: its one write is a failure point like any other.
  if (!appended_ && !append({})) return false;
  if (injectedFailure() || ::fsync(fd_) != 0)
    return failed(fail(&error_, "Cannot write", path_, errno));
  // A failed close still releases the descriptor; only the report differs.
  if (::close(std::exchange(fd_, -1)) != 0 || injectedFailure())
    return failed(fail(&error_, "Cannot write", path_, errno));
  if (injectedFailure() || ::rename(temporary_.c_str(), target_.c_str()) != 0)
    return failed(fail(&error_, "Cannot replace", path_, errno));
  temporary_.clear();
  broken_ = true;  // done: a second commit is refused
  return syncFolder(folderOf(target_), path_, &error_);
}

bool writeFileAtomically(const std::string& path, std::string_view content, std::string* error) {
  AtomicFileWriter writer(path);
  const bool ok = writer.open() && writer.append(content) && writer.commit();
  if (!ok && error) *error = writer.error();
  return ok;
}

bool readWholeFile(const std::string& path, std::string& content, std::string* error,
                   std::size_t maxBytes) {
  // Non-blocking, so that opening a FIFO without a writer does not wait.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return fail(error, "Cannot open", path, errno);
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) return fail(error, "Cannot read", path, errno);
  if (!S_ISREG(st.st_mode)) return failWhy(error, "Cannot read", path, describeType(st.st_mode));
  auto tooLarge = [&] {
    return failWhy(error, "Cannot read", path,
                   "it is larger than " + std::to_string(maxBytes) + " bytes");
  };
  if (static_cast<unsigned long long>(st.st_size) > maxBytes) return tooLarge();

  // The size is a hint only: files of /proc say 0, and a file may grow while read.
  std::string text;
  text.resize(std::min<size_t>(static_cast<size_t>(st.st_size), maxBytes) + 1);
  size_t done = 0;
  for (;;) {
    if (done == text.size()) {
      if (done > maxBytes) return tooLarge();
      text.resize(std::min(text.size() * 2 + 4096, maxBytes + 1));
    }
    ssize_t n = ::read(fd.get(), text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(error, "Cannot read", path, errno);
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  text.resize(done);
  content = std::move(text);
  return true;
}

}  // namespace base
