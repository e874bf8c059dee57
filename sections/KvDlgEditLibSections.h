#pragma once
#include <map>
#include <string>

#include "platform/ui/Dialog.h"
#include "sections/DlgEditLibData.h"
#include "sections/KvSectionView.h"
#include "sections/Nx_ProfValuesTable.h"
#include "spreadsheet/Nx_Spread.h"

// The section-library editor (template DLG_EDITLIBSECTIONS): the tables of
// the library's prof/ folder, the chosen one in a sheet (include flags as
// check boxes, names and values editable, sorted by a click on a column
// header), sizes added through the size editor and deleted, the table saved
// to prof/ and handed to the section-table manager; beside it the selected
// size's cross-section and its computed properties against the table's.
class KvDlgEditLibSections : public ui::Dialog {
 public:
  KvDlgEditLibSections(const DlgEditLibData& data, const Nx_String& firstTable);
  bool onInitDialog() override;
  void onOK() override;
  void onCancel() override;
  void onSize(ui::Size client) override;

  const DlgEditLibData& data() const { return data_; }
  // The shown table as the sheet holds it now.
  Nx_ProfValuesTable currentTable();
  const Nx_String& currentName() const { return current_; }
  bool openTable(const Nx_String& name);
  // Makes a size (row counted from 1) the active one and shows it.
  bool selectSize(int row);
  int selectedSize();
  bool addSize();
  bool deleteSize();
  bool saveTable();
  bool sortBy(int column);
  bool isModified(const Nx_String& name) const;
  KvSectionView& view() { return view_; }
  Nx_Spread& sizes() { return sizes_; }
  Nx_Spread& properties() { return properties_; }

 private:
  struct Entry {
    Nx_ProfValuesTable table;
    Nx_StringArray problems;
    bool modified = false;
  };
  void fillTableList();
  // Keeps what the sheet shows in the table's entry.
  void storeSheet();
  void showTable();
  void showSize(int row);
  void fillProperties(int shape, const Nx_StringArray& names, const Nx_StringArray& values);
  void status(const Nx_String& text);
  bool saveEntry(const Nx_String& name, Entry& entry);
  bool confirmDiscard();

  DlgEditLibData data_;
  Nx_String current_;
  std::map<std::string, Entry> tables_;
  Nx_Spread sizes_;
  Nx_Spread properties_;
  KvSectionView view_;
  int sortColumn_ = 0;
  bool sortDescending_ = false;
  int shownRow_ = 0;
};
