// Fuzz target: any bytes as the core's configuration file. A read either
// changes the settings or fails with a reason and leaves them as they were.
#include <cstdint>
#include <cstdlib>

#include "core/Nx_Settings.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Nx_Settings settings;
  settings.setLibDir("/library/");
  const Nx_String before = settings.libDir;
  Nx_String error;
  if (!settings.readConfigFile(fuzzFile(data, size, "ss.conf").c_str(), &error)) {
    if (error.isEmpty() || !(settings.libDir == before)) std::abort();
  }
  return 0;
}
