#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "platform/ui/Dialog.h"

// The editor of the section-name translation table (template DLG_SECTIONTRANSLATION): one row
// per product section name with its CIS/2 name. The row selected in the list
// is edited in the two fields below it. Installed as the core's editor
// (setSectionTranslationEditor) when the module loads.
class KvSectionTranslationDlg : public ui::Dialog {
 public:
  KvSectionTranslationDlg(Nx_String title, Nx_String heading, const Nx_StringArray& names,
                          const Nx_StringArray& cis2Names);
  bool onInitDialog() override;
  const Nx_StringArray& names() const { return names_; }
  const Nx_StringArray& cis2Names() const { return cis2_; }

  static bool edit(const Nx_String& title, const Nx_String& heading, Nx_StringArray& names,
                   Nx_StringArray& cis2Names);

 private:
  static Nx_String rowText(const Nx_String& name, const Nx_String& cis2);
  void fillList(int select);
  void showRow();
  void rowEdited();
  void addRow();
  void deleteRow();

  Nx_String title_, heading_;
  Nx_StringArray names_, cis2_;
  bool showing_ = false;
};
