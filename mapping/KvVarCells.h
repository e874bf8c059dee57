#pragma once
#include "common/ss_export.h"
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "mapping/KvSSMapping.h"
#include "mapping/KvVarCell.h"
#include "platform/arx/acadstrc.h"

class KvMacroBinding;
class Nx_Spread;

// The variable cells of one sheet, in scan order, with the mapping that
// binds them to a macro. Status results are eOk or eInvalidInput.
class SS_EXPORT KvVarCells {
 public:
  KvVarCells();
  virtual ~KvVarCells();
  KvVarCells(const KvVarCells& other);
  KvVarCells& operator=(const KvVarCells& other);

  // Builds the mapping (module-group mode when the request names a module
  // group, else from the sheet's mapping file) and fetches every Input and
  // Output value from the macro; Local values become empty. A mapping that
  // cannot be built leaves every value as it was and succeeds; a value that
  // cannot be fetched is reported (variable diagnostic) and passed over.
  // Fails without a macro when the request names no module group.
  Acad::ErrorStatus getFromMacro(KvMacroBinding& data);
  // Writes every Output value to the macro; failures are passed over.
  Acad::ErrorStatus setToMacro(KvMacroBinding& data);
  // Rereads every Output value from its cell; stops at the first cell that
  // cannot be read.
  Acad::ErrorStatus getValuesFromSS(Nx_Spread& sheet);
  // Writes every value into its cell; stops at the first that the cell
  // refuses, whose index goes to failedAt when given.
  Acad::ErrorStatus setValuesToSS(Nx_Spread& sheet, int* failedAt = nullptr);
  // Every Input cell here has a cell of the same name in other with the same
  // type and the same value text (letters without case).
  bool hasSameInput(const KvVarCells& other) const;
  // The first cell of that name (letters without case); index unchanged
  // when there is none.
  Acad::ErrorStatus findVarCell(const Nx_String& name, int& index) const;

  KvVarCell& operator[](int i) { return cells_[i]; }
  const KvVarCell& operator[](int i) const { return cells_[i]; }
  int length() const { return cells_.length(); }
  void append(const KvVarCell& cell);
  // Deletes the cell and closes the gap; a bad index prints the array's
  // error line and changes nothing.
  void removeAt(int index);
  // Deletes the cells; the mapping stays.
  void resetVarCells();

  KvSSMapping& mapping() { return mapping_; }
  const KvSSMapping& mapping() const { return mapping_; }

 private:
  Nx_Array<KvVarCell> cells_{8};
  KvSSMapping mapping_;
};
