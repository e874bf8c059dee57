// Fuzz target: any bytes as a look-up file and as a size file of the
// standards functions. Both parse without a fault; a look-up line is never
// empty.
#include <cstdint>
#include <cstdlib>

#include "standards/DataFiles.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzzText(data, size);
  Nx_StringArray lines;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.append(Nx_String(text.substr(start, end - start)));
    start = end + 1;
  }
  for (const Nx_StringArray& row : ssfunctions::parseLookupLines(lines))
    if (row.length() == 0) std::abort();
  ssfunctions::parseSizeLines(lines);
  return 0;
}
