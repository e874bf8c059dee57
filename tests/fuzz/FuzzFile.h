#pragma once
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// Readers that take a path get the fuzz input as a file of this process's
// own, rewritten for every input.
inline std::string fuzzFile(const std::uint8_t* data, std::size_t size, const std::string& name) {
  // Made on first use, removed with what is in it when the process ends.
  static const struct Folder {
    std::string path;
    Folder() {
      std::string tmpl = (std::filesystem::temp_directory_path() / "ss-fuzz-XXXXXX").string();
      if (::mkdtemp(tmpl.data())) path = tmpl;
    }
    ~Folder() {
      std::error_code ec;
      if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
  } folder;
  if (folder.path.empty()) std::abort();  // no temporary folder: nothing can be fuzzed
  std::string path = folder.path + "/" + name;
  if (name.find('/') != std::string::npos)
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(data ? size : 0));
  return path;
}

inline std::string fuzzText(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}
