#include "core/CspGroups.h"

#include <algorithm>
#include <filesystem>

#include "core/CspListFiles.h"
#include "core/PathHelpers.h"

namespace fs = std::filesystem;

const char* cspListExtension(int list) {
  switch (list) {
    case DlgCSP2Data::kParts:
      return kCspPartsExtension;
    case DlgCSP2Data::kShop:
      return kCspShopExtension;
    default:
      return kCspBuyExtension;
  }
}

bool cspGroupOfFolder(const Nx_String& folder, CspGroupFiles& group) {
  Nx_String path = ensureEndSlash(toNativePath(folder));
  group = {};
  group.name = getFileName(path.left(path.length() - 1));
  bool any = false;
  for (int list = 0; list < DlgCSP2Data::kListCount; ++list)
    any = newestCspFile(path, cspListExtension(list), group.files[list]) || any;
  return any;
}

int cspGroupsUnder(const Nx_String& folder, std::vector<CspGroupFiles>& groups) {
  std::vector<std::string> folders;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(toNativePath(folder).str(), ec))
    if (entry.is_directory(ec)) folders.push_back(entry.path().string());
  std::sort(folders.begin(), folders.end());
  int added = 0;
  for (const std::string& f : folders) {
    CspGroupFiles group;
    if (!cspGroupOfFolder(f.c_str(), group)) continue;
    groups.push_back(group);
    ++added;
  }
  return added;
}

int addCspGroup(const CspGroupFiles& group, DlgCSP2Data& data, Nx_StringArray& faults) {
  int id = data.addGroup(group.name);
  for (int list = 0; list < DlgCSP2Data::kListCount; ++list) {
    if (group.files[list].isEmpty()) continue;
    Nx_Array<Nx_StringArray> rows;
    Nx_String error;
    if (!readCspListFile(group.files[list], rows, &error)) faults.append(error);
    data.setGroupRows(list, id, rows);
  }
  return id;
}
