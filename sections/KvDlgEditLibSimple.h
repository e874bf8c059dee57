#pragma once
#include "platform/arx/AcArray.h"
#include "platform/ui/Dialog.h"
#include "sections/Nx_ProfValuesTable.h"

// The section size editor (template DLG_EDITLIBSIMPLE): shows a size of a
// table, lets the user change its values and name, and inserts the new size
// at its sorted place in the dialog's copy of the table on OK.
class KvDlgEditLibSimple : public ui::Dialog {
 public:
  static constexpr int kValueFields = 11;

  KvDlgEditLibSimple(const Nx_ProfValuesTable& table, const Nx_String& startName);
  bool onInitDialog() override;
  void onOK() override;
  void onCancel() override;

  const Nx_ProfValuesTable& table() const { return table_; }
  // Position of the new row among the included rows, -1 without one.
  int resultIndex() const { return resultIndex_; }
  // Position of the new row in the table, -1 without one.
  int insertedRow() const { return insertedRow_; }
  const AcArray<int>& namePattern() const { return pattern_; }

 private:
  void setLabels();
  void fillFields();
  void rebuildName();
  // The new size from the fields; false when the start row cannot hold it.
  bool buildRow(Nx_StringArray& row, Nx_String& sysName);
  bool checkShape10(const Nx_StringArray& row);
  // True when a size has the name as its system name or a display name.
  bool nameInUse(const Nx_String& name) const;
  Nx_StringArray fieldValues() const;
  bool autoName() const;

  Nx_ProfValuesTable table_;
  Nx_String startName_;
  int resultIndex_ = -1;
  int insertedRow_ = -1;
  int startRow_ = 0;
  Nx_StringArray prefixes_;  // per language column: display name before its first digit
  int languageIndex_ = 0;
  AcArray<int> pattern_;
};
