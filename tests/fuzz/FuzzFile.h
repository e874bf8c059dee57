#pragma once
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

// Readers that take a path get the fuzz input as a file of this process's
// own, rewritten for every input.
inline std::string fuzzFile(const std::uint8_t* data, std::size_t size, const std::string& name) {
  static const std::string folder = [] {
    std::string tmpl = "/tmp/ss-fuzz-XXXXXX";
    return ::mkdtemp(tmpl.data()) ? tmpl : std::string("/tmp");
  }();
  std::string path = folder + "/" + name;
  if (name.find('/') != std::string::npos)
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(data ? size : 0));
  return path;
}

inline std::string fuzzText(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}
