// Fuzz target: any bytes as a drawing file. A load either fails with a
// reason or gives a drawing whose saved form loads back to the same form.
// A file cut into its macros loads exactly when each macro loads alone and
// no two share a name, and gives the same macros.
#include <cstdint>
#include <cstdlib>
#include <unordered_set>
#include <vector>

#include "core/macro/DrawingParts.h"
#include "core/macro/DrawingSlices.h"
#include "core/macro/Nx_Drawing.h"
#include "tests/fuzz/FuzzFile.h"

namespace {

// The drawing put together from its slices, each loaded alone; false when
// one does not load or two share a name (what the whole load refuses).
bool loadBySlices(const std::vector<std::string_view>& slices, std::string& joined) {
  std::vector<drawing::DrawingPart> parts;
  std::unordered_set<std::string> names;
  for (size_t i = 0; i < slices.size(); ++i) {
    Nx_Drawing one;
    Nx_String error;
    if (!drawing::loadSlice(one, slices[i], "fuzz.json", error)) return false;
    AcArray<AcDbObjectId> ids;
    one.getMacroIds(ids);
    if (ids.length() != 1) std::abort();
    parts.push_back(drawing::writePart(one, ids[0], static_cast<int>(i), "fuzz.json"));
    if (!names.insert(Nx_String(parts.back().name).lower().str()).second) return false;
  }
  Nx_String error;
  return drawing::joinParts(parts, "fuzz.json", joined, error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzzText(data, size);
  Nx_Drawing drawing;
  Nx_String error;
  const bool loads = drawing.loadText(text, "fuzz.json", error);
  if (!loads && error.isEmpty()) std::abort();

  std::vector<std::string_view> slices;
  if (drawing::sliceDrawing(text, slices)) {
    std::string joined;
    const bool sliceLoads = loadBySlices(slices, joined);
    if (sliceLoads != loads) std::abort();
    if (loads && joined != drawing.toJson()) std::abort();
  }
  if (!loads) return 0;

  // Whatever loads can be saved.
  std::string saved;
  if (!drawing.toJson(saved, error)) std::abort();
  Nx_Drawing again;
  if (!again.loadText(saved, "saved.json", error)) std::abort();
  if (again.toJson() != saved) std::abort();
  return 0;
}
