// Mappings and their files: reading that drops what is malformed, writing
// that keeps the other keys' lines, the valid variables of a macro and the
// comparisons the mapping page relies on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "core/Nx_Settings.h"
#include "core/macro/Nx_Drawing.h"
#include "mapping/KvSSMapping.h"
#include "platform/arx/acutil.h"
#include "platform/base/AtomicFile.h"
#include "platform/base/FileMemo.h"
#include "standards/KvDlgStandardsData.h"
#include "tests/mapping/ExampleMacro.h"

namespace fs = std::filesystem;

namespace {

// A small macro: module Plate (group Plate: Height visible and settable,
// Hidden neither), cut Notch of type notch, module Bolts (group Bolts, bolt
// module, patterns Row one-directional and Grid two-directional), module
// Placer (profile group FinPlate and one without a group), one base profile
// and two general variables.
const char kDrawing[] = R"({
  "format": "connection-standards drawing", "version": 1,
  "macros": [{
    "name": "M", "kind": "",
    "generalVariables": [{"name": "gen_A", "value": 1.5}, {"name": "gen_B", "value": 2.0}],
    "baseProfiles": [{"section": "HEA200", "material": "S235"}],
    "modules": [
      {"name": "Plate", "group": "Plate", "type": 231,
       "variables": [{"name": "Height", "value": 100.0},
                     {"name": "Hidden", "value": 1.0, "visible": false, "settable": false},
                     {"name": "Shown", "value": 1.0, "settable": false}],
       "cuts": [{"name": "Notch", "type": "notch"}]},
      {"name": "Plate2", "group": "Plate", "type": 231,
       "variables": [{"name": "Height", "value": 50.0}]},
      {"name": "Bolts", "group": "Bolts", "type": 232,
       "patterns": [{"name": "Row", "layout": 281}, {"name": "Grid", "layout": 282}]},
      {"name": "Placer", "type": 233,
       "placements": [{"name": "Fin", "profileGroup": "FinPlate", "section": "FL100x10",
                       "material": "S355"},
                      {"name": "Loose", "profileGroup": "", "section": "FL80x8",
                       "material": "S235"}]}
    ]
  }]
})";

std::string read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

KvObjectMap entry(const char* ssVar, const char* group, KvObjectKind kind, const char* var,
                  int visibility = kHiddenNotSettable) {
  KvObjectMap m;
  m.ssVarName = ssVar;
  m.objectName = group;
  m.kind = kind;
  m.varName = var;
  m.visibility = visibility;
  return m;
}

KvSSMapping mappingOf(std::initializer_list<KvObjectMap> entries) {
  KvSSMapping m;
  for (const KvObjectMap& e : entries) m.mappedObjectsWrite().append(e);
  return m;
}

class MappingFile : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("ss-mapping-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root / "Connection Standards");
    savedLib = gSettings.libDir;
    gSettings.setLibDir(root.string().c_str());
  }
  void TearDown() override {
    base::setAtomicWriteFailureAfter(-1);
    gSettings.libDir = savedLib;
    fs::remove_all(root);
  }
  fs::path mapFile() const { return root / "Connection Standards" / "Sheet.map"; }
  void writeMap(const std::string& text) {
    std::ofstream out(mapFile(), std::ios::binary);
    out << text;
  }
  fs::path root;
  Nx_String savedLib;
};

