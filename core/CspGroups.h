#pragma once
#include <vector>

#include "core/DlgCSP2Data.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// Groups of cutting-stock lists as the stand-in keeps them on disk: a folder
// per group holding parts ("cut"), shop-stock ("shp") and purchase ("buy")
// list files; the newest file of each kind is the group's list.
struct DCM_API CspGroupFiles {
  Nx_String name;
  Nx_String files[DlgCSP2Data::kListCount];  // per list; empty when there is none
};

DCM_API const char* cspListExtension(int list);

// The group of a folder, named after it; false when it holds no list file.
DCM_API bool cspGroupOfFolder(const Nx_String& folder, CspGroupFiles& group);
// The groups of the folder's sub-folders, in name order.
DCM_API int cspGroupsUnder(const Nx_String& folder, std::vector<CspGroupFiles>& groups);
// Appends the group to the record with the rows of its files; a file that
// cannot be read adds a fault and no rows.
DCM_API int addCspGroup(const CspGroupFiles& group, DlgCSP2Data& data, Nx_StringArray& faults);
