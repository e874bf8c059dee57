// The module's dynamic symbol table holds its boundary and nothing else:
// the application entry, the exported functions, the data classes and the
// data objects. A class or object that joins the boundary is added here.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "apps/ss-host/ElfSymbols.h"
#include "apps/ss-host/ModuleExports.h"

namespace {
const std::string kBin = SS_BINARY_DIR "/bin/";

// Exported function name -> number of overloads.
const std::map<std::string, int> kFunctions = {
    {"acrxEntryPoint", 1},
    {"StartDlgStandardsSS", 1},
    {"StartDlgStandardsSStest", 1},
    {"EvaluateSS", 1},
    {"ReadSSFile", 1},
    {"startGridDialog", 1},
    {"StartDlgMacro", 1},
    {"StartDlgMacroModeless", 1},
    {"GetDlgMacroData", 1},
    {"EndDlgMacroModeless", 1},
    {"DestroyAllMacroDlgs", 1},
    {"StartDlgEditConstrModal", 1},
    {"StartDlgEditConstraints", 1},
    {"EndDlgEditConstraints", 1},
    {"StartDlgMacroCuts", 1},
    {"StartDlgMacroProfAdv", 2},
    {"StartEditProfCutsDlg", 1},
    {"StartArrayDlg", 1},
    {"StartDlgProfFeatures", 1},
    {"StartDlgSelectMacro", 2},
    {"StartDlgDesigner", 1},
    {"GetImageDlgCtrlNames", 1},
    {"StartDlgCSP2", 1},
    {"StartDlgEditLibSections", 1},
    {"StartDlgEditLibSimple", 1},
    {"StartDlgGenVars", 1},
    {"StartDlgGrid", 1},
    {"StartDlgLevels", 1},
    {"StartDlgLookUp", 1},
    {"StartDlgSelectImage", 1},
    {"StartDlgCladdingSettings", 1},
    {"StartDlgCis2Info", 1},
    {"StartDlgBracing", 1},
    {"StartDSTVPointsDlg", 1},
};

const std::set<std::string> kTimers = {
    "gLoadFile",
    "gInitSSForInput",
    "gSSSGetFromMacro",
    "gSetMacroValuelsToSS",
    "gSSSreplaceGenVars",
    "gCalcMain",
    "gSetToMacro",
    "gGetFromVars",
    "gCalcChild",
    "gSetToVars",
    "gRegisterFuntions",
    "gFindDuplicates",
    "gCalcCells",
    "gCalcCellSplitSymbol",
    "gCalcCellFindVarCell",
    "gCalcCellFindFunctions",
    "gCalcCellCalcNativeFunctions",
    "gCalcCellCalcFunctionsPrepare",
    "gCalcCellCalcFunctions",
    "gCalcCellGetVarNames",
    "gCalcCellGetVarCoords",
    "gCalcCellGetVarCoordName",
    "gCalcCellReplaceVariables",
    "gInitMapping",
    "gInitFromMacro",
};
// Module-wide objects besides the timers.
const std::set<std::string> kOtherObjects = {"gSSDlgsMgr"};

// The records that exist from the start; their owners' dialogs fill them in.
const std::set<std::string> kBuiltClasses = {
    "EditConstrData",       "DlgMacroCutsData",    "KvMACallBackData", "DlgProfCutsData",
    "DynArrayData",         "DlgProfFeaturesData", "DlgEditLibData",   "KvLookUpDlgData",
    "KvSelectImageDlgData", "KvCladdingDlgData",   "KvBracingDlgData",
};
// Data classes the module may export as their Parts land.
const std::set<std::string> kLaterClasses = {
    "KvDlgStandardsData",
    "KvSSMapping",
    "KvObjectMap",
    "KvVarCell",
    "KvVarCells",
    "KvSSBillOutput",
    "KvSSDlgsMgr",
    "Nx_ProfValuesTable",
    "Nx_DlgDesignerData",
    "Nx_DesignerControl",
    "KvGridDlgData",
    "KvDlgCis2Data",
    // The spreadsheet wrapper, shared with the core, and its repaint guard.
    "Nx_Spread",
    "Nx_SpreadRedrawLock",
};

std::vector<ElfSymbol> exportsOf(const std::string& library) {
  std::vector<ElfSymbol> symbols;
  std::string error;
  EXPECT_TRUE(readExportedSymbols(kBin + library, symbols, error)) << error;
  return symbols;
}

class ExportTest : public ::testing::Test {
 protected:
  static const std::vector<ElfSymbol>& symbols() {
    static const std::vector<ElfSymbol> s = exportsOf("libSS.so");
    return s;
  }
  static const ModuleExports& exports() {
    static const ModuleExports e = classifyExports(symbols());
    return e;
  }
};

TEST_F(ExportTest, TheApplicationEntryHasItsCName) {
  auto it = std::find_if(symbols().begin(), symbols().end(),
                         [](const ElfSymbol& s) { return s.name == "acrxEntryPoint"; });
  ASSERT_NE(it, symbols().end());
  EXPECT_EQ(it->kind, ElfSymbol::Kind::Function);
}

TEST_F(ExportTest, EveryExportedFunctionAndNoOther) {
  std::map<std::string, int> found;
  for (const std::string& f : exports().entryPoints) {
    ++found[functionName(f)];
    EXPECT_TRUE(kFunctions.count(functionName(f))) << "exported internal function " << f;
  }
  for (const auto& [name, overloads] : kFunctions) EXPECT_EQ(found[name], overloads) << name;
}

TEST_F(ExportTest, EveryTimerAndNoOtherObject) {
  for (const std::string& t : kTimers)
    EXPECT_TRUE(std::count(exports().dataObjects.begin(), exports().dataObjects.end(), t)) << t;
  for (const std::string& o : exports().dataObjects)
    EXPECT_TRUE(kTimers.count(o) || kOtherObjects.count(o)) << "exported object " << o;
}

TEST_F(ExportTest, OnlyDataClassesAndEveryBuiltOne) {
  const auto& classes = exports().dataClasses;
  for (const std::string& c : kBuiltClasses)
    EXPECT_TRUE(std::count(classes.begin(), classes.end(), c)) << c;
  for (const std::string& c : classes)
    EXPECT_TRUE(kBuiltClasses.count(c) || kLaterClasses.count(c)) << "exported class " << c;
  EXPECT_EQ(exports().others, std::vector<std::string>{});
}

// A type made of built-in types and declared classes only, such as the
// function type "void (*)(int)" whose type information std::function keeps.
bool isBuiltOfDeclared(const std::string& type, const std::set<std::string>& declared) {
  static const std::set<std::string> kBuiltIn = {"void",     "bool",   "char",  "int",
                                                 "long",     "short",  "float", "double",
                                                 "unsigned", "signed", "const", "volatile"};
  const std::regex name(R"([A-Za-z_][A-Za-z0-9_]*(::[A-Za-z_][A-Za-z0-9_]*)*)");
  int names = 0;
  for (std::sregex_iterator it(type.begin(), type.end(), name), end; it != end; ++it, ++names) {
    const std::string n = it->str();
    if (!kBuiltIn.count(n) && !declared.count(n) && n.rfind("std::", 0) != 0) return false;
  }
  return names > 0 && type.find('(') != std::string::npos;
}

// Weak copies are inline members and template instances of classes that the
// module or the libraries below it declare; none may be of a hidden class.
TEST_F(ExportTest, WeakCopiesBelongToExportedClasses) {
  std::set<std::string> declared(kBuiltClasses);
  declared.insert(kLaterClasses.begin(), kLaterClasses.end());
  std::set<std::string> belowNames;
  for (const char* lib : {"libdcm.so", "libssui.so", "libssgrid.so", "libarx.so", "libssbase.so"}) {
    for (const ElfSymbol& s : exportsOf(lib)) belowNames.insert(s.demangled);
    for (const std::string& c : classifyExports(exportsOf(lib)).dataClasses) declared.insert(c);
  }
  for (const std::string& copy : exports().copies) {
    if (belowNames.count(copy)) continue;
    std::string owner = copy;
    for (const char* lead : {"typeinfo name for ", "typeinfo for ", "vtable for "})
      if (owner.rfind(lead, 0) == 0) owner = owner.substr(std::string(lead).size());
    if (isBuiltOfDeclared(owner, declared)) continue;
    if (!declared.count(owner)) owner = classOfName(functionName(owner));
    EXPECT_TRUE(declared.count(owner)) << "weak export " << copy;
  }
}

TEST_F(ExportTest, TheLoaderResolvesEveryExportedName) {
  void* module = dlopen((kBin + "libSS.so").c_str(), RTLD_NOW | RTLD_GLOBAL);
  ASSERT_NE(module, nullptr) << dlerror();
  int checked = 0;
  for (const ElfSymbol& s : symbols()) {
    if (s.weak || s.name.rfind("__", 0) == 0) continue;
    EXPECT_NE(dlsym(module, s.name.c_str()), nullptr) << s.demangled;
    ++checked;
  }
  EXPECT_GT(checked, 60);
  dlclose(module);
}
// The command library takes some of the module's layers from their archives;
// it must not define a second copy of the module's exported objects. Two
// copies of a timer become one object at run time that is built and
// destroyed twice (a double free at exit).
TEST_F(ExportTest, TheCommandLibraryKeepsNoCopyOfTheModulesObjects) {
  for (const ElfSymbol& s : exportsOf("libsshost.so")) {
    if (s.kind != ElfSymbol::Kind::Object || s.weak) continue;
    EXPECT_FALSE(kTimers.count(s.demangled) || kOtherObjects.count(s.demangled))
        << "libsshost.so defines " << s.demangled;
  }
}
}  // namespace