TEST_F(MappingFile, TheKeysLineIsReadAndMalformedEntriesAreDropped) {
  writeMap(
      "Mapping version 2.7\n"
      "Other=x\x83G\x95"
      "Distance Y\n"
      "K1=a\x83G\x95"
      "Distance X\xBF"
      "no separator\xBF"
      "c\x83G\x95"
      "Bogus Y\xBF"
      "e\x83G no group separator\xBF"
      " d \x83\x95"
      "GenVar gen_Z\r\n");
  KvSSMapping m;
  ASSERT_EQ(m.getMappingFromFile("Sheet", "K1"), Acad::eOk);
  ASSERT_EQ(m.mappedObjects().length(), 2);
  const KvObjectMap& a = m.mappedObjects()[0];
  EXPECT_EQ(a.ssVarName, "a");
  EXPECT_EQ(a.objectName, "G");
  EXPECT_EQ(a.kind, kObjDistance);
  EXPECT_EQ(a.varName, "X");
  EXPECT_EQ(m.mappedObjects()[1].ssVarName, "d");
  EXPECT_EQ(m.mappedObjects()[1].varName, "gen_Z");
  // Keys match exactly.
  KvSSMapping other;
  EXPECT_EQ(other.getMappingFromFile("Sheet", "k1"), Acad::eInvalidInput);
  EXPECT_EQ(other.getMappingFromFile("Sheet", "K2"), Acad::eInvalidInput);
}

TEST_F(MappingFile, AFileWithoutMappingLinesKeepsTheEntriesAMissingFileFails) {
  KvSSMapping m = mappingOf({entry("a", "G", kObjDistance, "X")});
  EXPECT_EQ(m.getMappingFromFile("Sheet", "K1"), Acad::eInvalidInput);
  writeMap("");
  EXPECT_EQ(m.getMappingFromFile("Sheet", "K1"), Acad::eOk);
  EXPECT_EQ(m.mappedObjects().length(), 1);
  writeMap("Mapping version 1.0\n");
  EXPECT_EQ(m.getMappingFromFile("Sheet", "K1"), Acad::eOk);
  EXPECT_EQ(m.mappedObjects().length(), 1);
  // Blank lines are no mapping lines.
  writeMap("Mapping version 1.0\n\n  \r\n\t\n");
  EXPECT_EQ(m.getMappingFromFile("Sheet", "K1"), Acad::eOk);
  EXPECT_EQ(m.mappedObjects().length(), 1);
  // A file without the version line reads the same way.
  writeMap(
      "K1=b\x83G\x95"
      "Distance Y\n");
  EXPECT_EQ(m.getMappingFromFile("Sheet", "K1"), Acad::eOk);
  EXPECT_EQ(m.mappedObjects()[0].ssVarName, "b");
}

TEST_F(MappingFile, SavingWritesTheFormatByteForByteAndMovesAChangedLineToTheEnd) {
  KvSSMapping m = mappingOf({entry("Thickness", "Plates", kObjDistance, "Thickness"),
                             entry("NrBolts", "Bolts", kObjPatternNrBolts1, "Pattern1"),
                             entry("Height", "", kObjGenVar, "gen_Height"),
                             entry("Dia", "Bolts", kObjBoltsDiameter, "")});
  Nx_String key = "K1";
  ASSERT_EQ(m.setMappingToFile("Sheet", key), Acad::eOk);
  const std::string line1 =
      "K1=Thickness\x83Plates\x95"
      "Distance Thickness\xBFNrBolts\x83"
      "Bolts\x95PatternNrBolts1 Pattern1\xBFHeight\x83\x95GenVar gen_Height\xBF"
      "Dia\x83"
      "Bolts\x95"
      "BoltsDiameter \n";
  EXPECT_EQ(read(mapFile()), "Mapping version 1.0\n" + line1);

  Nx_String key2 = "K2";
  KvSSMapping second = mappingOf({entry("W", "Plates", kObjDistance, "Width")});
  ASSERT_EQ(second.setMappingToFile("Sheet", key2), Acad::eOk);
  KvSSMapping changed = mappingOf({entry("Thickness", "Plates", kObjDistance, "Depth")});
  ASSERT_EQ(changed.setMappingToFile("Sheet", key), Acad::eOk);
  EXPECT_EQ(read(mapFile()),
            "Mapping version 1.0\n"
            "K2=W\x83Plates\x95"
            "Distance Width\n"
            "K1=Thickness\x83Plates\x95"
            "Distance Depth\n");

  KvSSMapping back;
  ASSERT_EQ(back.getMappingFromFile("Sheet", "K2"), Acad::eOk);
  EXPECT_TRUE(back.isEqual(second) && second.isEqual(back));
}

