#pragma once
#include "common/ss_export.h"
#include "core/Nx_String.h"
#include "mapping/KvCellType.h"
#include "mapping/KvValueType.h"
#include "platform/arx/acadstrc.h"

class KvMacroBinding;
class KvSSMapping;
class KvStandardsSheet;
class KvVarCells;
class Nx_Spread;

// One variable of a standards sheet: the cell that declares it ("Double
// Width") holds its value from then on. Values travel as text. Status
// results are eOk or eInvalidInput.
class SS_EXPORT KvVarCell {
 public:
  KvVarCell() = default;
  virtual ~KvVarCell();
  KvVarCell(const KvVarCell&) = default;
  KvVarCell& operator=(const KvVarCell&) = default;

  // Reads the cell's value text as a declaration: after leading blanks, a
  // type keyword ("Int", "Double", "String", tried in that order as plain
  // prefixes, letters without case) and, after the first blank, the name.
  // On success sets the type, name, position and cell type; value stays.
  // On failure name may hold the text read.
  Acad::ErrorStatus initialize(Nx_Spread& sheet, const int& column, const int& row,
                               const KvCellType& cellType);

  // The value through the mapping, to and from the macro.
  Acad::ErrorStatus setValueFromMacro(KvSSMapping& mapping, KvMacroBinding& data);
  Acad::ErrorStatus setValueToMacro(KvSSMapping& mapping, KvMacroBinding& data);
  // Takes the other cell's value and writes it into this cell of the sheet.
  Acad::ErrorStatus setValueFromOther(Nx_Spread& sheet, const KvVarCell& other);

  bool isInput() const { return cellType == kCellInput; }
  bool isOutput() const { return cellType == kCellOutput; }
  bool isLocal() const { return cellType == kCellLocal; }

  Nx_String name;                    // as declared
  KvCellType cellType = kCellInput;  // the section that declares it
  Nx_String value;                   // the last value exchanged, as text
  KvValueType valueType = kValueString;
  int column = 0;  // the declaring cell, counted from 1
  int row = 0;

 private:
  // The evaluation driver and the list set values directly.
  friend class KvStandardsSheet;
  friend class KvVarCells;

  Acad::ErrorStatus setNewValue(const Nx_String& text);
  // Stores the text and writes it into the cell.
  Acad::ErrorStatus setNewValue(Nx_Spread& sheet, const Nx_String& text);
  // Types the cell after valueType (whole numbers: 0 decimals, real numbers:
  // 7, text: an edit cell of 9999 characters) and sets the value into it.
  Acad::ErrorStatus setValueToSS(Nx_Spread& sheet);
  // The cell's calculated value.
  Acad::ErrorStatus getCurrentValue(Nx_Spread& sheet, Nx_String& text) const;
};

// The type that a declaration text names; false when it names none. The
// name is what follows the first blank after the keyword's text.
bool parseDeclaration(const Nx_String& text, KvValueType& type, Nx_String& name);
