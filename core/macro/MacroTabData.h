#pragma once
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/dcm_export.h"
#include "core/macro/MacroProfData.h"
#include "platform/arx/acadstrc.h"

// Bolt settings of a tab, as the dialog shows them: texts, not numbers.
class DCM_API MacroBoltData {
 public:
  MacroBoltData() = default;
  MacroBoltData(const Nx_String& diameter, const Nx_String& holeOffset)
      : diameter(diameter), holeOffset(holeOffset) {}
  virtual ~MacroBoltData() = default;
  MacroBoltData(const MacroBoltData&) = default;
  MacroBoltData& operator=(const MacroBoltData&) = default;
  bool operator==(const MacroBoltData&) const = default;

  Nx_String diameter;
  Nx_String holeOffset;
  Nx_String assembly;  // bolt assembly (bolt, nut, washers); empty when not chosen
};

// Bolt counts of one pattern as the tab edits them. The second count exists
// only for a pattern laid out in two directions.
class DCM_API MacroPatternData {
 public:
  MacroPatternData() = default;
  MacroPatternData(const Nx_String& pattern, const Nx_String& nrBolts1)
      : pattern(pattern), nrBolts1(nrBolts1) {}
  MacroPatternData(const Nx_String& pattern, const Nx_String& nrBolts1, const Nx_String& nrBolts2)
      : pattern(pattern), nrBolts1(nrBolts1), nrBolts2(nrBolts2), twoDirections(true) {}
  virtual ~MacroPatternData() = default;
  MacroPatternData(const MacroPatternData&) = default;
  MacroPatternData& operator=(const MacroPatternData&) = default;
  bool operator==(const MacroPatternData&) const = default;

  Nx_String pattern;
  Nx_String nrBolts1;
  Nx_String nrBolts2;
  bool twoDirections = false;
};

// State of the flex/fix button of one constraint variable: a fixed value is
// held as given, a flexible one is left to the macro's constraints. A tab
// that merges several modules may show both or neither.
class DCM_API MacroFlexFixData {
 public:
  MacroFlexFixData() = default;
  MacroFlexFixData(const Nx_String& variable, bool fixed, bool flex)
      : variable(variable), fixed(fixed), flex(flex) {}
  virtual ~MacroFlexFixData() = default;
  MacroFlexFixData(const MacroFlexFixData&) = default;
  MacroFlexFixData& operator=(const MacroFlexFixData&) = default;
  bool operator==(const MacroFlexFixData&) const = default;

  Nx_String variable;
  bool fixed = false;
  bool flex = true;
};

// Page kinds of a tab.
enum MacroTabKind : int {
  kTabGrid = 0,
  kTabGridBolts = 1,
  kTabProfiles = 2,
  kTabGridCuts = 3,
};

// One tab of the macro dialog: the values of one module group (or of a
// module without a group) that the dialog edits.
class DCM_API MacroTabData {
 public:
  MacroTabData() = default;
  MacroTabData(const Nx_String& name, const Nx_String& title, int kind)
      : name(name), title(title), kind(kind) {}
  virtual ~MacroTabData() = default;
  MacroTabData(const MacroTabData&) = default;
  MacroTabData& operator=(const MacroTabData&) = default;
  bool operator==(const MacroTabData& o) const;

  // Null when the tab has no bolts.
  MacroBoltData* getBoltData() { return hasBoltData ? &boltData : nullptr; }
  const MacroBoltData* getBoltData() const { return hasBoltData ? &boltData : nullptr; }
  void setBoltData(const MacroBoltData& data) {
    boltData = data;
    hasBoltData = true;
  }

  // False when the variable has no flex/fix button; otherwise its two flags.
  bool getFlexFixBtnStatus(const Nx_String& variable, bool& fixed, bool& flex) const;
  // The button was pressed into flex (true) or fix (false); false when the
  // variable has no button.
  bool flexFixBtnClicked(const Nx_String& variable, bool flex);

  // The shared properties of a profile group; false when the tab has none.
  bool getMergedPropsOfGroup(const Nx_String& profileGroup, MacroProfData& props) const;
  // Stores them back; false for a group the tab does not have.
  bool setMergedPropsOfGroup(const Nx_String& profileGroup, const MacroProfData& props);

  MacroPatternData* findPatternData(const Nx_String& pattern);

  Nx_String name;   // module group, or module name
  Nx_String title;  // shown on the tab
  int kind = kTabGrid;
  int viewDirection = 3;
  // The designed dialog shown on the tab: a template name under the
  // designer folder ("Connections/End plate"), or empty.
  Nx_String designedDialog;
  bool hasBoltData = false;
  MacroBoltData boltData;
  Nx_Array<MacroPatternData> patterns{8};
  Nx_Array<MacroFlexFixData> flexFix{8};
  Nx_Array<MacroProfData> mergedProps{8};
  // Set by MacroData::differences for a tab that did not change; not stored.
  bool unchanged = false;
};

// Reads or writes the bolt count of a pattern of the tab in one direction
// (the first when firstDirection is set). Fails for a pattern the tab does
// not list and for the second direction of a one-directional pattern.
DCM_API Acad::ErrorStatus getSetNrBolts(MacroTabData* tab, const Nx_String& pattern,
                                        Nx_String& value, bool read, bool firstDirection);
