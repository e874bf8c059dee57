#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <nlohmann/json.hpp>

#include "core/macro/Nx_BoltModule.h"
#include "core/macro/Nx_Drawing.h"
#include "platform/base/AtomicFile.h"
#include "tests/macro/MacroTestDrawing.h"

namespace {

std::string readAll(const std::string& path) {
  std::string content;
  base::readWholeFile(path, content);
  return content;
}

// The error text of loading a text, or "" when it loads.
std::string loadError(const std::string& json) {
  Nx_Drawing d;
  Nx_String error;
  return d.loadText(json, "d.json", error) ? std::string() : error.str();
}

// A drawing of one macro with the given module entries.
std::string withModules(const std::string& modules, const std::string& tabs = "[]") {
  return R"({"format": "connection-standards drawing", "version": 1, "macros": [{"name": "M",
    "modules": )" +
         modules + R"(, "dialog": {"tabs": )" + tabs + "}}]}";
}

TEST(DrawingFile, ExampleRoundTripsByteForByte) {
  std::string original = readAll(exampleDrawingPath());
  Nx_Drawing d;
  Nx_String error;
  ASSERT_TRUE(d.load(exampleDrawingPath(), error)) << error.str();
  EXPECT_EQ(d.macroCount(), 2);
  EXPECT_EQ(d.toJson(), original);

  auto dir =
      std::filesystem::temp_directory_path() / ("ss-drawing-roundtrip-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::string copy = (dir / "copy.json").string();
  ASSERT_TRUE(d.save(copy, error)) << error.str();
  EXPECT_EQ(readAll(copy), original);
  std::filesystem::remove_all(dir);
}

TEST(DrawingFile, SyntaxErrorsNameFileLineAndColumn) {
  EXPECT_EQ(loadError("{\n  \"format\": ,\n}").substr(0, 26), "d.json: line 2, column 13:");
  // A number past every numeric type is refused, never thrown out of the load.
  EXPECT_EQ(loadError("{\"format\": 1e999}").substr(0, 8), "d.json: ");
}

TEST(DrawingFile, ErrorsNameTheJsonPathAndWhatWasExpected) {
  EXPECT_EQ(loadError(R"({"format": "x", "version": 1})"),
            "d.json: /format: expected \"connection-standards drawing\", found the text \"x\"");
  EXPECT_EQ(loadError(R"({"format": "connection-standards drawing", "version": 2})"),
            "d.json: /version: expected version 1, found the number 2");
  EXPECT_EQ(loadError(withModules(R"([{"name": "A", "type": 7}])")),
            "d.json: /macros/0/modules/0/type: expected 231 (plate), 232 (bolts) or 233 "
            "(profile placements), found the number 7");
  EXPECT_EQ(loadError(withModules(R"([{"name": "A", "type": 231, "colour": 1}])")),
            "d.json: /macros/0/modules/0/colour: unknown key \"colour\" (expected one of "
            "\"name\", \"group\", \"type\", \"variables\", \"cuts\", \"patterns\", "
            "\"placements\")");
}

TEST(DrawingFile, RepeatedAndUnknownKeysReadAsAMapOfKeysReadsThem) {
  // The last of a repeated key counts.
  EXPECT_EQ(loadError(withModules(R"([{"name": "A", "type": 7, "type": 231}])")), "");
  EXPECT_EQ(loadError(withModules(R"([{"name": "A", "type": 231, "type": 7}])")),
            "d.json: /macros/0/modules/0/type: expected 231 (plate), 232 (bolts) or 233 "
            "(profile placements), found the number 7");
  // Of several unknown keys, the first by key is named, wherever it stands.
  EXPECT_EQ(loadError(withModules(R"([{"zeta": 1, "name": "A", "type": 231, "colour": 1}])"))
                .substr(0, 60),
            "d.json: /macros/0/modules/0/colour: unknown key \"colour\" (ex");
}

TEST(DrawingFile, WhatTheQuickReaderLeavesIsReadThroughTheFullParser) {
  std::string text;
  ASSERT_TRUE(base::readWholeFile(exampleDrawingPath(), text));
  Nx_Drawing d;
  Nx_String error;
  ASSERT_TRUE(d.loadText("\xEF\xBB\xBF" + text, "d.json", error)) << error.str();
  EXPECT_EQ(d.macroCount(), 2);
  // Nesting far past any reader's depth is refused where it stands, without
  // a recursion through it.
  const std::string deep = std::string(100000, '[') + std::string(100000, ']');
  EXPECT_EQ(loadError(R"({"format": "connection-standards drawing", "version": 1, "macros": [)"
                      R"({"name": "M", "kind": )" +
                      deep + "}]}"),
            "d.json: /macros/0/kind: expected a text, found an array");
}

TEST(DrawingFile, ModelRulesAreChecked) {
  EXPECT_EQ(loadError(withModules(R"([{"name": "A", "type": 231}, {"name": "a", "type": 231}])")),
            "d.json: /macros/0/modules/1/name: the module name \"a\" is used twice");
  EXPECT_EQ(loadError(withModules(R"([{"name": "A", "type": 231, "patterns": []}])")),
            "d.json: /macros/0/modules/0/patterns: only a bolt module (type 232) has patterns");
  EXPECT_EQ(loadError(withModules(
                R"([{"name": "A", "type": 231, "cuts": [{"name": "C", "type": "length",
                     "offsets": {"radius": 1.0}}]}])")),
            "d.json: /macros/0/modules/0/cuts/0/offsets/radius: a cut of type \"length\" has no "
            "radius");
  EXPECT_EQ(loadError(withModules(R"([{"name": "B", "group": "G", "type": 232, "patterns":
                      [{"name": "P", "layout": 281, "reverseStart2": true}]}])")),
            "d.json: /macros/0/modules/0/patterns/0/reverseStart2: only a pattern of layout 282 "
            "has a second direction");
  std::string bolts = R"([{"name": "B", "group": "G", "type": 232, "patterns":
                      [{"name": "P", "layout": 281}]}])";
  EXPECT_EQ(loadError(withModules(bolts, R"([{"name": "G", "patterns":
                      [{"pattern": "P", "nrBolts1": "2", "nrBolts2": "3"}]}])")),
            "d.json: /macros/0/dialog/tabs/0/patterns/0/nrBolts2: only a pattern of layout 282 "
            "has a second direction");
  EXPECT_EQ(loadError(withModules(bolts, R"([{"name": "Other", "patterns":
                      [{"pattern": "P", "nrBolts1": "2"}]}])")),
            "d.json: /macros/0/dialog/tabs/0/patterns/0/pattern: no bolt module of group "
            "\"Other\" has a pattern \"P\"");
  EXPECT_EQ(loadError(withModules(bolts, R"([{"name": "G", "patterns":
                      [{"pattern": "P", "nrBolts1": 2}]}])")),
            "d.json: /macros/0/dialog/tabs/0/patterns/0/nrBolts1: expected a text, found the "
            "number 2");
  EXPECT_EQ(loadError(R"({"format": "connection-standards drawing", "version": 1, "macros":
                      [{"name": "M"}, {"name": "m"}]})"),
            "d.json: /macros/1/name: the macro name \"m\" is used twice");
  EXPECT_EQ(loadError(withModules(bolts, R"([{"name": "G", "patterns":
                      [{"pattern": "P", "nrBolts1": "2"}]}])")),
            "");
}

