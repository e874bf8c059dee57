// Fuzz target: any bytes as a dialog template (resources/dialogs/*.json).
// A parse succeeds or fails with a reason naming the source.
#include <cstdint>
#include <cstdlib>

#include "platform/ui/DialogTemplate.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ui::DialogTemplate dialog;
  std::string error;
  if (!ui::parseDialogTemplate(fuzzText(data, size), "fuzz.json", dialog, error) &&
      error.find("fuzz.json") == std::string::npos)
    std::abort();
  return 0;
}