TEST_F(MappingFile, AStoredLineThatContainsTheMappingIsNotRewritten) {
  const std::string stored =
      "Mapping version 1.0\n"
      "K1=a\x83G\x95"
      "Distance X\xBF"
      "b\x83G\x95"
      "Distance Y\n";
  writeMap(stored);
  fs::file_time_type before = fs::last_write_time(mapFile());
  KvSSMapping part = mappingOf({entry("B", "g", kObjDistance, "y")});
  Nx_String key = "K1";
  ASSERT_EQ(part.setMappingToFile("Sheet", key), Acad::eOk);
  EXPECT_EQ(read(mapFile()), stored);
  EXPECT_EQ(fs::last_write_time(mapFile()), before);
  Nx_String found;
  EXPECT_TRUE(part.hasSameMapping("Sheet", found));
  EXPECT_EQ(found, "K1");
  KvSSMapping more =
      mappingOf({entry("a", "G", kObjDistance, "X"), entry("c", "G", kObjGenVar, "")});
  EXPECT_FALSE(more.hasSameMapping("Sheet", found));
}

TEST_F(MappingFile, EachVariableIsStoredOnceAndNamesAFileCannotHoldAreLeftOut) {
  KvSSMapping m =
      mappingOf({entry("a", "G", kObjDistance, "X"), entry("A", "G", kObjDistance, "Y"),
                 entry("b/c", "G", kObjDistance, "Z"), entry("d:e", "G", kObjDistance, "Z"),
                 entry("f", "G", kObjNone, "Z"), entry("g", "G", kObjDistance, "W")});
  Nx_String key = "K";
  ASSERT_EQ(m.setMappingToFile("Sheet", key), Acad::eOk);
  EXPECT_EQ(read(mapFile()),
            "Mapping version 1.0\n"
            "K=a\x83G\x95"
            "Distance X\xBFg\x83G\x95"
            "Distance W\n");
}

TEST_F(MappingFile, AFailedWriteLeavesThePreviousFile) {
  const std::string stored =
      "Mapping version 1.0\nK1=a\x83G\x95"
      "Distance X\n";
  writeMap(stored);
  KvSSMapping m = mappingOf({entry("b", "G", kObjDistance, "Y")});
  Nx_String key = "K2";
  base::setAtomicWriteFailureAfter(10);
  EXPECT_EQ(m.setMappingToFile("Sheet", key), Acad::eInvalidInput);
  base::setAtomicWriteFailureAfter(-1);
  EXPECT_EQ(read(mapFile()), stored);
  for (const auto& f : fs::directory_iterator(mapFile().parent_path()))
    EXPECT_EQ(f.path().filename(), "Sheet.map") << "left behind: " << f.path();
}

// The separators as an editor writes them when it re-saves the file in UTF-8.
const std::string kNameSep = "\xC6\x92";       // U+0192, byte 0x83
const std::string kGroupSep = "\xE2\x80\xA2";  // U+2022, byte 0x95
const std::string kEntrySep = "\xC2\xBF";      // U+00BF, byte 0xBF
const std::string kBom = "\xEF\xBB\xBF";

