#pragma once
#include <functional>
#include <vector>

#include "core/Nx_Array.h"
#include "core/Nx_StringArray.h"
#include "dialogs/KvFieldDef.h"
#include "platform/ui/Dialog.h"
#include "spreadsheet/Nx_Spread.h"

// What a table dialog shows: the records of a list, one row each with a
// column per field (template DLG_SS_STRINGARRAY), or the fields of one
// record, one row each (template DLG_FIELDSET).
struct KvTableLayout {
  enum class Layout { Records, Fields };

  Layout layout = Layout::Records;
  Nx_String caption;
  Nx_String heading;
  std::vector<KvFieldDef> fields;
  Nx_StringArray rowCaptions;  // Records: the header column; empty: row numbers
  bool rowsEditable = true;    // Records: Add, Remove, Up and Down
  bool editable = true;        // false: shown only
  int maxRows = 1000;          // Records: Add stops here
};

// The table dialog of the small record editors. It edits text rows (one per
// record, or one row of values in the fields layout) on a copy; OK checks
// every value against its field and refuses the first bad one with a
// message naming it, so that nothing unreadable reaches the record.
class KvRecordTableDlg : public ui::Dialog {
 public:
  using Rows = Nx_Array<Nx_StringArray>;

  KvRecordTableDlg(KvTableLayout def, const Rows& rows);
  bool onInitDialog() override;
  void onOK() override;

  const Rows& rows() const { return rows_; }
  const KvTableLayout& def() const { return layout_; }
  Nx_Spread& grid() { return grid_; }
  // Called with the checked rows when OK closes the dialog (modeless use).
  void setOnAccept(std::function<void(const Rows&)> accept) { accept_ = std::move(accept); }

  // Modal runs: true, and the edited rows or values, on OK.
  static bool edit(const KvTableLayout& def, Rows& rows);
  static bool edit(const KvTableLayout& def, Nx_StringArray& values);
  // The values a new record starts with.
  static Nx_StringArray defaults(const std::vector<KvFieldDef>& fields);

 private:
  bool byFields() const { return layout_.layout == KvTableLayout::Layout::Fields; }
  void fill(int activeRow);
  void fitColumns();
  void collect();
  // False, with the message shown and the bad cell made active, when a value is refused.
  bool check();
  int activeRow();
  void addRow();
  void removeRow();
  void moveRow(int by);
  void layoutRules();

  KvTableLayout layout_;
  Rows rows_;
  Nx_Spread grid_;
  std::function<void(const Rows&)> accept_;
};
