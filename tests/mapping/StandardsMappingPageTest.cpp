// The standards page of the macro settings dialog on a copy of the sample
// library: the list of sheets, the mapping grid, saving under new keys, and
// a new sheet's mapping carried through "load from standards" into the
// saved drawing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/MacroSettingsDlg.h"
#include "core/Nx_Settings.h"
#include "core/macro/MacroData.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "core/macro/Nx_Module.h"
#include "mapping/KvStandardsMappingPage.h"
#include "platform/base/AtomicFile.h"
#include "platform/ui/TabControl.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_STANDARDS_MAPPING.h"
#include "tests/e2e/HostRun.h"

namespace fs = std::filesystem;
using namespace ui;
using namespace dlg_standards_mapping;

namespace {
constexpr int kSettingsTemplate = 9110;  // the core's macro settings dialog

// A new sheet beside the sample's: one Input and one Output.
const char* const kChecksSheet =
    "Input\nDouble Overhang\nOutput\nDouble PlateThickness\nCalc\n"
    "PlateThickness = Overhang * 2\n";

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

KvStandardsMappingPage& pageOf(Dialog& settings) {
  Window* tabs = settings.item(1000);
  EXPECT_NE(tabs, nullptr);
  for (Window* child : tabs->children())
    if (auto* page = dynamic_cast<KvStandardsMappingPage*>(child)) return *page;
  throw std::runtime_error("no standards page");
}

// The combo text the page shows for the row of a variable.
Nx_String chosen(KvStandardsMappingPage& page, const char* variable) {
  Nx_String text;
  page.mappingSheet()->getCellText(2, page.rowOfVariable(variable), text, Nx_Spread::kValue);
  return text;
}

// Picks a combo entry as the user does; the entry must be offered.
void choose(KvStandardsMappingPage& page, const char* variable, const char* entry) {
  int row = page.rowOfVariable(variable);
  ASSERT_GT(row, 0) << variable;
  ASSERT_TRUE(page.comboEntries(row).contains(entry, true)) << entry;
  ASSERT_TRUE(page.mappingSheet()->userEdit(2, row, entry));
}

class StandardsPage : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("ss-mappingpage-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::copy(fs::path(SS_SOURCE_DIR) / "examples/library", root, fs::copy_options::recursive);
    std::ofstream(standards() / "Checks.kvs") << kChecksSheet;
    savedLib = gSettings.libDir;
    gSettings.setLibDir(root.string().c_str());
    Nx_String error;
    ASSERT_TRUE(drawing.load(drawingPath().string().c_str(), error)) << error.c_str();
    Nx_Drawing::setWorking(&drawing);
  }
  void TearDown() override {
    base::setAtomicWriteFailureAfter(-1);
    Nx_Drawing::setWorking(nullptr);
    gSettings.libDir = savedLib;
    fs::remove_all(root);
  }
  fs::path standards() const { return root / "Connection Standards"; }
  fs::path drawingPath() const { return root / "Macros" / "Connections.json"; }
  void standardsOf(const char* macro, Nx_StringArray& sheets, Nx_StringArray& objects) {
    AcTransaction tr(drawing.database());
    Nx_DbMacro* m = nullptr;
    ASSERT_EQ(tr.getObject(m, drawing.findMacro(macro), AcDb::kForRead), Acad::eOk);
    m->getMacro()->getStandards(sheets, objects);
  }

  fs::path root;
  Nx_String savedLib;
  Nx_Drawing drawing;
};
}  // namespace

TEST_F(StandardsPage, ShowsTheSheetsAndTheStoredMappingOfTheEntireMacro) {
  test::GTestScript script;
  script.modal(kSettingsTemplate)
      .check([](Dialog& d) {
        KvStandardsMappingPage& page = pageOf(d);
        Nx_String sheet, mapsTo;
        page.listSheet().getCellText(1, 1, sheet, Nx_Spread::kValue);
        page.listSheet().getCellText(2, 1, mapsTo, Nx_Spread::kValue);
        EXPECT_EQ(sheet, "EndPlate");
        EXPECT_EQ(mapsTo, KvStandardsMappingPage::kEntireMacro);
        EXPECT_EQ(chosen(page, "Overhang"), "gen_PlateOverhang.GenVar");
        EXPECT_EQ(chosen(page, "PlateThickness"), "EndPlate.Thickness");
        EXPECT_EQ(chosen(page, "BoltRows"), "Bolts.Pattern1.PatternNrBolts1");
        // A text variable is offered the text kinds only.
        for (const Nx_String& entry : page.comboEntries(page.rowOfVariable("BeamSection")))
          EXPECT_TRUE(entry.contains("PrPlName", true) || entry.contains("PrPlMaterial", true) ||
                      entry.contains("OwnedMemberName", true) ||
                      entry.contains("PatternNrBolts", true))
              << entry.c_str();
      })
      .ok();
  const std::string before = readFile(standards() / "EndPlate.map");
  // Nothing changed: no write, no new key, no change to the macro.
  EXPECT_FALSE(StartDlgMacroSettings(drawing.findMacro("EP-101")));
  EXPECT_EQ(readFile(standards() / "EndPlate.map"), before);
}

