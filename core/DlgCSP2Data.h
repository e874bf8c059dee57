#pragma once
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"
#include "platform/arx/AcArray.h"

// The cutting-stock optimiser's input, per named group: the parts to cut,
// the shop's stock and the lengths that can be bought. The cutting-stock
// dialog edits a copy. All rows of one list, of every group, are held in
// one pair of parallel arrays: a row's group id and its cell texts.
class DCM_API DlgCSP2Data {
 public:
  enum List { kParts = 0, kShop = 1, kBuy = 2, kListCount = 3 };
  // Column positions of the rows (the headings say the same to the user).
  enum PartColumn { kPartProfile = 0, kPartLength, kPartCount, kPartMark };
  enum ShopColumn { kShopProfile = 0, kShopLength, kShopCount };
  enum BuyColumn { kBuyProfile = 0, kBuyLength, kBuyPrice };

  DlgCSP2Data();
  DlgCSP2Data(const DlgCSP2Data& other);
  DlgCSP2Data& operator=(const DlgCSP2Data& other);
  virtual ~DlgCSP2Data();
  bool operator==(const DlgCSP2Data& other) const;

  // The index of the group with this id in the group arrays, or -1.
  int groupIndex(int id) const;
  // Appends a group with an id one above the largest (1 for the first); its id.
  int addGroup(const Nx_String& name);
  // Removes the group at the index with its rows in every list.
  bool removeGroup(int index);
  // The group's rows of a list, in stored order.
  void getGroupRows(int list, int id, Nx_Array<Nx_StringArray>& rows) const;
  // Replaces the group's rows of a list: the old ones go, the new ones are
  // appended at the end.
  void setGroupRows(int list, int id, const Nx_Array<Nx_StringArray>& rows);
  void removeGroupRows(int list, int id);

  bool restrictedMode = false;
  AcArray<int> groupIds;
  Nx_StringArray groupNames;
  Nx_StringArray headings[kListCount];
  AcArray<int> rowGroupIds[kListCount];
  Nx_Array<Nx_StringArray> rows[kListCount];
};
