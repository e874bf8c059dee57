#include "platform/base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace base {
namespace {
long long gFailAfter = -1;

bool fail(std::string* error, const std::string& what, const std::string& path, int err) {
  if (error) *error = what + " " + path + ": " + std::strerror(err);
  return false;
}
}  // namespace

void setAtomicWriteFailureAfter(long long bytes) { gFailAfter = bytes; }

bool writeFileAtomically(const std::string& path, std::string_view content, std::string* error) {
  std::string tmpl = path + ".tmpXXXXXX";
  int fd = mkstemp(tmpl.data());
  if (fd < 0) return fail(error, "Cannot create a temporary file beside", path, errno);
  // Keep the permissions of the file being replaced.
  struct stat st;
  if (stat(path.c_str(), &st) == 0) fchmod(fd, st.st_mode & 07777);
  else fchmod(fd, 0644);

  size_t limit = content.size();
  bool injected = false;
  if (gFailAfter >= 0 && static_cast<size_t>(gFailAfter) < limit) {
    limit = static_cast<size_t>(gFailAfter);
    injected = true;
  }
  size_t done = 0;
  while (done < limit) {
    ssize_t n = ::write(fd, content.data() + done, limit - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      ::unlink(tmpl.c_str());
      return fail(error, "Cannot write", path, err);
    }
    done += static_cast<size_t>(n);
  }
  if (injected) {
    ::close(fd);
    ::unlink(tmpl.c_str());
    return fail(error, "Cannot write", path, ENOSPC);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    int err = errno;
    ::unlink(tmpl.c_str());
    return fail(error, "Cannot write", path, err);
  }
  if (::rename(tmpl.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(tmpl.c_str());
    return fail(error, "Cannot replace", path, err);
  }
  return true;
}

bool readWholeFile(const std::string& path, std::string& content, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail(error, "Cannot open", path, errno ? errno : ENOENT);
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) return fail(error, "Cannot read", path, errno ? errno : EIO);
  content = std::move(ss).str();
  return true;
}

}  // namespace base
