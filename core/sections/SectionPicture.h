#pragma once
#include <cstdint>
#include <vector>

#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"
#include "core/sections/SectionShape.h"

// Pictures of section shapes as the dialogs show them: the cross-section
// filled and outlined on white, the big ones with dash-dotted centre lines,
// written as 24-bit BMP files. Drawing is deterministic, so the pictures of
// the sample library can be checked against a fresh run.

struct SectionImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // row by row from the top, 3 bytes a pixel
  std::uint8_t* pixel(int x, int y) { return &rgb[3 * (static_cast<size_t>(y) * width + x)]; }
};

inline constexpr int kSmallPictureSize = 40;
inline constexpr int kBigPictureSize = 160;

// The outline scaled into a square picture of that size.
DCM_API SectionImage drawSectionPicture(const SectionOutline& outline, int size, bool axes);
// The picture of a shape with no outline of its own: a question mark in a frame.
DCM_API SectionImage drawUnknownPicture(int size);

// The BMP file's bytes (bottom-up rows, each padded to 4 bytes).
DCM_API Nx_String encodeBmp(const SectionImage& image);

// Hatching of an outline's inside: segments of parallel lines, spacing
// apart, at 45 degrees, as pairs of points.
DCM_API std::vector<SectionPoint> hatchSegments(const SectionOutline& outline, double spacing);

// Writes "ProfSection<name>-small.bmp" and "-big.bmp" for every shape
// number 1 to 24, and "Unknown-small.bmp" and "Unknown-big.bmp", into the
// folder. Returns the number of files written; every failure is named in errors.
DCM_API int writeShapePictures(const Nx_String& folder, Nx_StringArray& errors);
