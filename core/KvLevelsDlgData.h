#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// The named levels of the model, as the levels dialog edits them. A level
// has a value relative to its reference level; its absolute value is that
// value plus the reference's absolute value. The reserved reference "wcs"
// (and any name that is no level) stands for 0.
class DCM_API KvLevelsDlgData {
 public:
  static constexpr const char* kWorldLevel = "wcs";

  KvLevelsDlgData();
  KvLevelsDlgData(const KvLevelsDlgData& other);
  KvLevelsDlgData& operator=(const KvLevelsDlgData& other);
  virtual ~KvLevelsDlgData();
  bool operator==(const KvLevelsDlgData& other) const;

  // The level names, in level order.
  void getNames(Nx_StringArray& names) const { names = names_; }
  int count() const { return names_.length(); }
  // False for an unknown index, the outputs then untouched.
  bool getLevelData(int index, Nx_String& name, Nx_String& reference, double& value,
                    double& absolute) const;
  // Sets the level's value.
  bool updateLevel(int index, double value);
  // Sets the level's reference level.
  bool updateLevel(int index, const Nx_String& reference);
  // Appends a level on "wcs" at 0; its index.
  int addLevel(const Nx_String& name);
  bool deleteLevel(int index);
  // The level's absolute value; a chain of references that comes back to a
  // level already passed ends there (counts 0).
  double absoluteValue(int index) const;

 private:
  Nx_StringArray names_;
  Nx_StringArray references_;
  Nx_StringArray values_;  // numbers as text, as the core keeps them
};
