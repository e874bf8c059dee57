#pragma once
#include <sys/types.h>
#include <time.h>

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <utility>

#include "core/Nx_String.h"

// What tells a file's versions apart: a file counts as changed when any of
// these differs. The inode catches a file replaced by an atomic write within
// the clock's resolution.
struct FileStamp {
  timespec modified{};
  off_t size = 0;
  ino_t inode = 0;
  dev_t device = 0;

  // False for a path that is no regular file.
  static bool of(const Nx_String& path, FileStamp& stamp);
  // A file written less than two seconds ago may change again within the
  // resolution of file times without its stamp changing, so what was read
  // of it is not trusted yet.
  bool settled() const;

  bool operator==(const FileStamp& o) const {
    return modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
           size == o.size && inode == o.inode && device == o.device;
  }
};

// What was made of files (parsed lines, loaded sheets), kept by path and made
// again only when the file's stamp changes or while the file is unsettled.
// Bounded, so that ever new file names cannot grow it without end.
template <class T>
class StampedFileCache {
 public:
  explicit StampedFileCache(std::size_t maxFiles = 256) : maxFiles_(maxFiles) {}

  // The entry of path for its current stamp, made with make(path) when there
  // is none; make answers null when the file cannot be read, and the old
  // entry is then dropped. The caller stamps the file before calling, so a
  // file changed while it is read is read again next time.
  template <class Make>
  std::shared_ptr<T> get(const Nx_String& path, const FileStamp& stamp, Make&& make) {
    auto it = entries_.find(path);
    if (it != entries_.end() && it->second.stamp == stamp && it->second.settled)
      return it->second.value;
    std::shared_ptr<T> value = make(path);
    if (!value) {
      if (it != entries_.end()) entries_.erase(it);
      return nullptr;
    }
    if (entries_.size() >= maxFiles_ && it == entries_.end()) entries_.clear();
    entries_[path] = Entry{stamp, stamp.settled(), value};
    return value;
  }

  void clear() { entries_.clear(); }
  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    FileStamp stamp;
    bool settled = false;
    std::shared_ptr<T> value;
  };
  std::size_t maxFiles_;
  std::unordered_map<Nx_String, Entry> entries_;
};
