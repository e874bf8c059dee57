#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/base/AtomicFile.h"

// Runs a write under every failure point of the file operations in turn and
// checks what a user would be left with: every file it writes is on disk as
// the old one or the new one, byte for byte (or still absent when it was),
// nothing else is left in their folders, and every failed write said so.
// Returns the number of failure points walked.
class FailureWalk {
 public:
  struct File {
    std::filesystem::path path;
    std::optional<std::string> old;  // none: the file does not exist before the write
  };

  // `write` writes the new content of the files and returns false when it failed.
  FailureWalk(std::vector<File> files, std::function<bool()> write)
      : files_(std::move(files)), write_(std::move(write)) {}
  FailureWalk(std::filesystem::path file, std::string oldContent, std::function<bool()> write)
      : FailureWalk({{std::move(file), std::move(oldContent)}}, std::move(write)) {}

  // Runs before each write, with no failure set: what the write needs made
  // afresh that is no part of what is walked.
  FailureWalk& prepare(std::function<void()> step) {
    prepare_ = std::move(step);
    return *this;
  }

  int run() {
    restore();
    if (prepare_) prepare_();
    const std::set<std::filesystem::path> before = entries();
    EXPECT_TRUE(write_()) << "a write without failures fails";
    std::vector<std::optional<std::string>> fresh;
    for (const File& f : files_) {
      fresh.push_back(read(f.path));
      EXPECT_NE(fresh.back(), f.old) << "the write does not change " << f.path;
    }
    int points = 0;
    for (long long n = 1;; ++n) {
      restore();
      if (prepare_) prepare_();
      base::setAtomicWriteFailurePoint(n);
      const bool ok = write_();
      const long long operations = base::atomicWriteOperations();
      base::setAtomicWriteFailurePoint(0);
      if (operations < n) {  // the point lies past the last operation: a clean write
        EXPECT_TRUE(ok);
        for (size_t i = 0; i < files_.size(); ++i) EXPECT_EQ(read(files_[i].path), fresh[i]);
        break;
      }
      ++points;
      EXPECT_FALSE(ok) << "failure at operation " << n << " reported as success";
      for (size_t i = 0; i < files_.size(); ++i) {
        const std::optional<std::string> now = read(files_[i].path);
        EXPECT_TRUE(now == files_[i].old || now == fresh[i])
            << "failure at operation " << n << " left " << files_[i].path << " with "
            << (now ? now->size() : 0) << " bytes";
      }
      for (const std::filesystem::path& entry : entries())
        EXPECT_TRUE(before.count(entry) || isWritten(entry))
            << "failure at operation " << n << " left " << entry;
    }
    return points;
  }

 private:
  void restore() const {
    base::setAtomicWriteFailurePoint(0);
    for (const File& f : files_) {
      if (f.old)
        std::ofstream(f.path, std::ios::binary | std::ios::trunc) << *f.old;
      else
        std::filesystem::remove(f.path);
    }
  }
  static std::optional<std::string> read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  bool isWritten(const std::filesystem::path& entry) const {
    for (const File& f : files_)
      if (f.path == entry) return true;
    return false;
  }
  // What the folders of the files hold.
  std::set<std::filesystem::path> entries() const {
    std::set<std::filesystem::path> all;
    for (const File& f : files_)
      for (const auto& entry : std::filesystem::directory_iterator(f.path.parent_path()))
        all.insert(entry.path());
    return all;
  }

  std::vector<File> files_;
  std::function<bool()> write_;
  std::function<void()> prepare_;
};

// Prints the number of failure points a write was walked through (the
// figure docs/reliability.md quotes) and passes it on.
inline int walked(const char* write, int points) {
  std::printf("[ failure points ] %-36s %3d\n", write, points);
  return points;
}