TEST_F(MappingFile, AFileReSavedInUtf8IsReadAndWrittenBackInUtf8) {
  // K0 holds an o-umlaut and an l-stroke, which Windows-1252 lacks.
  const std::string k0 =
      "K0=Br\xC3\xB6" + std::string("de") + kNameSep + "P\xC5\x82yta" + kGroupSep + "Distance X";
  writeMap(kBom + "Mapping version 1.0\n" + k0 + "\n" + "K1=a" + kNameSep + "G" + kGroupSep +
           "Distance X" + kEntrySep + "b " + kNameSep + kGroupSep + "GenVar gen_Y\n");
  KvSSMapping m;
  ASSERT_EQ(m.getMappingFromFile("Sheet", "K1"), Acad::eOk);
  ASSERT_EQ(m.mappedObjects().length(), 2);
  EXPECT_EQ(m.mappedObjects()[0].ssVarName, "a");
  EXPECT_EQ(m.mappedObjects()[0].objectName, "G");
  EXPECT_EQ(m.mappedObjects()[0].kind, kObjDistance);
  EXPECT_EQ(m.mappedObjects()[1].ssVarName, "b");
  EXPECT_EQ(m.mappedObjects()[1].varName, "gen_Y");
  ASSERT_EQ(m.getMappingFromFile("Sheet", "K0"), Acad::eOk);
  ASSERT_EQ(m.mappedObjects().length(), 1);
  EXPECT_EQ(m.mappedObjects()[0].ssVarName,
            "Br\xF6"
            "de");  // as the sheets hold it

  // A changed line is written in UTF-8 as well; the untouched line keeps its
  // bytes, the characters Windows-1252 lacks included.
  KvSSMapping changed = mappingOf({entry("H\xF6he", "G", kObjDistance, "Z")});
  Nx_String key = "K1";
  ASSERT_EQ(changed.setMappingToFile("Sheet", key), Acad::eOk);
  EXPECT_EQ(read(mapFile()), kBom + "Mapping version 1.0\n" + k0 + "\nK1=H\xC3\xB6he" + kNameSep +
                                 "G" + kGroupSep + "Distance Z\n");
  KvSSMapping back;
  ASSERT_EQ(back.getMappingFromFile("Sheet", "K1"), Acad::eOk);
  EXPECT_TRUE(back.isEqual(changed) && changed.isEqual(back));
}

TEST_F(MappingFile, AUtf8FileWithoutByteOrderMarkIsKnownByItsSeparators) {
  const std::string k1 = "K1=a" + kNameSep + "G" + kGroupSep + "Distance X";
  writeMap(k1 + "\n");
  KvSSMapping second = mappingOf({entry("b", "", kObjGenVar, "gen_B")});
  Nx_String key = "K2";
  AcutPrintCapture printed;
  ASSERT_EQ(second.setMappingToFile("Sheet", key), Acad::eOk);
  EXPECT_EQ(read(mapFile()),
            "Mapping version 1.0\n" + k1 + "\nK2=b" + kNameSep + kGroupSep + "GenVar gen_B\n");
  EXPECT_EQ(printed.text(), "");
}

TEST_F(MappingFile, AFileMixingBothFormsIsReadWithAWarningAndWrittenInItsFirstForm) {
  writeMap("Mapping version 1.0\nK1=a" + kNameSep + "G" + kGroupSep +
           "Distance X\n"
           "K2=b\x83G\x95"
           "Distance Y\xBF"
           "c" +
           kNameSep + "G" + kGroupSep + "Distance Z\n");
  KvSSMapping m;
  {
    AcutPrintCapture printed;
    ASSERT_EQ(m.getMappingFromFile("Sheet", "K2"), Acad::eOk);
    EXPECT_EQ(printed.text().rfind("*Error* ", 0), 0u) << printed.text();
    EXPECT_NE(printed.text().find("Sheet.map"), std::string::npos) << printed.text();
  }
  ASSERT_EQ(m.mappedObjects().length(), 2);
  EXPECT_EQ(m.mappedObjects()[0].varName, "Y");
  EXPECT_EQ(m.mappedObjects()[1].varName, "Z");
  AcutPrintCapture printed;
  KvSSMapping third = mappingOf({entry("d", "G", kObjDistance, "W")});
  Nx_String key = "K3";
  ASSERT_EQ(third.setMappingToFile("Sheet", key), Acad::eOk);
  EXPECT_EQ(read(mapFile()), "Mapping version 1.0\nK1=a" + kNameSep + "G" + kGroupSep +
                                 "Distance X\nK2=b" + kNameSep + "G" + kGroupSep + "Distance Y" +
                                 kEntrySep + "c" + kNameSep + "G" + kGroupSep + "Distance Z\nK3=d" +
                                 kNameSep + "G" + kGroupSep + "Distance W\n");
}

