#pragma once
#include <string>
#include <vector>

#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"
#include "core/sections/SectionShape.h"

// Section properties computed from an outline (millimetres in), in the units
// and under the column names of the section tables: A cm2, G kg/m (steel,
// 7850 kg/m3), Iy and Iz cm4, Wely, Welz, Wply, Wplz cm3, iy and iz cm,
// AL m2/m (the painted surface: the outer contours' perimeter). y is the
// axis parallel to the width b (the strong axis of an I section), z the one
// parallel to the height h. Formulas: docs/section-library.md.
struct SectionProperty {
  std::string name;
  double value = 0;
};

// The centre of the outline's area (mm); false when it has no area.
DCM_API bool sectionCentroid(const SectionOutline& outline, double& x, double& y);

// The properties of an outline; empty when it has no area.
DCM_API std::vector<SectionProperty> computeSectionProperties(const SectionOutline& outline);

// The properties of a row of a table of the given shape, with the ones only
// a rolled I or channel has (hi, d, Avz) added from its dimensions.
DCM_API std::vector<SectionProperty> computeShapeProperties(int shape,
                                                            const std::vector<double>& dims);

// A computed property against the table's value.
struct DCM_API SectionPropertyCheck {
  std::string name;
  int column = -1;   // position among the value columns
  double table = 0;  // the table's value
  double computed = 0;
  bool readable = false;  // the table's text is a number
  // Relative difference, |table - computed| / |computed|.
  double deviation() const;
  bool differs(double tolerance = 0.01) const { return !readable || deviation() > tolerance; }
};

// Every computed property that the table has a column for, with the row's
// value (column names and values counted from the first dimension column).
DCM_API std::vector<SectionPropertyCheck> checkSectionProperties(int shape,
                                                                 const Nx_StringArray& columnNames,
                                                                 const Nx_StringArray& values);
