// Fuzz target: any bytes as a designer template file with its background
// picture beside it. The input is the template text, then (after a NUL-framed
// mark) the bytes of the picture file. A read takes what it can and names
// every problem; the design it gives makes a template text that reads back
// to the same text; a picture is whole or not there.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "core/Nx_Settings.h"
#include "designer/Nx_DlgDesignerData.h"
#include "tests/fuzz/FuzzFile.h"

namespace {
constexpr std::string_view kPictureMark{"\0picture\0", 9};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string library = [] {
    const std::string file = fuzzFile(nullptr, 0, "lib/.keep");
    return std::filesystem::path(file).parent_path().string() + "/";
  }();
  gSettings.setLibDir(library.c_str());
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t mark = input.find(kPictureMark);
  const std::string_view text = input.substr(0, mark);
  const std::string folder = "lib/Dialog Templates/Dialog Design/Fuzz/";
  const std::string path = fuzzFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(),
                                    folder + "Design.txt");
  const std::string picture = std::filesystem::path(path).replace_extension("bmp").string();
  std::error_code ec;
  if (mark == std::string_view::npos) {
    std::filesystem::remove(picture, ec);
  } else {
    const std::string_view bytes = input.substr(mark + kPictureMark.size());
    fuzzFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
             folder + "Design.bmp");
  }

  Nx_DlgDesignerData design;
  if (!design.readFromFile(path.c_str(), true)) std::abort();  // a file under the root
  for (const Nx_String& problem : design.getReadProblems())
    if (problem.isEmpty()) std::abort();
  const Nx_DesignerPicture& shown = design.picture();
  if (shown.isLoaded()) {
    const std::size_t w = static_cast<std::size_t>(shown.width());
    const std::size_t h = static_cast<std::size_t>(shown.height());
    if (shown.pixels().size() != w * h || shown.mask().size() != (w + 7) / 8 * h) std::abort();
  } else if (design.getReadProblems().length() == 0) {
    std::abort();  // no picture, and not a word about it
  }

  const Nx_String written = design.getTemplateText();
  Nx_DlgDesignerData again;
  if (!again.setTemplateText(written) || again.getTemplateText() != written) std::abort();
  return 0;
}
