#pragma once
#include <memory>
#include <vector>

#include "core/TabMappingData.h"
#include "mapping/KvCellType.h"
#include "mapping/KvSSMapping.h"
#include "mapping/KvVariableSheet.h"
#include "platform/arx/AcArray.h"
#include "platform/ui/Dialog.h"
#include "spreadsheet/Nx_Spread.h"

// The standards page of the macro settings dialog (template
// DLG_STANDARDS_MAPPING): the sheets attached to a macro with what each
// applies to (upper sheet), and for a sheet on the whole macro the macro
// value each of its Input and Output variables stands for (lower grid).
// A changed mapping is stored in the sheet's mapping file under a new
// generated key, which becomes the entry's object name.
class KvStandardsMappingPage : public ui::Dialog {
 public:
  static constexpr const char* kEntireMacro = "<Entire macro>";
  static constexpr int kKeyLength = 24;
  static constexpr int kMaxKeyAttempts = 9999;

  // The owner sets the record and the current entry before the page is created.
  KvStandardsMappingPage();
  void setTabData(TabMappingData* data) { data_ = data; }
  void setCurrentEntry(int entry) { current_ = entry; }

  bool onInitDialog() override;
  // The settings dialog's OK: takes the list back, saves the current
  // entry's mapping; whether anything changed.
  bool apply();

  // Lower grid: false (grid emptied) without tab data or valid variables,
  // for an index outside the entries, or when the sheet cannot be read.
  bool showMapping(int entry);
  void saveMapping(int entry);
  void takeListBack();
  void fillList();
  void selectionChanged();
  void addEntry();
  void removeEntry();
  void moveEntry(bool up);

  int currentEntry() const { return current_; }
  bool isModified() const { return modified_; }
  Nx_Spread& listSheet() { return list_; }
  // Null when the standards engine is not loaded.
  Nx_Spread* mappingSheet() { return sheet_ ? &sheet_->spread() : nullptr; }
  const KvSSMapping& workingMapping() const { return working_; }
  // The grid row (from 1) of a variable, or -1.
  int rowOfVariable(const Nx_String& name) const;
  // The combo entries of a grid row.
  Nx_StringArray comboEntries(int row) const;

 private:
  // One variable row of the lower grid.
  struct RowItem {
    int col = -1;
    int row = -1;
    int cellIndex = -1;    // in the sheet's variable cells
    AcArray<int> entries;  // valid-variable indices, in combo order
  };
  void setupButtons();
  void emptyGrid();
  void addSection(KvCellType type, const char* title);
  void setupCombo(RowItem& item);
  void collectMapping();
  // The entry, moved by step (Up, Down) or inserted (Add) or removed.
  void editList(int operation);
  bool generateKey(const Nx_String& sheetName, Nx_String& key) const;

  TabMappingData* data_ = nullptr;
  int current_ = 0;
  bool modified_ = false;
  Nx_Spread list_;
  std::unique_ptr<KvVariableSheet> sheet_;
  KvSSMapping working_;
  std::vector<RowItem> rows_;
  // The entry and sheet whose mapping the grid shows; -1 none. Only that
  // entry's mapping is ever saved from the grid.
  int gridEntry_ = -1;
  Nx_String gridSheet_;
};
