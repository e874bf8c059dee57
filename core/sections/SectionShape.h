#pragma once
#include <string>
#include <vector>

#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// The cross-sections of the built-in parametric section shapes (numbers 1
// to 24, docs/section-library.md), as closed polygons in millimetres: x runs
// along the width b, y along the height h. Fillets and round parts are
// approximated by short chords, fine enough that areas and second moments
// stay well within 0.1% of the exact ones; the same outline serves the
// computed properties, the editor's drawing and the icon pictures.

struct SectionPoint {
  double x = 0;
  double y = 0;
};

struct SectionContour {
  std::vector<SectionPoint> points;
  bool hole = false;  // cut out of the contour that encloses it
};

struct DCM_API SectionOutline {
  std::vector<SectionContour> contours;
  bool isEmpty() const { return contours.empty(); }
  // Bounding box; all zero for an empty outline.
  void bounds(double& minX, double& minY, double& maxX, double& maxY) const;
};

// What a shape number's outline is built as.
enum class SectionKind {
  Unknown,
  RolledI,     // 1, 6 (welded: no root radius), 17 (cut I: a tee)
  Angle,       // 2, 3, 23
  Channel,     // 4, 7
  Tee,         // 5, 17
  Plate,       // 8
  RoundBar,    // 9
  RectTube,    // 10
  RoundTube,   // 11
  ThinWalled,  // 12, 13, 14, 18 to 22: cold-formed, drawn from the wall's centre line
  OvalTube,    // 15
  SquareBar,   // 16
  DoubleAngle  // 24
};

DCM_API SectionKind sectionKind(int shape);

// The shape's name in its picture files ("I" for 1, "CuttedI" for 17), ""
// for a number that is no shape.
DCM_API const char* sectionShapeName(int shape);

// The dimension names a shape is built from, in the order of its table
// columns ("h", "b", "tw", "tf", "r" for shape 1); empty for other numbers.
DCM_API const std::vector<std::string>& shapeDimensionNames(int shape);

// The shape's dimensions taken from a table row: each name of
// shapeDimensionNames is looked for among the column names (without case,
// "t" standing in for "tw" and the reverse, "d" for "h"); when none of them
// is found, the values are taken by position. Missing or unreadable values
// are 0. Returns the dimensions in the order of shapeDimensionNames.
DCM_API std::vector<double> shapeDimensions(int shape, const Nx_StringArray& columnNames,
                                            const Nx_StringArray& values);

// Typical proportions of a shape, for its picture.
DCM_API std::vector<double> typicalDimensions(int shape);

// The outline of the shape with the given dimensions (in the order of
// shapeDimensionNames); empty when the shape is unknown or the dimensions
// cannot form it (a wall thicker than half the section, a value not above 0).
DCM_API SectionOutline sectionOutline(int shape, const std::vector<double>& dims);
