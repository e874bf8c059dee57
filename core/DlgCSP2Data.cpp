#include "core/DlgCSP2Data.h"

#include <algorithm>

DlgCSP2Data::DlgCSP2Data() {
  headings[kParts] = {"Profile", "Length (mm)", "Count", "Mark"};
  headings[kShop] = {"Profile", "Length (mm)", "Count"};
  headings[kBuy] = {"Profile", "Length (mm)", "Price per metre"};
}

DlgCSP2Data::DlgCSP2Data(const DlgCSP2Data& other) = default;
DlgCSP2Data& DlgCSP2Data::operator=(const DlgCSP2Data& other) = default;
DlgCSP2Data::~DlgCSP2Data() = default;

bool DlgCSP2Data::operator==(const DlgCSP2Data& other) const {
  if (restrictedMode != other.restrictedMode || groupIds.length() != other.groupIds.length() ||
      !(groupNames == other.groupNames))
    return false;
  for (int i = 0; i < groupIds.length(); ++i)
    if (groupIds[i] != other.groupIds[i]) return false;
  for (int l = 0; l < kListCount; ++l) {
    if (!(headings[l] == other.headings[l]) || rows[l].length() != other.rows[l].length() ||
        rowGroupIds[l].length() != other.rowGroupIds[l].length())
      return false;
    for (int r = 0; r < rows[l].length(); ++r)
      if (!(rows[l][r] == other.rows[l][r]) || rowGroupIds[l][r] != other.rowGroupIds[l][r])
        return false;
  }
  return true;
}

int DlgCSP2Data::groupIndex(int id) const {
  return groupIds.find(id);
}

int DlgCSP2Data::addGroup(const Nx_String& name) {
  int id = 0;
  for (int i = 0; i < groupIds.length(); ++i) id = std::max(id, groupIds[i]);
  ++id;
  groupIds.append(id);
  groupNames.append(name);
  return id;
}

bool DlgCSP2Data::removeGroup(int index) {
  if (!groupIds.isValid(index) || !groupNames.isValid(index)) return false;
  for (int l = 0; l < kListCount; ++l) removeGroupRows(l, groupIds[index]);
  groupIds.removeAt(index);
  groupNames.removeAt(index);
  return true;
}

void DlgCSP2Data::getGroupRows(int list, int id, Nx_Array<Nx_StringArray>& out) const {
  out.removeAll();
  if (list < 0 || list >= kListCount) return;
  for (int r = 0; r < rows[list].length() && r < rowGroupIds[list].length(); ++r)
    if (rowGroupIds[list][r] == id) out.append(rows[list][r]);
}

void DlgCSP2Data::setGroupRows(int list, int id, const Nx_Array<Nx_StringArray>& groupRows) {
  if (list < 0 || list >= kListCount) return;
  removeGroupRows(list, id);
  for (const Nx_StringArray& row : groupRows) {
    rows[list].append(row);
    rowGroupIds[list].append(id);
  }
}

void DlgCSP2Data::removeGroupRows(int list, int id) {
  if (list < 0 || list >= kListCount) return;
  for (int r = rows[list].length(); r-- > 0;) {
    if (r >= rowGroupIds[list].length() || rowGroupIds[list][r] != id) continue;
    rows[list].removeAt(r);
    rowGroupIds[list].removeAt(r);
  }
}
