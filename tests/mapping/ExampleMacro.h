#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "core/Nx_Settings.h"
#include "core/macro/Nx_BoltModule.h"
#include "core/macro/Nx_Drawing.h"
#include "tests/macro/MacroTestDrawing.h"

// Macro EP-1 of the example drawing, open for write, with its dialog data;
// the library is the sample library (for section values).
class ExampleMacro : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(loadExampleDrawing(drawing));
    savedLib = gSettings.libDir;
    gSettings.setLibDir((std::string(SS_SOURCE_DIR) + "/examples/library").c_str());
    tr = std::make_unique<AcTransaction>(drawing.database());
    ASSERT_EQ(tr->getObject(dbMacro, drawing.findMacro("EP-1"), AcDb::kForWrite), Acad::eOk);
    macro = dbMacro->getMacroWrite();
    dbMacro->getMacroData(data);
  }
  void TearDown() override { gSettings.libDir = savedLib; }

  Nx_Module* module(const char* name) {
    Nx_Module* m = nullptr;
    macro->findModuleWrite(name, m);
    return m;
  }
  double variable(const char* moduleName, const char* var) {
    return module(moduleName)->findConstrVar(var)->value;
  }
  MacroTabData& tab(const char* name) { return *data.getTab(data.findTab(name)); }
  Nx_BoltPattern* pattern(const char* name) {
    Nx_BoltPattern* p = nullptr;
    findPattern(asBoltModule(module("BoltsTop")), name, p, tr.get());
    return p;
  }

  Nx_Drawing drawing;
  Nx_String savedLib;
  std::unique_ptr<AcTransaction> tr;
  Nx_DbMacro* dbMacro = nullptr;
  Nx_Macro* macro = nullptr;
  MacroData data;
};