TEST(DrawingFile, ARepeatedNameIsFoundInShortAndLongLists) {
  // Modules M0 to M(n-1), then one more named like module `again` in other case.
  auto modules = [](int n, int again) {
    std::string list = "[";
    for (int i = 0; i < n; ++i)
      list += R"({"name": "M)" + std::to_string(i) + R"(", "type": 231}, )";
    return list + R"({"name": "m)" + std::to_string(again) + R"(", "type": 231}])";
  };
  for (auto [n, again] :
       {std::pair{3, 1}, std::pair{15, 0}, std::pair{16, 2}, std::pair{40, 3}, std::pair{40, 39}}) {
    EXPECT_EQ(loadError(withModules(modules(n, again))),
              "d.json: /macros/0/modules/" + std::to_string(n) + "/name: the module name \"m" +
                  std::to_string(again) + "\" is used twice")
        << n << " modules";
    EXPECT_EQ(loadError(withModules(modules(n, n))), "") << n << " modules";
  }
}

TEST(DrawingFile, AFailedLoadLeavesTheDrawingAsItWas) {
  Nx_Drawing d;
  ASSERT_TRUE(loadExampleDrawing(d));
  Nx_String error;
  EXPECT_FALSE(d.loadText(withModules(R"([{"name": "A", "type": 1}])"), "bad.json", error));
  EXPECT_EQ(d.macroCount(), 2);
  EXPECT_FALSE(d.findMacro("EP-1").isNull());
  EXPECT_FALSE(d.load("/nonexistent/drawing.json", error));
  EXPECT_NE(error.str().find("/nonexistent/drawing.json"), std::string::npos);
  EXPECT_EQ(d.macroCount(), 2);
}

