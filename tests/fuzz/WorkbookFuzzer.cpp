// Fuzz target: any zip archive as an .xlsx or .ods workbook. A load either
// fails with a reason naming the file or gives a sheet whose saved form
// loads back to the same saved form.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/grid/file/SheetFile.h"
#include "platform/grid/file/ZipDirectory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!grid::looksLikeZip(bytes)) return 0;  // text sheets are the sheet_file target's
  grid::SheetContent content;
  std::string error;
  std::vector<std::string> warnings;
  if (!grid::readSheetText(bytes, "fuzz.xlsx", content, error, &warnings)) {
    if (error.find("fuzz.xlsx") == std::string::npos) {
      std::fprintf(stderr, "the reason does not name the file: %s\n", error.c_str());
      std::abort();
    }
    return 0;
  }
  const std::string saved = grid::writeSheetText(content, false);
  grid::SheetContent again;
  if (!grid::readSheetText(saved, "saved", again, error)) {
    std::fprintf(stderr, "the saved form does not load: %s\n%s\n", error.c_str(), saved.c_str());
    std::abort();
  }
  const std::string resaved = grid::writeSheetText(again, false);
  if (resaved != saved) {
    std::fprintf(stderr, "saved:\n%s\nsaved again:\n%s\n", saved.c_str(), resaved.c_str());
    std::abort();
  }
  return 0;
}
