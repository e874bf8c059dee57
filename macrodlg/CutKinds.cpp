#include "macrodlg/CutKinds.h"

#include "core/macro/Nx_CutConstraint.h"

Nx_StringArray cutKindChoices() {
  Nx_StringArray names;
  for (int t = 0; t < kCutTypeCount; ++t)
    names.append(cutTypeName(static_cast<Nx_ConstraintCutType>(t)));
  return names;
}
