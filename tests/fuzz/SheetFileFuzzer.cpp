// Fuzz target: any bytes as a sheet file. A load either fails with a
// reason or gives a sheet that recalculates, and whose saved form loads
// back to the same saved form.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/grid/Sheet.h"
#include "platform/grid/file/SheetFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  grid::Sheet sheet;
  std::string error;
  if (!sheet.loadFromText(text, "fuzz", error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  sheet.reCalc();
  std::string saved = grid::writeSheetText(sheet.content(), false);
  grid::Sheet again;
  if (!again.loadFromText(saved, "saved", error)) std::abort();
  if (grid::writeSheetText(again.content(), false) != saved) std::abort();
  return 0;
}