TEST(DrawingFile, AFailedSaveKeepsThePreviousFile) {
  auto dir = std::filesystem::temp_directory_path() /
             ("ss-drawing-failed-save-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::string path = (dir / "d.json").string();
  { std::ofstream(path) << "previous"; }
  Nx_Drawing d;
  ASSERT_TRUE(loadExampleDrawing(d));
  Nx_String error;
  base::setAtomicWriteFailureAfter(100);
  EXPECT_FALSE(d.save(path, error));
  base::setAtomicWriteFailureAfter(-1);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(readAll(path), "previous");
  std::filesystem::remove_all(dir);
}

TEST(DrawingFile, TextIsUtf8InTheFileAndWindows1252InMemory) {
  Nx_Drawing d;
  Nx_String error;
  ASSERT_TRUE(d.loadText(R"({"format": "connection-standards drawing", "version": 1, "macros":
                         [{"name": "Kopfplatte \u00c4", "kind": "\u20ac"}]})",
                         "d.json", error))
      << error.str();
  AcTransaction tr(d.database());
  Nx_DbMacro* m = nullptr;
  ASSERT_EQ(tr.getObject(m, d.findMacro("Kopfplatte \xC4"), AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(m->getMacro()->kind(), "\x80");
  EXPECT_NE(d.toJson().find("\"Kopfplatte \xC3\x84\""), std::string::npos);
}

// A scratch folder removed with its content when the test ends.
struct ScratchFolder {
  explicit ScratchFolder(const std::string& name)
      : path(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(path);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path); }
  std::string operator/(const std::string& file) const { return (path / file).string(); }
  std::filesystem::path path;
};

// Opens the example drawing's first macro for write and hands it over.
template <typename Change>
void changeFirstMacro(Nx_Drawing& d, Change change) {
  AcTransaction tr(d.database());
  Nx_DbMacro* m = nullptr;
  ASSERT_EQ(tr.getObject(m, d.findMacro("EP-1"), AcDb::kForWrite), Acad::eOk);
  change(*m->getMacroWrite());
}

