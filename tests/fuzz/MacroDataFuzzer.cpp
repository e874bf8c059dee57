// Fuzz target: any bytes as a macro's property file (the values of its
// dialog tabs as JSON). A read takes the file or fails with a reason naming
// it; the tabs it takes are no more than the file holds.
#include <cstdint>
#include <cstdlib>

#include "core/macro/MacroData.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzzFile(data, size, "Macro.json");
  MacroData macro;
  int count = -1;
  Nx_String error;
  if (!macro.readFromFile(path.c_str(), count, &error)) {
    if (!error.contains("Macro.json", true)) std::abort();
    return 0;
  }
  if (count < 0) std::abort();
  return 0;
}
