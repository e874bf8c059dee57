#pragma once
#include "core/Nx_String.h"
#include "core/dcm_export.h"

// The properties that all placements of one profile group share in the macro
// dialog.
class DCM_API MacroProfData {
 public:
  MacroProfData() = default;
  MacroProfData(const Nx_String& profileGroup, const Nx_String& memberName)
      : profileGroup(profileGroup), memberName(memberName) {}
  virtual ~MacroProfData() = default;
  MacroProfData(const MacroProfData&) = default;
  MacroProfData& operator=(const MacroProfData&) = default;
  bool operator==(const MacroProfData&) const = default;

  Nx_String profileGroup;
  Nx_String memberName;
};
