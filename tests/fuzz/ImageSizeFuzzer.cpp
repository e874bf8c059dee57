// Fuzz target: any bytes as a picture file whose size a picture cell reads
// from its header (BMP, PNG, GIF, JPEG). A size read is a positive one.
#include <cstdint>
#include <cstdlib>

#include "spreadsheet/ImageFileSize.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int width = 0, height = 0;
  if (readImageFileSize(fuzzFile(data, size, "picture"), width, height) &&
      (width <= 0 || height <= 0))
    std::abort();
  return 0;
}