// In a batch (FileMemoScope) a key's entries are parsed once; the answers
// stay those of a fresh reading.
TEST_F(MappingFile, InABatchEachReadingAnswersAsAFreshOne) {
  base::FileMemoScope memo;
  KvSSMapping kept = mappingOf({entry("a", "G", kObjDistance, "X")});
  writeMap("Mapping version 1.0\n");
  for (int run = 0; run < 2; ++run) {
    EXPECT_EQ(kept.getMappingFromFile("Sheet", "K1"), Acad::eOk);
    EXPECT_EQ(kept.mappedObjects().length(), 1);  // a file without lines keeps the entries
  }
}

TEST_F(MappingFile, InABatchAMissingKeyChangesNothingAndAMixedFileIsToldEveryTime) {
  base::FileMemoScope memo;
  writeMap(
      "Mapping version 1.0\n"
      "K1=b\x83G\x95"
      "Distance Y\n");
  for (int run = 0; run < 2; ++run) {
    KvSSMapping m = mappingOf({entry("a", "G", kObjDistance, "X")});
    ASSERT_EQ(m.getMappingFromFile("Other", "K1"), Acad::eInvalidInput);  // no such file
    EXPECT_EQ(m.mappedObjects().length(), 1);
    ASSERT_EQ(m.getMappingFromFile("Sheet", "K1"), Acad::eOk) << run;
    ASSERT_EQ(m.mappedObjects().length(), 1);
    EXPECT_EQ(m.mappedObjects()[0].varName, "Y");
    EXPECT_EQ(m.getMappingFromFile("Sheet", "K2"), Acad::eInvalidInput);
    EXPECT_EQ(m.mappedObjects()[0].varName, "Y");
  }
  std::ofstream(root / "Connection Standards" / "Mixed.map", std::ios::binary)
      << "Mapping version 1.0\nK1=a" + kNameSep + "G" + kGroupSep +
             "Distance X\n"
             "K2=b\x83G\x95"
             "Distance Y\n";
  for (int run = 0; run < 2; ++run) {
    AcutPrintCapture printed;
    KvSSMapping m;
    ASSERT_EQ(m.getMappingFromFile("Mixed", "K2"), Acad::eOk);
    EXPECT_EQ(printed.text().rfind("*Error* ", 0), 0u) << run << printed.text();
  }
}

TEST(KvSSMapping, EqualityLooksOneWayAndCompatibilityCounts) {
  KvSSMapping small = mappingOf({entry("a", "G", kObjDistance, "X")});
  KvSSMapping big =
      mappingOf({entry("A", "g", kObjDistance, "x"), entry("b", "G", kObjGenVar, "Y")});
  KvSSMapping empty;
  EXPECT_TRUE(small.isEqual(big));
  EXPECT_FALSE(big.isEqual(small));
  EXPECT_TRUE(empty.isEqual(small));
  int count = -1;
  EXPECT_EQ(big.isCompatible(small, count), Acad::eOk);
  EXPECT_EQ(count, 1);
  int index = -1;
  EXPECT_EQ(big.findCompatible(entry("other", "G", kObjGenVar, "y"), index), Acad::eOk);
  EXPECT_EQ(index, 1);
  // The same variable bound to another value, or as another type, is no match.
  EXPECT_FALSE(mappingOf({entry("a", "G", kObjDistance, "Z")}).isEqual(big));
  EXPECT_FALSE(mappingOf({entry("a", "G", kObjPrPlName, "X")}).isEqual(big));
}

