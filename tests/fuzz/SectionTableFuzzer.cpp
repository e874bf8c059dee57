// Fuzz target: any bytes as a section table of the library's prof/ folder.
// A load fails with a reason or gives a table whose every cell can be asked.
#include <cstdint>
#include <cstdlib>

#include "core/sections/Nx_SectionTableManager.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Nx_SectionTableManager manager;
  Nx_String error;
  if (!manager.loadTable(fuzzFile(data, size, "HEA.pr").c_str(), &error)) {
    if (error.isEmpty()) std::abort();
    return 0;
  }
  if (manager.tableCount() != 1) std::abort();
  const Nx_SectionTable* table = manager.table(0);
  Nx_StringArray dims;
  table->getDimensionNames(dims);
  Nx_String value;
  for (int row = 0; row < table->rows().length(); ++row)
    for (int d = 0; d <= dims.length(); ++d) table->dimension(row, d, value);
  for (int row = 0; row < table->rows().length(); ++row) {
    const Nx_StringArray& cells = table->rows()[row];
    if (cells.length() == 0) continue;
    Nx_StringArray names;
    manager.getSectionColumnNames(cells[0], names);
    manager.getSectionValue(cells[0], 0, value);
  }
  return 0;
}
