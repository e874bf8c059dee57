// Fuzz target: any bytes as a cutting-stock list file (shop, buy and parts
// lists). A read fails with a reason or gives rows that are written and read
// back unchanged.
#include <cstdint>
#include <cstdlib>

#include "core/CspListFiles.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Nx_Array<Nx_StringArray> rows, again;
  Nx_String error;
  const std::string path = fuzzFile(data, size, "Stock1.shp");
  if (!readCspListFile(path.c_str(), rows, &error)) {
    if (error.isEmpty()) std::abort();
    return 0;
  }
  const std::string copy = path + ".copy.shp";
  if (!writeCspListFile(copy.c_str(), rows, &error)) return 0;  // a cell the format cannot hold
  if (!readCspListFile(copy.c_str(), again, &error) || again.length() != rows.length())
    std::abort();
  for (int i = 0; i < rows.length(); ++i)
    if (!(again[i] == rows[i])) std::abort();
  return 0;
}