TEST(KvSSMapping, FindSSVarWantsTheExactTypeFirstThenAnyNumber) {
  KvSSMapping m = mappingOf({entry("Rows", "B", kObjPatternNrBolts1, "P"),
                             entry("Start", "B", kObjPatternReverseStart1, "P"),
                             entry("rows", "B", kObjDistance, "Pitch"),
                             entry("Both", "B", kObjDistance, "Pitch"),
                             entry("Both", "B", kObjPatternReverseStart1, "P")});
  int index = -1;
  EXPECT_EQ(m.findSSVar("ROWS", kValueString, index), Acad::eOk);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(m.findSSVar("Rows", kValueDouble, index), Acad::eOk);
  EXPECT_EQ(index, 2);
  // Whole and real numbers bind to each other; text only to text.
  EXPECT_EQ(m.findSSVar("Rows", kValueInt, index), Acad::eOk);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(m.findSSVar("Start", kValueDouble, index), Acad::eOk);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(m.findSSVar("Start", kValueString, index), Acad::eInvalidInput);
  EXPECT_EQ(m.findSSVar("Both", kValueInt, index), Acad::eOk);
  EXPECT_EQ(index, 4);
  EXPECT_EQ(m.findSSVar("Both", kValueDouble, index), Acad::eOk);
  EXPECT_EQ(index, 3);
  EXPECT_EQ(m.findSSVar("Start", kValueInt, index), Acad::eOk);
  EXPECT_EQ(index, 1);
  // Entries changed through the writable array are found as they are now.
  m.mappedObjectsWrite()[1].ssVarName = "Begin";
  EXPECT_EQ(m.findSSVar("Start", kValueInt, index), Acad::eInvalidInput);
  EXPECT_EQ(m.findSSVar("begin", kValueInt, index), Acad::eOk);
}

class MacroMapping : public ::testing::Test {
 protected:
  void SetUp() override {
    Nx_String error;
    ASSERT_TRUE(drawing.loadText(kDrawing, "test", error)) << error.str();
    savedLib = gSettings.libDir;
    gSettings.setLibDir((std::string(SS_SOURCE_DIR) + "/examples/library").c_str());
    tr = std::make_unique<AcTransaction>(drawing.database());
    ASSERT_EQ(tr->getObject(macro, drawing.findMacro("M"), AcDb::kForWrite), Acad::eOk);
    macro->getMacroData(data);
  }
  void TearDown() override { gSettings.libDir = savedLib; }
  double height(const char* module) {
    Nx_Module* m = nullptr;
    macro->getMacroWrite()->findModuleWrite(module, m);
    return m->findConstrVar("Height")->value;
  }
  Nx_Drawing drawing;
  Nx_String savedLib;
  std::unique_ptr<AcTransaction> tr;
  Nx_DbMacro* macro = nullptr;
  MacroData data;
};

std::string describe(const KvObjectMap& m) {
  return m.objectName.str() + "|" + objectKindKeyword(m.kind) + "|" + m.varName.str() + "|" +
         std::to_string(m.visibility);
}

