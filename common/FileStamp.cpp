#include "common/FileStamp.h"

#include <sys/stat.h>

#include "core/PathHelpers.h"

namespace {
constexpr time_t kSettleSeconds = 2;
}

bool FileStamp::of(const Nx_String& path, FileStamp& stamp) {
  struct stat st {};
  if (::stat(toNativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  stamp.modified = st.st_mtim;
  stamp.size = st.st_size;
  stamp.inode = st.st_ino;
  stamp.device = st.st_dev;
  return true;
}

bool FileStamp::settled() const {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return now.tv_sec - modified.tv_sec > kSettleSeconds;
}
