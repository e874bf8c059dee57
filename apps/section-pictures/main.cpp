// section-pictures FOLDER: draws the small and big picture of every section
// shape number, and of an unknown shape, as BMP files into the folder (the
// sample library's icons/ through scripts/section-pictures.sh).
#include <cstdio>

#include "core/FileHelpers.h"
#include "core/sections/SectionPicture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: section-pictures FOLDER\n");
    return 2;
  }
  Nx_String folder = argv[1];
  Nx_String error;
  if (!createFolder(folder, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  Nx_StringArray errors;
  int written = writeShapePictures(folder, errors);
  for (const Nx_String& e : errors) std::fprintf(stderr, "%s\n", e.c_str());
  std::printf("%d pictures written to %s\n", written, folder.c_str());
  return errors.isEmpty() ? 0 : 1;
}