TEST_F(MacroMapping, TheValidVariablesOfAMacroComeInModuleOrder) {
  KvSSMapping m;
  ASSERT_EQ(m.initAllVarsFromMacro(macro, tr.get()), Acad::eOk);
  std::vector<std::string> found;
  for (const KvObjectMap& e : m.mappedObjects()) found.push_back(describe(e));
  std::vector<std::string> expected = {
      "Plate|Distance|Height|0",
      "Plate|Distance|Hidden|3",
      "Plate|Distance|Shown|1",
      "Plate|CutInsideOffset|Notch|0",
      "Plate|CutOutsideOffset|Notch|0",
      "Plate|Distance|Height|0",
      "Bolts|BoltsDiameter||0",
      "Bolts|BoltsHoleOffset||0",
      "Bolts|PatternNrBolts1|Row|0",
      "Bolts|PatternReverseStart1|Row|0",
      "Bolts|PatternNrBolts1|Grid|0",
      "Bolts|PatternReverseStart1|Grid|0",
      "Bolts|PatternNrBolts2|Grid|0",
      "Bolts|PatternReverseStart2|Grid|0",
      "Placer|OwnedMemberName|FinPlate|0",
      "|PrPlName|Prof0|0",
      "|PrPlMaterial|Prof0|0",
  };
  ASSERT_GT(found.size(), expected.size() + 2);
  EXPECT_EQ(std::vector<std::string>(found.begin(), found.begin() + expected.size()), expected);
  // Then one value per section column of HEA200, and the general variables.
  EXPECT_EQ(found[expected.size()], "|MemberSectionSize|Prof0;0|0");
  EXPECT_FALSE(m.mappedObjects()[static_cast<int>(expected.size())].description.isEmpty());
  EXPECT_EQ(found[found.size() - 2], "|GenVar|gen_A|0");
  EXPECT_EQ(found.back(), "|GenVar|gen_B|0");
  EXPECT_EQ(m.initAllVarsFromMacro(nullptr, tr.get()), Acad::eInvalidInput);
}

TEST_F(MacroMapping, ValidVariablesByTypeAndSortedByVisibility) {
  KvSSMapping m;
  ASSERT_EQ(m.initAllVarsFromMacro(macro, tr.get()), Acad::eOk);
  AcArray<int> text, whole;
  m.getValidVars(true, kValueString, text);
  for (int i : text) {
    KvObjectKind k = m.mappedObjects()[i].kind;
    EXPECT_TRUE(k == kObjPrPlName || k == kObjPrPlMaterial || k == kObjOwnedMemberName ||
                k == kObjPatternNrBolts1 || k == kObjPatternNrBolts2)
        << describe(m.mappedObjects()[i]);
  }
  EXPECT_EQ(text.length(), 6);
  m.getValidVars(false, kValueInt, whole);
  EXPECT_EQ(whole.length() + text.length(), m.mappedObjects().length());
  EXPECT_GE(whole.find(9), 0);  // PatternReverseStart1 of Row

  AcArray<int> indices = {0, 1, 2, 3};
  ASSERT_EQ(m.sortValidVars(indices, AcArray<int>{kVisibleAndSettable, kSettableOnly}), Acad::eOk);
  EXPECT_EQ(indices, (AcArray<int>{0, 3, 1, 2}));
  EXPECT_EQ(m.sortValidVars(indices, AcArray<int>()), Acad::eInvalidInput);
  EXPECT_TRUE(indices.isEmpty());
}

TEST_F(MacroMapping, MacroModeReadsAndWritesThroughTheEntries) {
  KvSSMapping m =
      mappingOf({entry("H", "Plate", kObjDistance, "Height"), entry("A", "", kObjGenVar, "gen_A")});
  KvDlgStandardsData request;
  ASSERT_EQ(request.initialize(macro, "Sheet", "K", &data), Acad::eOk);
  request.transaction = tr.get();
  Nx_String value;
  EXPECT_EQ(m.getMacroVarValue("a", kValueDouble, value, request), Acad::eOk);
  EXPECT_EQ(value, "1.5");
  // A group value reads as its last module's.
  EXPECT_EQ(m.getMacroVarValue("H", kValueDouble, value, request), Acad::eOk);
  EXPECT_EQ(value, "50");
  value = "75";
  EXPECT_EQ(m.setMacroVarValue("H", kValueDouble, value, request), Acad::eOk);
  EXPECT_EQ(height("Plate"), 75.0);
  EXPECT_EQ(height("Plate2"), 75.0);
  EXPECT_EQ(m.getMacroVarValue("H", kValueString, value, request), Acad::eInvalidInput);
  // A whole-number variable on a real-number value reads and writes it.
  EXPECT_EQ(m.getMacroVarValue("H", kValueInt, value, request), Acad::eOk);
  EXPECT_EQ(value, "75");
  value = "80";
  EXPECT_EQ(m.setMacroVarValue("H", kValueInt, value, request), Acad::eOk);
  EXPECT_EQ(height("Plate"), 80.0);
  request.macro = nullptr;
  EXPECT_EQ(m.getMacroVarValue("H", kValueDouble, value, request), Acad::eInvalidInput);
}

