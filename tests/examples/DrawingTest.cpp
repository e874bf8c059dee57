#include <gtest/gtest.h>

#include <set>

#include "core/FileHelpers.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "tests/examples/SampleLibrary.h"

namespace {

std::string drawingPath() {
  return sample::libraryDir() + "Macros/Connections.json";
}

TEST(SampleDrawing, LoadsAndSavesUnchanged) {
  Nx_Drawing drawing;
  Nx_String error;
  ASSERT_TRUE(drawing.load(drawingPath(), error)) << error.str();
  EXPECT_EQ(drawing.macroCount(), 4);
  Nx_String content;
  ASSERT_TRUE(readTextFile(drawingPath(), content));
  EXPECT_EQ(drawing.toJson(), content.str()) << "the file is in the form the drawing writes";
}

// The macros name sheets, mapping keys, module groups, sections and grades;
// each must exist where the standards run will look for it.
TEST(SampleDrawing, EveryReferenceResolvesInTheLibrary) {
  Nx_Drawing drawing;
  Nx_String error;
  ASSERT_TRUE(drawing.load(drawingPath(), error)) << error.str();

  std::set<std::string> sections;
  for (const char* family : {"IPE", "HEA", "HEB"}) {
    sample::SectionTable t = sample::readSectionTable(family);
    for (int r = 0; r < t.sizeCount(); ++r) sections.insert(t.size(r)[0].str());
  }
  auto grades = sample::readLookupMap("SteelGrades.txt");

  AcArray<AcDbObjectId> ids;
  drawing.getMacroIds(ids);
  AcTransaction tr(drawing.database());
  for (const AcDbObjectId& id : ids) {
    Nx_DbMacro* dbMacro = nullptr;
    ASSERT_EQ(tr.getObject(dbMacro, id, AcDb::kForRead), Acad::eOk);
    const Nx_Macro& macro = *dbMacro->getMacro();
    SCOPED_TRACE(macro.name().str());

    for (int i = 0; i < dbMacro->baseProfCount(); ++i) {
      Nx_DbProfile* profile = nullptr;
      ASSERT_EQ(dbMacro->getBaseProf(i, profile, &tr), Acad::eOk);
      EXPECT_TRUE(sections.count(profile->section().str())) << profile->section().str();
      EXPECT_TRUE(grades.count(profile->material().str())) << profile->material().str();
    }

    Nx_StringArray sheets, objects;
    macro.getStandards(sheets, objects);
    ASSERT_FALSE(sheets.isEmpty());
    for (int s = 0; s < sheets.length(); ++s) {
      std::string sheet = sample::standardsDir() + sheets[s].str();
      EXPECT_TRUE(fileExists(sheet + ".kvs")) << sheet;
      if (objects[s].startsWith("Module.", true)) {
        Nx_StringArray modules;
        EXPECT_EQ(macro.getModNamesOfGroup(objects[s].mid(7), modules), Acad::eOk);
        EXPECT_FALSE(modules.isEmpty()) << objects[s].str();
        continue;
      }
      Nx_StringArray lines;
      ASSERT_TRUE(ObjectExportReadFile(sheet + ".map", lines, &error)) << error.str();
      ASSERT_FALSE(lines.isEmpty());
      EXPECT_EQ(lines[0], "Mapping version 1.0");
      int found = 0;
      for (const Nx_String& line : lines)
        if (line.startsWith(objects[s] + "=", true)) ++found;
      EXPECT_EQ(found, 1) << "key " << objects[s].str() << " in " << sheet << ".map";
    }
  }
}

}  // namespace