TEST(DrawingFile, TextWithoutAWindows1252FormIsRefusedNotAltered) {
  // "Płyta-1" and "Pśyta-1" would both have become "P?yta-1".
  EXPECT_EQ(loadError(R"({"format": "connection-standards drawing", "version": 1, "macros":
                      [{"name": "K\u00f6pf", "kind": "P\u0142yta-1"}]})"),
            "d.json: /macros/0/kind: the character U+0142 (character 2 of \"P?yta-1\") has no "
            "Windows-1252 form; drawing texts hold Windows-1252 characters only");
  EXPECT_NE(loadError(withModules(R"([{"name": "A", "type": 231, "variables":
                      [{"name": "\u00c4\u5bbd", "value": 1.0}]}])"))
                .find("/macros/0/modules/0/variables/0/name: the character U+5BBD (character 2 "
                      "of \"\xC4?\")"),
            std::string::npos);
  EXPECT_NE(loadError(withModules(R"([{"name": "\ud83d\ude00", "type": 231}])")).find("U+1F600"),
            std::string::npos);
  // Names are reported as stored.
  EXPECT_EQ(loadError(withModules(
                R"([{"name": "\u00c4", "type": 231}, {"name": "\u00c4", "type": 231}])")),
            "d.json: /macros/0/modules/1/name: the module name \"\xC4\" is used twice");
}

