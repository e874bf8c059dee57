// Fuzz target: any bytes as a drawing file. A load either fails with a
// reason or gives a drawing whose saved form loads back to the same form.
#include <cstdint>
#include <cstdlib>

#include "core/macro/Nx_Drawing.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Nx_Drawing drawing;
  Nx_String error;
  if (!drawing.loadText(fuzzText(data, size), "fuzz.json", error)) {
    if (error.isEmpty()) std::abort();
    return 0;
  }
  // Whatever loads can be saved.
  std::string saved;
  if (!drawing.toJson(saved, error)) std::abort();
  Nx_Drawing again;
  if (!again.loadText(saved, "saved.json", error)) std::abort();
  if (again.toJson() != saved) std::abort();
  return 0;
}
