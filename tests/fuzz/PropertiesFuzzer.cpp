// Fuzz target: any bytes as a property list (designed-dialog templates and
// other records). A read either fails with a reason or gives a list whose
// text form reads back to the same text.
#include <cstdint>
#include <cstdlib>

#include "core/Nx_PropertiesList.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Nx_PropertiesList list;
  Nx_String error;
  if (!list.fromText(Nx_String(fuzzText(data, size)), &error)) {
    if (error.isEmpty()) std::abort();
    return 0;
  }
  const Nx_String text = list.toText();
  Nx_PropertiesList again;
  if (!again.fromText(text, &error)) std::abort();
  if (again.toText() != text) std::abort();
  return 0;
}
