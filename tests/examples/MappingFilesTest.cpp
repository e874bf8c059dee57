#include <gtest/gtest.h>

#include <set>

#include "core/FileHelpers.h"
#include "core/FileSearch.h"
#include "core/Nx_Settings.h"
#include "core/PathHelpers.h"
#include "core/StringHelpers.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "mapping/KvNameConvention.h"
#include "mapping/KvObjectMap.h"
#include "tests/examples/SampleLibrary.h"
#include "tests/examples/StandardsSheet.h"

namespace {

KvValueType valueType(const std::string& keyword) {
  return keyword == "Int" ? kValueInt : keyword == "Double" ? kValueDouble : kValueString;
}

// The entries of one mapping line, read by the module's own entry reader.
std::vector<KvObjectMap> readEntries(const Nx_String& line) {
  std::vector<KvObjectMap> entries;
  Nx_String key, rest;
  EXPECT_TRUE(splitString(line, "=", key, rest)) << line.str();
  Nx_StringArray texts;
  splitStringAtSymbol(rest, '\xbf', texts, true);
  for (const Nx_String& text : texts) {
    Nx_String ssVar, macroPart;
    EXPECT_TRUE(splitString(text, "\x83", ssVar, macroPart)) << text.str();
    KvObjectMap entry;
    EXPECT_EQ(entry.getMappingFromStrs(ssVar, macroPart), Acad::eOk) << text.str();
    entries.push_back(entry);
  }
  return entries;
}

Nx_String mappingLine(const std::string& sheet, const Nx_String& key) {
  Nx_StringArray lines;
  Nx_String error;
  EXPECT_TRUE(ObjectExportReadFile(sample::standardsDir() + sheet + ".map", lines, &error))
      << error.str();
  for (const Nx_String& line : lines)
    if (line.startsWith(key + "=", true)) return line;
  ADD_FAILURE() << "no line " << key.str() << " in " << sheet << ".map";
  return {};
}

// Every entry parses, writes back to the same bytes, and binds a declared
// Input or Output variable of the sheet beside it, of the kind's value type;
// every such variable has its entry.
TEST(MappingFiles, EveryEntryBindsAVariableOfItsSheet) {
  Nx_StringArray maps;
  ASSERT_TRUE(ObjectExportFindFilesRecursive(sample::standardsDir(), "*.map", maps));
  ASSERT_EQ(maps.length(), 2);
  for (const Nx_String& path : maps) {
    SCOPED_TRACE(path.str());
    sample::StandardsSheet sheet;
    ASSERT_TRUE(sheet.load(changeExtension(path, "kvs").str()));
    Nx_StringArray lines;
    ASSERT_TRUE(ObjectExportReadFile(path, lines));
    ASSERT_GE(lines.length(), 2);
    EXPECT_EQ(lines[0], "Mapping version 1.0");
    for (int l = 1; l < lines.length(); ++l) {
      Nx_String key = getSubstrBefore(lines[l], "=");
      EXPECT_EQ(key.length(), 24);
      std::set<std::string> bound;
      Nx_String rebuilt = key + "=";
      for (const KvObjectMap& entry : readEntries(lines[l])) {
        const sample::Variable* v = sheet.find(entry.ssVarName.str());
        ASSERT_NE(v, nullptr) << entry.ssVarName.str() << " is not declared";
        EXPECT_NE(v->kind, 2) << v->name << " is Local";
        KvValueType type;
        ASSERT_TRUE(objectKindValueType(entry.kind, type));
        EXPECT_EQ(type, valueType(v->type)) << v->name;
        EXPECT_TRUE(bound.insert(v->name).second) << v->name << " twice";
        Nx_String part, name;
        ASSERT_EQ(entry.setMappingToStrs(part, name), Acad::eOk);
        rebuilt += Nx_String(bound.size() > 1 ? "\xbf" : "") + name + "\x83" + part;
      }
      EXPECT_EQ(rebuilt, lines[l]) << "the module writes the line byte for byte";
      for (const sample::Variable& v : sheet.variables)
        if (v.kind != 2) {
          EXPECT_TRUE(bound.count(v.name)) << v.name << " has no entry";
        }
    }
  }
}

struct OpenDrawing {
  Nx_Drawing drawing;
  OpenDrawing() {
    Nx_String error;
    EXPECT_TRUE(drawing.load(sample::libraryDir() + "Macros/Connections.json", error))
        << error.str();
  }
};

// What the standards run reads first: every Input and Output value of every
// sheet attached to a macro, through the mapping or the name convention.
TEST(MappingFiles, EveryMacroValueTheSheetsUseCanBeRead) {
  gSettings.setLibDir(sample::libraryDir());  // section values come from its prof/
  OpenDrawing open;
  AcArray<AcDbObjectId> ids;
  open.drawing.getMacroIds(ids);
  AcTransaction tr(open.drawing.database());
  int read = 0;
  for (const AcDbObjectId& id : ids) {
    Nx_DbMacro* dbMacro = nullptr;
    ASSERT_EQ(tr.getObject(dbMacro, id, AcDb::kForWrite), Acad::eOk);
    Nx_Macro* macro = dbMacro->getMacroWrite();
    MacroData data;
    dbMacro->getMacroData(data);
    SCOPED_TRACE(macro->name().str());
    Nx_StringArray sheets, objects;
    macro->getStandards(sheets, objects);
    for (int s = 0; s < sheets.length(); ++s) {
      if (!objects[s].startsWith("Module.", true)) {
        for (KvObjectMap entry : readEntries(mappingLine(sheets[s].str(), objects[s]))) {
          Nx_String value;
          EXPECT_EQ(entry.getMacroVarValue(dbMacro, &data, value, &tr), Acad::eOk)
              << entry.ssVarName.str();
          EXPECT_FALSE(value.isEmpty()) << entry.ssVarName.str() << " read nothing";
          ++read;
        }
        continue;
      }
      sample::StandardsSheet sheet;
      ASSERT_TRUE(sheet.load(sample::standardsDir() + sheets[s].str() + ".kvs"));
      Nx_StringArray modules;
      ASSERT_EQ(macro->getModNamesOfGroup(objects[s].mid(7), modules), Acad::eOk);
      for (const sample::Variable& v : sheet.variables) {
        if (v.kind == 2) continue;
        bool answered = false;
        for (const Nx_String& name : modules) {
          Nx_Module* module = nullptr;
          Nx_String value;
          if (macro->findModuleWrite(name, module) == Acad::eOk &&
              getSetVarByName(v.name, valueType(v.type), macro, module, &data, value, true, &tr) ==
                  Acad::eOk &&
              !value.isEmpty())
            answered = true;
        }
        EXPECT_TRUE(answered) << v.name << ": no module of " << objects[s].str() << " answers";
        ++read;
      }
    }
  }
  EXPECT_GT(read, 40);
}

}  // namespace
