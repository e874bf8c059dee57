#include "mapping/KvVarCells.h"

#include "common/ProfilingTimers.h"
#include "mapping/KvMacroBinding.h"

KvVarCells::KvVarCells() = default;
KvVarCells::~KvVarCells() = default;
KvVarCells::KvVarCells(const KvVarCells& other) = default;

KvVarCells& KvVarCells::operator=(const KvVarCells& other) {
  if (this == &other) return *this;
  cells_ = other.cells_;
  mapping_ = other.mapping_;
  return *this;
}

void KvVarCells::append(const KvVarCell& cell) {
  cells_.insertAt(cells_.length(), cell);
}

void KvVarCells::removeAt(int index) {
  cells_.removeAt(index);
}

void KvVarCells::resetVarCells() {
  cells_.removeAll();
}

Acad::ErrorStatus KvVarCells::getFromMacro(KvMacroBinding& data) {
  gInitMapping.start();
  Acad::ErrorStatus built = kFail;
  if (!data.moduleName.isEmpty()) {
    built = mapping_.initFromModuleGroup(data.moduleName);
  } else {
    if (!data.macro) return kFail;
    built = mapping_.initFromMacro(data);
  }
  gInitMapping.end();
  if (built != Acad::eOk) return Acad::eOk;

  gInitFromMacro.start();
  for (KvVarCell& cell : cells_) {
    if (cell.isLocal()) {
      if (cell.setNewValue(Nx_String()) != Acad::eOk) return kFail;
      continue;
    }
    if (cell.setValueFromMacro(mapping_, data) != Acad::eOk)
      data.variableFailed(cell.isInput(), cell.name);
  }
  gInitFromMacro.end();
  return Acad::eOk;
}

Acad::ErrorStatus KvVarCells::setToMacro(KvMacroBinding& data) {
  for (KvVarCell& cell : cells_)
    if (cell.isOutput()) cell.setValueToMacro(mapping_, data);
  return Acad::eOk;
}

Acad::ErrorStatus KvVarCells::getValuesFromSS(Nx_Spread& sheet) {
  for (KvVarCell& cell : cells_) {
    if (!cell.isOutput()) continue;
    Nx_String text;
    if (cell.getCurrentValue(sheet, text) != Acad::eOk) return kFail;
    cell.value = text;
  }
  return Acad::eOk;
}

Acad::ErrorStatus KvVarCells::setValuesToSS(Nx_Spread& sheet, int* failedAt) {
  for (int i = 0; i < cells_.length(); ++i) {
    if (cells_[i].setValueToSS(sheet) == Acad::eOk) continue;
    if (failedAt) *failedAt = i;
    return kFail;
  }
  return Acad::eOk;
}

bool KvVarCells::hasSameInput(const KvVarCells& other) const {
  for (const KvVarCell& cell : cells_) {
    if (!cell.isInput()) continue;
    int index = -1;
    if (other.findVarCell(cell.name, index) != Acad::eOk) return false;
    const KvVarCell& match = other[index];
    if (match.valueType != cell.valueType || !match.value.equal(cell.value, false)) return false;
  }
  return true;
}

Acad::ErrorStatus KvVarCells::findVarCell(const Nx_String& name, int& index) const {
  for (int i = 0; i < cells_.length(); ++i) {
    if (cells_[i].name.equal(name, false)) {
      index = i;
      return Acad::eOk;
    }
  }
  return kFail;
}
