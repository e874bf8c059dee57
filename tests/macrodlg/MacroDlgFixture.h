#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/Nx_Settings.h"
#include "core/macro/ClashCheck.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "macrodlg/KvMacroDlg.h"
#include "platform/arx/acutil.h"
#include "platform/base/NamedValueStore.h"
#include "platform/ui/TabControl.h"
#include "platform/ui/testing/GTestScript.h"
#include "tests/host/ModuleTestResources.h"

// The sample drawing as the working drawing, and macro dialogs opened on its
// macros (modeless, owned by the test).
class MacroDlgFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    registerModuleTemplates();
    gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
    folder = std::filesystem::temp_directory_path() /
             ("macrodlg-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    base::NamedValueStore::instance().setFile((folder / "registry.ini").string());
    Nx_String error;
    ASSERT_TRUE(drawing.load(gSettings.libDir + "Macros/Connections.json", error)) << error.str();
    Nx_Drawing::setWorking(&drawing);
    clearClashCalls();
  }
  void TearDown() override {
    if (dlg && dlg->isCreated()) dlg->destroyWindow();
    dlg.reset();
    Nx_Drawing::setWorking(nullptr);
    std::filesystem::remove_all(folder);
  }

  // The macro's stored dialog data, its tabs made from the macro when it has none.
  MacroData dataOf(const char* macroName) {
    MacroData data;
    AcTransaction tr(drawing.database());
    Nx_DbMacro* macro = nullptr;
    EXPECT_EQ(tr.getObject(macro, drawing.findMacro(macroName), AcDb::kForRead), Acad::eOk);
    if (!macro) return data;
    macro->getMacroData(data);
    if (data.tabCount() == 0) data.initFromMacro(*macro->getMacro(), &tr);
    return data;
  }
  KvMacroDlg& open(const MacroData& data) {
    dlg = std::make_unique<KvMacroDlg>(data);
    EXPECT_TRUE(dlg->create(nullptr));
    return *dlg;
  }
  KvMacroDlg& open(const char* macroName) { return open(dataOf(macroName)); }
  ui::TabControl& tabs() { return *dlg->itemAs<ui::TabControl>(dlg_macro::IDC_TABS); }
  // A constraint variable of the macro in the drawing.
  double variable(const char* macroName, const char* module, const char* name) {
    AcTransaction tr(drawing.database());
    Nx_DbMacro* macro = nullptr;
    tr.getObject(macro, drawing.findMacro(macroName), AcDb::kForRead);
    const Nx_Module* m = nullptr;
    if (!macro || macro->getMacro()->findModule(module, m) != Acad::eOk) return -1;
    const Nx_ConstrVar* v = m->findConstrVar(name);
    return v ? v->value : -1;
  }
  // Shows the page of the tab item as the user's click does.
  template <typename Page>
  Page* select(int item) {
    tabs().userSelect(item);
    return dynamic_cast<Page*>(dlg->page(item));
  }

  std::filesystem::path folder;
  Nx_Drawing drawing;
  std::unique_ptr<KvMacroDlg> dlg;
  ui::test::GTestScript script;
  AcutPrintCapture commandLine;
};
