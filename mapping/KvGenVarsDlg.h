#pragma once
#include "core/KvAutoStandardsData.h"
#include "platform/ui/Dialog.h"
#include "spreadsheet/Nx_Spread.h"

// The general variables dialog (template DLG_GENVARS): the two tables of
// KvAutoStandardsData in two sheets, equal names merged in the first
// column, a "..." button per row that adds drawings and folders under the
// library's "Macros" folder to the row's last column. Works on a copy; OK
// reads every data column back.
class KvGenVarsDlg : public ui::Dialog {
 public:
  static constexpr const char* kSizeName = "DLG_GENVARS";
  enum Table { kFirst = 0, kSecond = 1, kTableCount = 2 };

  explicit KvGenVarsDlg(const KvAutoStandardsData& data);
  bool onInitDialog() override;
  void onOK() override;
  void onCancel() override;
  const KvAutoStandardsData& data() const { return data_; }
  Nx_Spread& sheet(int table) { return sheets_[table]; }

 private:
  // The ids and lists of one table.
  struct TableItems {
    int group, sheet, add, remove, up, down, groupText;
  };
  static const TableItems kItems[kTableCount];

  // The record's lists of a table, in column order.
  Nx_StringArray* const* columns(int table) const;
  int columnCount(int table) const;
  void setupResizeRules();
  void fillTable(int table);
  void refreshTable(int table);
  void addRow(int table);
  void removeRow(int table);
  void moveRow(int table, bool up);
  void chooseDrawings(int table);
  void readBack(int table);

  KvAutoStandardsData data_;
  Nx_Spread sheets_[kTableCount];
  Nx_StringArray* firstColumns_[3];
  Nx_StringArray* secondColumns_[4];
};