TEST(DrawingFile, EveryWindows1252ByteSurvivesASave) {
  // Including the five bytes the code page leaves unused.
  std::string all;
  for (int b = 0x20; b < 0x100; ++b) all += static_cast<char>(b);
  Nx_Drawing d;
  ASSERT_TRUE(loadExampleDrawing(d));
  changeFirstMacro(d, [&](Nx_Macro& m) { m.setKind(all); });
  ScratchFolder dir("ss-drawing-bytes");
  Nx_String error;
  ASSERT_TRUE(d.save(dir / "d.json", error)) << error.str();
  Nx_Drawing back;
  ASSERT_TRUE(back.load(dir / "d.json", error)) << error.str();
  AcTransaction tr(back.database());
  Nx_DbMacro* m = nullptr;
  ASSERT_EQ(tr.getObject(m, back.findMacro("EP-1"), AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(m->getMacro()->kind().str(), all);
}

TEST(DrawingFile, ANumberThatIsNotFiniteIsNamedAndNeverSaved) {
  ScratchFolder dir("ss-drawing-nan");
  std::string path = dir / "d.json";
  { std::ofstream(path) << "previous"; }
  Nx_Drawing d;
  ASSERT_TRUE(loadExampleDrawing(d));
  changeFirstMacro(d, [](Nx_Macro& m) {
    m.setGeneralVariable("gen_X", std::numeric_limits<double>::quiet_NaN());
  });
  Nx_String error;
  EXPECT_FALSE(d.save(path, error));
  EXPECT_NE(error.str().find("/macros/0/generalVariables/2/value: the value of \"EP-1\" > "
                             "\"gen_X\" is nan"),
            std::string::npos)
      << error.str();
  EXPECT_EQ(readAll(path), "previous");
  std::string json;
  EXPECT_FALSE(d.toJson(json, error));

  changeFirstMacro(d, [](Nx_Macro& m) {
    m.setGeneralVariable("gen_X", 1);
    m.module(0)->constrVars()[1].value = -std::numeric_limits<double>::infinity();
  });
  EXPECT_FALSE(d.save(path, error));
  EXPECT_NE(error.str().find("/macros/0/modules/0/variables/1/value: the value of \"EP-1\" > "
                             "\"Plate\" > \"Width\" is -inf"),
            std::string::npos)
      << error.str();
  EXPECT_EQ(readAll(path), "previous");
}

TEST(DrawingFile, ADrawingItsFileWouldNotGiveBackIsNotSaved) {
  ScratchFolder dir("ss-drawing-unreadable");
  std::string path = dir / "d.json";
  { std::ofstream(path) << "previous"; }
  Nx_Drawing d;
  ASSERT_TRUE(loadExampleDrawing(d));
  // A second macro of a taken name: the loader would refuse the file.
  d.addMacro(std::make_unique<Nx_DbMacro>(Nx_Macro("ep-1", "Endplate")));
  Nx_String error;
  EXPECT_FALSE(d.save(path, error));
  EXPECT_NE(error.str().find("the macro name \"ep-1\" is used twice"), std::string::npos)
      << error.str();
  EXPECT_EQ(readAll(path), "previous");
}

TEST(DrawingFile, DevicesAndPipesAreNotDrawings) {
  Nx_Drawing d;
  Nx_String error;
  EXPECT_FALSE(d.load("/dev/zero", error));
  EXPECT_NE(error.str().find("not a regular file"), std::string::npos) << error.str();
  ScratchFolder dir("ss-drawing-fifo");
  ASSERT_EQ(::mkfifo((dir / "pipe.json").c_str(), 0600), 0);
  EXPECT_FALSE(d.load(dir / "pipe.json", error));
  EXPECT_NE(error.str().find("pipe"), std::string::npos) << error.str();
}

TEST(DrawingFile, ManyModulesAndGroupsLoad) {
  // One group per module and one per pattern: every name check meets them all.
  std::string modules = "[", tabs = "[";
  for (int i = 0; i < 3000; ++i) {
    std::string n = std::to_string(i);
    modules += std::string(i ? "," : "") + R"({"name": "B)" + n + R"(", "group": "G)" + n +
               R"(", "type": 232, "patterns": [{"name": "P", "layout": 281}]})";
    tabs += std::string(i ? "," : "") + R"({"name": "G)" + n +
            R"(", "patterns": [{"pattern": "p", "nrBolts1": "2"}]})";
  }
  Nx_Drawing d;
  Nx_String error;
  ASSERT_TRUE(d.loadText(withModules(modules + "]", tabs + "]"), "d.json", error)) << error.str();
  AcTransaction tr(d.database());
  Nx_DbMacro* m = nullptr;
  ASSERT_EQ(tr.getObject(m, d.findMacro("M"), AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(m->getMacro()->moduleCount(), 3000);
  Nx_StringArray groups;
  m->getMacro()->getGroupNames(groups);
  EXPECT_EQ(groups.length(), 3000);
  // Without dialog data, one tab per group is made.
  MacroData data;
  data.initFromMacro(*m->getMacro(), &tr);
  EXPECT_EQ(data.tabs.length(), 3000);
  EXPECT_EQ(data.tabs[2999].name, "G2999");
  EXPECT_EQ(data.tabs[2999].patterns.length(), 1);
}

// The example's macros repeated under new names.
nlohmann::ordered_json manyMacros(int copies) {
  nlohmann::ordered_json root = nlohmann::ordered_json::parse(readAll(exampleDrawingPath()));
  nlohmann::ordered_json macros = nlohmann::ordered_json::array();
  for (int i = 0; i < copies; ++i)
    for (nlohmann::ordered_json m : root["macros"]) {
      m["name"] = m["name"].get<std::string>() + "-" + std::to_string(i);
      macros.push_back(std::move(m));
    }
  root["macros"] = std::move(macros);
  return root;
}

TEST(DrawingFile, ManyMacrosLoadAsReadOneByOne) {
  const std::string original = readAll(exampleDrawingPath());
  ASSERT_EQ(nlohmann::ordered_json::parse(original).dump(2) + "\n",
            original);  // the writer's layout
  const std::string text = manyMacros(300).dump(2) + "\n";
  Nx_Drawing d;
  Nx_String error;
  ASSERT_TRUE(d.loadText(text, "d.json", error)) << error.str();
  EXPECT_EQ(d.toJson(), text);
  // The objects are numbered in the file's order.
  AcArray<AcDbObjectId> ids;
  d.getMacroIds(ids);
  ASSERT_EQ(ids.length(), 600);
  for (int i = 1; i < ids.length(); ++i) EXPECT_LT(ids[i - 1].handle(), ids[i].handle());
}

TEST(DrawingFile, OfManyMacrosTheFileFirstFaultIsReported) {
  nlohmann::ordered_json late = manyMacros(300);
  late["macros"][500]["modules"][0]["type"] = 7;
  EXPECT_EQ(loadError(late.dump(2)).substr(0, 36), "d.json: /macros/500/modules/0/type: ");
  nlohmann::ordered_json both = late;
  both["macros"][100]["generalVariables"] = 1;
  EXPECT_EQ(loadError(both.dump(2)).substr(0, 36), "d.json: /macros/100/generalVariables");
  nlohmann::ordered_json named = late;
  named["macros"][450]["name"] = named["macros"][10]["name"];
  EXPECT_NE(loadError(named.dump(2)).find("/macros/450/name: the macro name"), std::string::npos);
}

TEST(DrawingFile, AMacroCopySharesNothingWithItsOriginal) {
  Nx_Drawing d;
  ASSERT_TRUE(loadExampleDrawing(d));
  const std::string original = d.toJson();
  AcArray<AcDbObjectId> ids;
  d.getMacroIds(ids);
  Nx_Drawing copy;
  for (const AcDbObjectId& id : ids) ASSERT_FALSE(copy.addCopyOf(d, id).isNull());
  EXPECT_EQ(copy.toJson(), original);

  // The copy's patterns, profiles and dialog data are its own.
  AcArray<AcDbObjectId> copies;
  copy.getMacroIds(copies);
  {
    AcTransaction tr(copy.database());
    Nx_DbMacro* m = nullptr;
    ASSERT_EQ(tr.getObject(m, copies[0], AcDb::kForWrite), Acad::eOk);
    MacroData data;
    m->getMacroData(data);
    EXPECT_EQ(data.macroId, copies[0]);
    Nx_DbProfile* profile = nullptr;
    ASSERT_EQ(m->getBaseProf(0, profile, &tr), Acad::eOk);
    ASSERT_EQ(tr.getObject(profile, profile->objectId(), AcDb::kForWrite), Acad::eOk);
    profile->setSection("HEB999");
    Nx_Macro& macro = *m->getMacroWrite();
    for (int i = 0; i < macro.moduleCount(); ++i)
      if (Nx_BoltModule* bolts = asBoltModule(macro.module(i))) {
        AcArray<AcDbObjectId> patterns;
        bolts->getPatternIds(patterns);
        for (const AcDbObjectId& p : patterns) {
          Nx_BoltPattern* pattern = nullptr;
          ASSERT_EQ(getPattern(p, pattern, &tr, AcDb::kForWrite), Acad::eOk);
          pattern->setReverseStart(1, true);
          pattern->setName("Renamed");
        }
      }
  }
  EXPECT_EQ(d.toJson(), original);
  EXPECT_NE(copy.toJson(), original);
  EXPECT_TRUE(copy.addCopyOf(d, AcDbObjectId()).isNull());
}

}  // namespace

namespace {
TEST(DrawingFile, ABoltAssemblyIsKeptAndOnlyWrittenWhenChosen) {
  const std::string plain = withModules(
      "[]", R"([{"name": "B", "title": "B", "bolts": {"diameter": "16", "holeOffset": "2"}}])");
  Nx_Drawing d;
  Nx_String error;
  ASSERT_TRUE(d.loadText(plain, "d.json", error)) << error.str();
  EXPECT_EQ(d.toJson().find("assembly"), std::string::npos);

  std::string chosen = plain;
  chosen.replace(chosen.find(R"("holeOffset": "2")"), 17,
                 R"("holeOffset": "2", "assembly": "Bolt, nut, washer")");
  ASSERT_TRUE(d.loadText(chosen, "d.json", error)) << error.str();
  Nx_Drawing again;
  ASSERT_TRUE(again.loadText(d.toJson(), "d.json", error)) << error.str();
  EXPECT_EQ(again.toJson(), d.toJson());
  EXPECT_NE(d.toJson().find(R"("assembly": "Bolt, nut, washer")"), std::string::npos);
}
}  // namespace
