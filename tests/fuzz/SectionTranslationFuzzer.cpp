// Fuzz target: any bytes as a section-name translation file (a product
// section name, a tab and the exchange-format name per line). Every pair
// read has a non-empty product name without a tab.
#include <cstdint>
#include <cstdlib>

#include "core/SectionTranslation.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzzFile(data, size, "translation.txt");
  Nx_StringArray names, others;
  if (!readSectionTranslation(path.c_str(), names, others)) return 0;
  if (names.length() != others.length()) std::abort();
  for (const Nx_String& name : names)
    if (name.isEmpty() || name.find('\t') >= 0) std::abort();
  return 0;
}
