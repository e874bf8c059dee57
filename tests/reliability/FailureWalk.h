#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "platform/base/AtomicFile.h"

// Runs a write under every failure point of the file operations in turn and
// checks what a user would be left with: the file on disk is the old one or
// the new one, byte for byte, nothing else is left in its folder, and every
// failed write said so. Returns the number of failure points walked.
class FailureWalk {
 public:
  // `write` writes the new content of `file` and returns false when it failed.
  FailureWalk(std::filesystem::path file, std::string oldContent, std::function<bool()> write)
      : file_(std::move(file)), old_(std::move(oldContent)), write_(std::move(write)) {}

  int run() {
    restore();
    EXPECT_TRUE(write_()) << "a write without failures fails";
    const std::string fresh = read();
    EXPECT_NE(fresh, old_) << "the write does not change " << file_;
    int points = 0;
    for (long long n = 1;; ++n) {
      restore();
      base::setAtomicWriteFailurePoint(n);
      const bool ok = write_();
      const long long operations = base::atomicWriteOperations();
      base::setAtomicWriteFailurePoint(0);
      const std::string now = read();
      if (operations < n) {  // the point lies past the last operation: a clean write
        EXPECT_TRUE(ok);
        EXPECT_EQ(now, fresh);
        break;
      }
      ++points;
      EXPECT_FALSE(ok) << "failure at operation " << n << " reported as success";
      EXPECT_TRUE(now == old_ || now == fresh)
          << "failure at operation " << n << " left " << now.size() << " bytes";
      for (const auto& entry : std::filesystem::directory_iterator(file_.parent_path()))
        EXPECT_EQ(entry.path(), file_) << "failure at operation " << n << " left " << entry.path();
    }
    return points;
  }

 private:
  void restore() const {
    base::setAtomicWriteFailurePoint(0);
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << old_;
  }
  std::string read() const {
    std::ifstream in(file_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path file_;
  std::string old_;
  std::function<bool()> write_;
};
