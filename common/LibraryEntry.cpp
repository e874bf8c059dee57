// The library's own attach: what the module sets up the moment it is
// loaded, before the host sends any application message.
#include "common/KvResourceScope.h"

namespace {
// The name under which the build registers the module's resources
// (resources/CMakeLists.txt).
constexpr const char* kResourceModule = "SS";

struct LibraryEntry {
  LibraryEntry() { moduleResourceOverride().SaveDefaultResource(kResourceModule); }
};
const LibraryEntry gLibraryEntry;
}  // namespace

KvTempResourceOverride& moduleResourceOverride() {
  static KvTempResourceOverride override;
  return override;
}
