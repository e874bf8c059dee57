// Fuzz target: any bytes as the lines of a row file (section tables, list
// files). A line either fails with a reason or gives a row whose written
// line reads back to the same row; the whole file reads the same way.
#include <cstdint>
#include <cstdlib>

#include "core/RowFile.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzzText(data, size);
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    Nx_StringArray row, again;
    Nx_String reason;
    if (lineToRow(Nx_String(text.substr(start, end - start)), row, &reason)) {
      if (!lineToRow(rowToLine(row), again) || !(again == row)) std::abort();
    } else if (reason.isEmpty()) {
      std::abort();
    }
    start = end + 1;
  }
  Nx_String table, error;
  Nx_Array<Nx_StringArray> rows;
  if (!readFile(fuzzFile(data, size, "table.pr").c_str(), table, rows, &error) && error.isEmpty())
    std::abort();
  return 0;
}