TEST_F(MacroMapping, AModuleGroupWriteReachesEveryModuleYetReportsFailure) {
  KvSSMapping m;
  EXPECT_EQ(m.initFromModuleGroup(""), Acad::eInvalidInput);
  ASSERT_EQ(m.initFromModuleGroup("Plate"), Acad::eOk);
  EXPECT_EQ(m.mode(), KvSSMapping::kModuleGroup);
  KvDlgStandardsData request;
  ASSERT_EQ(request.initialize(macro, "Sheet", "Module.Plate", &data), Acad::eOk);
  request.transaction = tr.get();
  Nx_String value;
  ASSERT_EQ(m.getMacroVarValue("Height", kValueDouble, value, request), Acad::eOk);
  EXPECT_EQ(value, "100");  // the first module that answers
  EXPECT_EQ(m.getMacroVarValue("gen.A", kValueDouble, value, request), Acad::eOk);
  EXPECT_EQ(value, "1.5");
  EXPECT_EQ(m.getMacroVarValue("Nothing", kValueDouble, value, request), Acad::eInvalidInput);
  value = "12";
  EXPECT_EQ(m.setMacroVarValue("Height", kValueDouble, value, request), Acad::eInvalidInput);
  EXPECT_EQ(height("Plate"), 12.0);
  EXPECT_EQ(height("Plate2"), 12.0);
}

TEST_F(MacroMapping, InitFromMacroNeedsAMacroAndNoModuleGroup) {
  KvSSMapping m;
  KvDlgStandardsData request;
  EXPECT_EQ(m.initFromMacro(request), Acad::eInvalidInput);
  ASSERT_EQ(request.initialize(macro, "NoSuchSheet", "Module.Plate", &data), Acad::eOk);
  EXPECT_EQ(m.initFromMacro(request), Acad::eInvalidInput);
  request.initialize(macro, "NoSuchSheet", "K", &data);
  EXPECT_EQ(m.initFromMacro(request), Acad::eInvalidInput);  // no mapping file
  EXPECT_EQ(m.mode(), KvSSMapping::kMacro);
}

// Reading every value a macro offers and writing it back, twice: the second
// round changes nothing, for every kind.
using EveryKind = ExampleMacro;

TEST_F(EveryKind, WritingBackWhatWasReadChangesNothingTheSecondTime) {
  KvSSMapping all;
  ASSERT_EQ(all.initAllVarsFromMacro(dbMacro, tr.get()), Acad::eOk);
  std::set<int> kinds;
  auto round = [&] {
    for (int i = 0; i < all.mappedObjects().length(); ++i) {
      KvObjectMap m = all.mappedObjects()[i];
      Nx_String v;
      ASSERT_EQ(m.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk) << describe(m);
      kinds.insert(m.kind);
      if (!isReadOnlyKind(m.kind)) {
        EXPECT_EQ(m.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk) << describe(m);
      }
    }
    dbMacro->setMacroData(data);
  };
  round();
  std::string first = drawing.toJson();
  round();
  EXPECT_EQ(drawing.toJson(), first);
  for (KvObjectKind k :
       {kObjDistance, kObjGenVar, kObjPatternNrBolts1, kObjPatternNrBolts2,
        kObjPatternReverseStart1, kObjPatternReverseStart2, kObjBoltsDiameter, kObjOwnedMemberName})
    EXPECT_TRUE(kinds.count(k)) << objectKindKeyword(k);
}

}  // namespace
