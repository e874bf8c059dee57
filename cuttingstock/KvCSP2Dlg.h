#pragma once
#include <array>

#include "core/DlgCSP2Data.h"
#include "platform/ui/Dialog.h"
#include "resources/dialogs/DLG_OPTIMIZECSP2.h"
#include "spreadsheet/Nx_Spread.h"

// The cutting-stock lists dialog (template 8122, "DLG_OPTIMIZECSP2"): a
// group list above three grids side by side, the parts to cut, the shop's
// stock (shp files) and the purchasable lengths (buy files). The grids show
// the current group's rows of a copy of the record; they go back into the
// copy when the group changes, before a file command, the action button
// and OK.
class KvCSP2Dlg : public ui::Dialog {
 public:
  // The template's named ids, under the names the controller and its tests use.
  enum Id {
    kTemplate = dlg_optimizecsp2::kTemplateId,
    kGroupLabel = dlg_optimizecsp2::IDC_GROUP_CAPTION,
    kGroupList = dlg_optimizecsp2::IDC_GROUP_LIST,
    kGroupFrame = dlg_optimizecsp2::IDC_GROUP_FRAME,
    kNewGroup = dlg_optimizecsp2::IDC_NEW_GROUP,
    kDeleteGroup = dlg_optimizecsp2::IDC_DELETE_GROUP,
    kPartsFrame = dlg_optimizecsp2::IDC_PARTS_FRAME,
    kPartsGrid = dlg_optimizecsp2::IDC_PARTS_GRID,
    kPartsInsert = dlg_optimizecsp2::IDC_PARTS_INSERT,
    kPartsDelete = dlg_optimizecsp2::IDC_PARTS_DELETE,
    kShopFrame = dlg_optimizecsp2::IDC_SHOP_FRAME,
    kShopGrid = dlg_optimizecsp2::IDC_SHOP_GRID,
    kShopInsert = dlg_optimizecsp2::IDC_SHOP_INSERT,
    kShopDelete = dlg_optimizecsp2::IDC_SHOP_DELETE,
    kShopOpen = dlg_optimizecsp2::IDC_SHOP_OPEN,
    kShopSave = dlg_optimizecsp2::IDC_SHOP_SAVE,
    kBuyFrame = dlg_optimizecsp2::IDC_BUY_FRAME,
    kBuyGrid = dlg_optimizecsp2::IDC_BUY_GRID,
    kBuyInsert = dlg_optimizecsp2::IDC_BUY_INSERT,
    kBuyDelete = dlg_optimizecsp2::IDC_BUY_DELETE,
    kBuyOpen = dlg_optimizecsp2::IDC_BUY_OPEN,
    kBuySave = dlg_optimizecsp2::IDC_BUY_SAVE,
    kAction = dlg_optimizecsp2::IDC_LOAD_ALL,
    kAskNames = dlg_optimizecsp2::IDC_ASK_NAMES,
  };
  static constexpr const char* kSizeName = dlg_optimizecsp2::kTemplateName;

  explicit KvCSP2Dlg(const DlgCSP2Data& data);
  bool onInitDialog() override;
  void onOK() override;
  void onCancel() override;
  void onSize(ui::Size client) override;

  const DlgCSP2Data& data() const { return data_; }
  // The id of the group the grids show, -1 for none.
  int currentGroup() const { return current_; }
  Nx_Spread& grid(int list) { return grids_[static_cast<size_t>(list)]; }

 private:
  // The controls of one list's column, in the record's list order.
  struct Column {
    int frame, grid, insert, remove, open, save;
    int frameText;          // dialog string of the frame, also the file type's name
    const char* extension;  // null for the parts, which have no files
  };
  static const Column kColumns[DlgCSP2Data::kListCount];

  void setCaptions();
  void fillGroupList(int select);
  void groupChanged();
  void showGroup(int id);
  void showRows(int list, int id);
  void fitColumns(int list);
  void storeGrids(int id);
  void newGroup();
  void deleteGroup();
  void insertRow(int list);
  void deleteRow(int list);
  void openFile(int list);
  bool saveFile(int list, int groupIndex, bool silently);
  void loadNewestOfAllGroups();
  void saveShopOfAllGroups();
  // The rows of a list file as they go into the grid, bad lines shown to the user.
  bool readListFile(int list, const Nx_String& path, Nx_Array<Nx_StringArray>& rows,
                    Nx_StringArray* faults);
  void placeColumns(ui::Size client);

  DlgCSP2Data data_;
  std::array<Nx_Spread, DlgCSP2Data::kListCount> grids_;
  int current_ = -1;
  bool initialised_ = false;  // the layout rules are recorded
  // The columns split the width evenly from the template's layout on.
  ui::Size laidOutFor_;
  std::vector<std::pair<int, ui::Rect>> columnRects_;
};