TEST_F(StandardsPage, ANewSheetsMappingIsSavedUnderANewKeyAndRunsIntoTheDrawing) {
  test::GTestScript script;
  script.modal(kSettingsTemplate)
      .check([](Dialog& d) {
        KvStandardsMappingPage& page = pageOf(d);
        // Add goes before the selected entry; Down then makes it the last.
        page.listSheet().userClickCell(1, 1);
        page.handleCommand(IDC_ADD, BN_CLICKED);
        ASSERT_EQ(page.listSheet().getMaxRows(), 2);
        EXPECT_EQ(page.currentEntry(), 0);
        ASSERT_TRUE(page.listSheet().userEdit(1, 1, "Checks"));
        choose(page, "Overhang", "gen_PlateOverhang.GenVar");
        choose(page, "PlateThickness", "EndPlate.Thickness");
        page.handleCommand(IDC_DOWN, BN_CLICKED);
        EXPECT_EQ(page.currentEntry(), 1);
        // Saved on the move, and shown again from the file.
        EXPECT_EQ(chosen(page, "Overhang"), "gen_PlateOverhang.GenVar");
        EXPECT_EQ(chosen(page, "PlateThickness"), "EndPlate.Thickness");
      })
      .ok();
  ASSERT_TRUE(StartDlgMacroSettings(drawing.findMacro("EP-101")));

  Nx_StringArray sheets, objects;
  standardsOf("EP-101", sheets, objects);
  ASSERT_EQ(sheets, (Nx_StringArray{"EndPlate", "Checks"}));
  const Nx_String key = objects[1];
  EXPECT_EQ(key.length(), KvStandardsMappingPage::kKeyLength);
  const std::string map = readFile(standards() / "Checks.map");
  EXPECT_NE(map.find(key.str() + "="), std::string::npos) << map;
  EXPECT_NE(map.find("Overhang\x83\x95GenVar gen_PlateOverhang"), std::string::npos) << map;
  EXPECT_NE(map.find("PlateThickness\x83"
                     "EndPlate\x95"
                     "Distance Thickness"),
            std::string::npos);

  // Load from standards: EndPlate, then Checks, whose result stays.
  MacroData data;
  {
    AcTransaction tr(drawing.database());
    Nx_DbMacro* m = nullptr;
    ASSERT_EQ(tr.getObject(m, drawing.findMacro("EP-101"), AcDb::kForRead), Acad::eOk);
    m->getMacroData(data);
  }
  data.macroId = drawing.findMacro("EP-101");
  EXPECT_TRUE(data.loadFromStandards());
  Nx_String error;
  ASSERT_TRUE(drawing.save(drawingPath().string().c_str(), error)) << error.c_str();
  const std::string saved = readFile(drawingPath());
  EXPECT_NE(saved.find("\"object\": \"" + key.str() + "\""), std::string::npos);
  Nx_Drawing reread;
  ASSERT_TRUE(reread.load(drawingPath().string().c_str(), error));
  AcTransaction tr(reread.database());
  Nx_DbMacro* m = nullptr;
  ASSERT_EQ(tr.getObject(m, reread.findMacro("EP-101"), AcDb::kForRead), Acad::eOk);
  const Nx_Module* plate = nullptr;
  ASSERT_EQ(m->getMacro()->findModule("EndPlate", plate), Acad::eOk);
  Nx_String thickness;
  ASSERT_EQ(getSetConstrVarValue(const_cast<Nx_Module*>(plate), "Thickness", thickness, true),
            Acad::eOk);
  EXPECT_EQ(thickness.toDouble(), 20.0);  // gen_PlateOverhang 10, twice
}

