#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/FileHelpers.h"
#include "core/FileSearch.h"
#include "core/Nx_PropertiesList.h"
#include "core/PathHelpers.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "tests/examples/SampleLibrary.h"

namespace {

// What a designed dialog may bind, per template that a macro of the sample
// drawing names: the constraint variables of the macro's modules and its bolt patterns.
struct Bindable {
  std::set<std::string> variables, patterns;
};
void namedTemplates(std::map<std::string, Bindable>& templates) {
  Nx_Drawing drawing;
  Nx_String error;
  ASSERT_TRUE(drawing.load(sample::libraryDir() + "Macros/Connections.json", error)) << error.str();
  AcTransaction tr(drawing.database());
  AcArray<AcDbObjectId> ids;
  drawing.getMacroIds(ids);
  for (int k = 0; k < ids.length(); ++k) {
    Nx_DbMacro* dbMacro = nullptr;
    ASSERT_EQ(tr.getObject(dbMacro, ids[k], AcDb::kForRead), Acad::eOk);
    const Nx_Macro& macro = *dbMacro->getMacro();
    MacroData data;
    dbMacro->getMacroData(data);
    for (const MacroTabData& tab : data.tabs) {
      if (tab.designedDialog.isEmpty()) continue;
      Bindable& b = templates[tab.designedDialog.str()];
      for (int m = 0; m < macro.moduleCount(); ++m)
        for (const Nx_ConstrVar& v : macro.module(m)->constrVars())
          b.variables.insert(v.name.str());
      for (const MacroTabData& t : data.tabs)
        for (const MacroPatternData& p : t.patterns) b.patterns.insert(p.pattern.str());
    }
  }
}

TEST(DialogTemplates, EveryControlIsCompleteInsideItsPictureAndBound) {
  std::map<std::string, Bindable> named;
  namedTemplates(named);
  EXPECT_EQ(named.size(), 2u) << "the end plates and the base plate name their dialogs";
  const std::string root = sample::libraryDir() + "Dialog Templates/Dialog Design/";
  Nx_StringArray templates;
  ASSERT_TRUE(ObjectExportFindFilesRecursive(root, "*.txt", templates));
  ASSERT_EQ(templates.length(), 2);
  for (const Nx_String& path : templates) {
    SCOPED_TRACE(path.str());
    const std::string name = removeExtension(path).str().substr(root.size());
    ASSERT_TRUE(named.count(name)) << "a macro names " << name;
    const std::set<std::string>& variables = named[name].variables;
    const std::set<std::string>& patterns = named[name].patterns;
    EXPECT_TRUE(fileExists(changeExtension(path, "bmp"))) << "the background picture";
    Nx_PropertiesList list;
    Nx_String error;
    ASSERT_TRUE(list.readFromFile(path, &error)) << error.str();
    int count = 0;
    ASSERT_TRUE(list.getInt("nrOfControls", count));
    ASSERT_GT(count, 0);
    EXPECT_EQ(list.length(), 1 + 7 * count) << "seven keys a control, nothing else";
    for (int i = 0; i < count; ++i) {
      Nx_String n(i);
      int type = -1;
      double x1 = -1, y1 = -1, x2 = -1, y2 = -1;
      Nx_String contents, comboList;
      ASSERT_TRUE(list.getInt("type" + n, type) && list.getDouble("topLeftX" + n, x1) &&
                  list.getDouble("topLeftY" + n, y1) && list.getDouble("bottomRightX" + n, x2) &&
                  list.getDouble("bottomRightY" + n, y2) &&
                  list.getString("contents" + n, contents) &&
                  list.getString("comboList" + n, comboList))
          << "control " << i;
      EXPECT_TRUE(0 <= x1 && x1 < x2 && x2 <= 1 && 0 <= y1 && y1 < y2 && y2 <= 1)
          << "control " << i;
      if (type == 2) {
        EXPECT_TRUE(variables.count(contents.str())) << contents.str();
      }
      if (type == 4 || type == 5 || type == 7) {
        EXPECT_TRUE(patterns.count(contents.str())) << contents.str();
      }
    }
  }
}

}  // namespace
