#pragma once
#include <functional>
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

#include "core/macro/MacroTabData.h"
#include "platform/arx/dbid.h"

class AcTransaction;
class Nx_Macro;

// What the macro dialog edits: one tab per module group of the macro (or of
// the selected macros), with the dialog-only state of each tab. The dialog
// works on a copy and hands it back.
class DCM_API MacroData {
 public:
  MacroData() = default;
  virtual ~MacroData() = default;
  MacroData(const MacroData&) = default;
  MacroData& operator=(const MacroData&) = default;
  MacroData(MacroData&&) noexcept = default;
  MacroData& operator=(MacroData&&) noexcept = default;
  bool operator==(const MacroData& o) const;

  // Index of the tab of that name (without case), or -1.
  int findTab(const Nx_String& name) const;
  // Null for an index that names no tab.
  MacroTabData* getTab(int index) { return tabs.get(index); }
  const MacroTabData* getTab(int index) const { return tabs.get(index); }
  int tabCount() const { return tabs.length(); }

  // Remembers the view direction of a tab's object (0 to 3); false for an
  // unknown tab.
  bool changeView(const Nx_String& tabName, int direction);
  bool propListAllowed() const { return allowPropLists; }
  void getPropFiles(Nx_StringArray& files) const { files = propFiles; }

  // Writing to the macro: the macro (macroId) of the working drawing
  // (Nx_Drawing::working()) must exist. setAllToMacro stores these tabs into
  // the macro's dialog data, replacing tabs of the same name and adding new
  // ones; reApply stores the whole data. False without the macro.
  bool setAllToMacro() const;
  bool reApply() const;

  // "Load from standards": runs the macro's standards sheets, in order,
  // through the runner that the standards module installs; false without a
  // runner or when a run fails.
  using StandardsRunner = std::function<bool(MacroData& data)>;
  static void setStandardsRunner(StandardsRunner runner);
  bool loadFromStandards();

  // Property files: the tabs' values as JSON (docs/drawing-file.md). Reading
  // takes the values of the tabs this data has (by name) and ignores the
  // others; count is the number of tabs taken. Failures name the file.
  bool writeToFile(const Nx_String& path, Nx_String* error = nullptr) const;
  bool readFromFile(const Nx_String& path, int& count, Nx_String* error = nullptr);
  // Marks the tabs equal to the tab of the same name in before as
  // unchanged; the number of the others.
  int differences(const MacroData& before);
  // Drops the tabs that differences marked unchanged.
  void removeAll();

  // One tab per module group of the macro, in module order: profile pages
  // for profile-placement groups, bolt grids for bolt groups, grids
  // otherwise; flex/fix buttons for settable variables, the patterns (opened
  // through the transaction) and the profile groups with empty values.
  // Existing tabs are replaced.
  void initFromMacro(const Nx_Macro& macro, AcTransaction* tr);

  // 0 one macro, 1 a named selection (names), other values the core's kinds.
  int kind = 0;
  Nx_StringArray names;       // macro names the data covers
  Nx_StringArray groupNames;  // module groups that can be chosen
  int currentGroup = -1;      // index into groupNames, -1 none
  Nx_String openTab;          // tab to show first; empty for the first tab
  bool profileSpecialMode = false;
  int filter1 = 0;  // remembered selections of the two filter lists
  int filter2 = 0;
  bool allowPropLists = false;
  Nx_StringArray propFiles;
  AcDbObjectId macroId;  // the macro in its drawing
  Nx_Array<MacroTabData> tabs{8};
};