TEST_F(StandardsPage, TheSavedMappingRunsInSsHostEval) {
  test::GTestScript script;
  script.modal(kSettingsTemplate)
      .check([](Dialog& d) {
        KvStandardsMappingPage& page = pageOf(d);
        page.listSheet().userClickCell(1, 1);
        page.handleCommand(IDC_ADD, BN_CLICKED);
        ASSERT_TRUE(page.listSheet().userEdit(1, 1, "Checks"));
        choose(page, "Overhang", "gen_PlateStep.GenVar");
        choose(page, "PlateThickness", "EndPlate.Width");
      })
      .ok();
  ASSERT_TRUE(StartDlgMacroSettings(drawing.findMacro("EP-101")));
  Nx_String error;
  ASSERT_TRUE(drawing.save(drawingPath().string().c_str(), error)) << error.c_str();

  // The host program, as a user runs it on the saved drawing.
  e2e::Outcome r = e2e::runProgram(
      e2e::kHost, {"--library", root.string(), "eval", drawingPath().string(), "EP-101"}, root);
  EXPECT_EQ(r.code, 0) << r.err;
  const size_t checks = r.out.find("Sheet Checks (");
  ASSERT_NE(checks, std::string::npos) << r.out;
  // gen_PlateStep is 5: the plate's width becomes 10 (columns as wide as their texts).
  std::istringstream lines(r.out.substr(checks));
  std::string line, overhang, width;
  while (std::getline(lines, line) && (overhang.empty() || width.empty())) {
    if (line.find("Overhang ") != std::string::npos) overhang = line;
    if (line.find("PlateThickness ") != std::string::npos) width = line;
  }
  EXPECT_NE(overhang.find(" 5 "), std::string::npos) << r.out;
  EXPECT_NE(width.find(" 10 "), std::string::npos) << r.out;
  EXPECT_EQ(width.back(), '*') << r.out;
}

TEST_F(StandardsPage, AnEntryOnAModuleGroupHasNoGridAndSavesNothing) {
  test::GTestScript script;
  script.modal(kSettingsTemplate)
      .check([](Dialog& d) {
        KvStandardsMappingPage& page = pageOf(d);
        EXPECT_EQ(page.mappingSheet()->getMaxRows(), 0);
      })
      .ok();
  // The sheet on a module group has no mapping file, and gets none.
  ASSERT_FALSE(fs::exists(standards() / "BasePlate.map"));
  AcArray<AcDbObjectId> ids;
  drawing.getMacroIds(ids);
  Nx_StringArray sheets, objects;
  AcDbObjectId basePlate;
  for (int i = 0; i < ids.length() && basePlate.isNull(); ++i) {
    AcTransaction tr(drawing.database());
    Nx_DbMacro* m = nullptr;
    tr.getObject(m, ids[i], AcDb::kForRead);
    m->getMacro()->getStandards(sheets, objects);
    if (!objects.isEmpty() && objects[0] == "Module.BasePlate") basePlate = ids[i];
  }
  ASSERT_FALSE(basePlate.isNull());
  EXPECT_FALSE(StartDlgMacroSettings(basePlate));
  EXPECT_FALSE(fs::exists(standards() / "BasePlate.map"));
}

TEST_F(StandardsPage, DownOnTheSecondOfThreeMakesItTheThirdAndShowsItsMapping) {
  test::GTestScript script;
  script.modal(kSettingsTemplate)
      .check([](Dialog& d) {
        KvStandardsMappingPage& page = pageOf(d);
        for (const char* sheet : {"FinPlate", "Checks"}) {
          page.listSheet().userClickCell(1, 1);
          page.handleCommand(IDC_ADD, BN_CLICKED);
          ASSERT_TRUE(page.listSheet().userEdit(1, 1, sheet));
        }
        page.listSheet().userClickCell(1, 2);
        EXPECT_EQ(page.currentEntry(), 1);
        page.handleCommand(IDC_DOWN, BN_CLICKED);
        EXPECT_EQ(page.listSheet().getSelectedRow(), 3);
        EXPECT_EQ(page.currentEntry(), 2);
        Nx_String third;
        page.listSheet().getCellText(1, 3, third, Nx_Spread::kValue);
        EXPECT_EQ(third, "FinPlate");
        EXPECT_GT(page.rowOfVariable("MainBeamSection"), 0);  // FinPlate's variables
        EXPECT_TRUE(page.isModified());
      })
      .ok();
  ASSERT_TRUE(StartDlgMacroSettings(drawing.findMacro("EP-101")));
  Nx_StringArray sheets, objects;
  standardsOf("EP-101", sheets, objects);
  EXPECT_EQ(sheets, (Nx_StringArray{"Checks", "EndPlate", "FinPlate"}));
}

TEST_F(StandardsPage, AMappingThatCannotBeWrittenKeepsTheOldFileAndKeyAndSaysSo) {
  test::GTestScript script;
  script.modal(kSettingsTemplate)
      .check([](Dialog& d) {
        KvStandardsMappingPage& page = pageOf(d);
        choose(page, "Overhang", "gen_PlateStep.GenVar");
        base::setAtomicWriteFailureAfter(0);
      })
      .ok();
  script.answer(IDOK, "cannot be saved");
  const std::string before = readFile(standards() / "EndPlate.map");
  StartDlgMacroSettings(drawing.findMacro("EP-101"));
  base::setAtomicWriteFailureAfter(-1);
  EXPECT_EQ(readFile(standards() / "EndPlate.map"), before);
  Nx_StringArray sheets, objects;
  standardsOf("EP-101", sheets, objects);
  EXPECT_EQ(objects[0], "Q7mTz2KcR9wLx4VbN8jHd3Fs");
}
