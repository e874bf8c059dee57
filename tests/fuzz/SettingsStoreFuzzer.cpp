// Fuzz target: any bytes as the registry file of the settings store. Any
// file loads; what the store writes back loads again to the same values, so
// a second write gives the same file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/base/AtomicFile.h"
#include "platform/base/NamedValueStore.h"
#include "tests/fuzz/FuzzFile.h"

namespace {
std::string contentOf(const std::string& path) {
  std::string text;
  if (!base::readWholeFile(path, text)) std::abort();
  return text;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzzFile(data, size, "registry.ini");
  auto& store = base::NamedValueStore::instance();
  store.setFile(path);
  // A name of each kind the format escapes, so the writer has work to do.
  const std::string key = "Software\\Fuzz\n[=]", name = "[Name=\\", value = "a=b\nc\\";
  if (!store.set(key, name, value)) return 0;  // the file system said no
  const std::string written = contentOf(path);
  store.setFile(path);
  if (store.get(key, name) != value) std::abort();
  if (!store.set(key, name, value) || contentOf(path) != written) std::abort();
  return 0;
}
