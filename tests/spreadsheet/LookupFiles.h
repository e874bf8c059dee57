#pragma once
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "spreadsheet/KvLookupTable.h"

// A folder of its own for the files of one test, removed afterwards; the
// cache of looked-up tables starts empty.
class LookupFiles {
 public:
  LookupFiles() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("ss-lookup-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
            std::to_string(getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    KvLookupTables::clear();
  }
  ~LookupFiles() {
    KvLookupTables::clear();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  // Writes the file; settled files carry a time a minute ago, as a file
  // saved before the calculation does, so the cache may keep them.
  std::string write(const std::string& name, const std::string& text, bool settled = true) const {
    std::string path = (dir_ / name).string();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
    if (settled) {
      timespec times[2];
      clock_gettime(CLOCK_REALTIME, &times[0]);
      times[0].tv_sec -= 60;
      times[1] = times[0];
      utimensat(AT_FDCWD, path.c_str(), times, 0);
    }
    return path;
  }
  std::string folder() const { return dir_.string() + "/"; }

 private:
  std::filesystem::path dir_;
};
