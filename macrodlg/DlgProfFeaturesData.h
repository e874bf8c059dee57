#pragma once
#include "common/ss_export.h"
#include "core/Nx_Array.h"
#include "core/Nx_String.h"

// Record of the profile features dialog: holes, slots and markings on one
// profile. The core module fills it, the dialog edits a copy and hands it
// back on OK.
class SS_EXPORT DlgProfFeaturesData {
 public:
  enum Kind : int { kHole = 0, kSlot = 1, kMarking = 2 };
  enum Face : int { kWeb = 0, kTopFlange = 1, kBottomFlange = 2 };
  struct Feature {
    int kind = kHole;
    int face = kWeb;
    double x = 0;       // along the profile from its start, mm
    double y = 0;       // across the face from its centre line, mm
    double size = 22;   // hole diameter, slot width or marking height, mm
    double length = 0;  // slots: the length beyond the width, mm
    bool operator==(const Feature&) const = default;
  };

  DlgProfFeaturesData();
  DlgProfFeaturesData(const DlgProfFeaturesData& other);
  DlgProfFeaturesData& operator=(const DlgProfFeaturesData& other);
  virtual ~DlgProfFeaturesData();
  bool operator==(const DlgProfFeaturesData& other) const;

  Nx_String profileName;  // shown in the heading
  Nx_Array<Feature> features;
};
