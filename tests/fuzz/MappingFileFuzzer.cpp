// Fuzz target: any bytes as a standards sheet's mapping file. The first
// sixteen keys the file names each read as a mapping or are refused.
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "core/Nx_Settings.h"
#include "mapping/KvSSMapping.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string library = [] {
    std::string file = fuzzFile(nullptr, 0, "Connection Standards/.keep");
    return std::filesystem::path(file).parent_path().parent_path().string() + "/";
  }();
  gSettings.setLibDir(library.c_str());
  fuzzFile(data, size, "Connection Standards/Fuzz.map");
  const std::string text = fuzzText(data, size);
  // The keys are what stands before "=" at the start of a line. Each lookup
  // reads the whole file again, so trying every key of a long input took
  // time in the square of its length; sixteen reach any line the mutations
  // move to the front.
  int keys = 0;
  for (size_t start = 0; start < text.size() && start < 4096 && keys < 16;) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    size_t eq = text.find('=', start);
    if (eq != std::string::npos && eq < end) {
      ++keys;
      KvSSMapping mapping;
      const Nx_String key(text.substr(start, eq - start));
      mapping.getMappingFromFile("Fuzz", key);
    }
    start = end + 1;
  }
  return 0;
}
