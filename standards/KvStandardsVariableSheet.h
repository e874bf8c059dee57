#pragma once
#include "mapping/KvVariableSheet.h"
#include "standards/KvStandardsSheet.h"

// The standards sheet as the mapping layer's variable sheet.
class KvStandardsVariableSheet : public KvVariableSheet {
 public:
  Nx_Spread& spread() override { return sheet_; }
  Acad::ErrorStatus loadFile(const Nx_String& name) override { return sheet_.loadFile(name); }
  Acad::ErrorStatus initVarCells() override { return sheet_.initVarCells(); }
  const KvVarCells& varCells() const override { return sheet_.varCells(); }

 private:
  KvStandardsSheet sheet_;
};
