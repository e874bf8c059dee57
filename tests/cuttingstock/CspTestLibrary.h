#pragma once
#include <string>

#include "core/DlgCSP2Data.h"
#include "core/Nx_Settings.h"
#include "platform/base/NamedValueStore.h"
#include "tests/core/TempDir.h"

// A library folder of its own for each test, made the core's library
// folder while the test runs; remembered dialog sizes go to a scratch file.
class CspTestLibrary : public TempDir {
 public:
  CspTestLibrary()
      : previous_(gSettings.libDir), previousRegistry_(base::NamedValueStore::instance().file()) {
    gSettings.setLibDir(path().c_str());
    base::NamedValueStore::instance().setFile(*this / "registry.ini");
  }
  ~CspTestLibrary() {
    gSettings.libDir = previous_;
    base::NamedValueStore::instance().setFile(previousRegistry_);
  }
  std::string group(const std::string& name) const { return *this / ("Cutting Stock/" + name); }

 private:
  Nx_String previous_;
  std::string previousRegistry_;
};

// Two groups with rows in every list; Beams has id 4, Columns id 9.
inline DlgCSP2Data sampleLists() {
  DlgCSP2Data d;
  d.groupIds = {4, 9};
  d.groupNames = {"Beams", "Columns"};
  d.rowGroupIds[DlgCSP2Data::kParts] = {4, 9, 4};
  d.rows[DlgCSP2Data::kParts].append(Nx_StringArray{"HEA200", "2900", "4", "B1"});
  d.rows[DlgCSP2Data::kParts].append(Nx_StringArray{"HEB300", "3600", "2", "C1"});
  d.rows[DlgCSP2Data::kParts].append(Nx_StringArray{"HEA200", "1450", "6", "B2"});
  d.rowGroupIds[DlgCSP2Data::kShop] = {4};
  d.rows[DlgCSP2Data::kShop].append(Nx_StringArray{"HEA200", "12000", "2"});
  d.rowGroupIds[DlgCSP2Data::kBuy] = {9};
  d.rows[DlgCSP2Data::kBuy].append(Nx_StringArray{"HEB300", "12000", "61.5"});
  return d;
}
