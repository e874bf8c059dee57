#pragma once
// A library folder of its own for each test: sheets written as CSV rows,
// mapping lines, a small drawing with one macro, and the headless script
// that answers the module's message boxes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/Nx_Settings.h"
#include "core/macro/Nx_Drawing.h"
#include "host/KvSSDlgsMgr.h"
#include "platform/ui/testing/GTestScript.h"
#include "standards/KvDlgStandardsData.h"

// One CSV line; cells with a comma or a quote are quoted.
inline std::string csvLine(const std::vector<std::string>& cells) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i) line += ',';
    const std::string& c = cells[i];
    if (c.find_first_of(",\"") == std::string::npos) {
      line += c;
      continue;
    }
    line += '"';
    for (char ch : c) line += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    line += '"';
  }
  return line;
}

// A macro "M1": module Plate (group Plate: Height 100, Width 0, Height2 7,
// Thickness 0), bolt module Bolts (pattern P1 in two directions), base
// profile HEA200 in S235, general variables gen_Step 5 and gen_Grade 355.
inline const char* kTestDrawing = R"({
  "format": "connection-standards drawing", "version": 1,
  "macros": [{
    "name": "M1", "kind": "Test",
    "generalVariables": [{"name": "gen_Step", "value": 5.0}, {"name": "gen_Grade", "value": 355.0}],
    "baseProfiles": [{"section": "HEA200", "material": "S235"}],
    "standards": [{"sheet": "Plate", "object": "K1"}],
    "modules": [
      {"name": "Plate", "group": "Plate", "type": 231,
       "variables": [{"name": "Height", "value": 100.0}, {"name": "Width", "value": 0.0},
                     {"name": "Height2", "value": 7.0}, {"name": "Thickness", "value": 0.0}]},
      {"name": "Bolts", "group": "Bolts", "type": 232,
       "variables": [{"name": "Pitch", "value": 60.0}],
       "patterns": [{"name": "P1", "layout": 282}]}
    ]
  }]
})";

// A mapping file's version line, and its line binding Height and Width of the
// group Plate under key K1.
inline const char kMap[] = "Mapping version 1.0\n";
inline const char kPlateLine[] =
    "K1=Height\x83Plate\x95"
    "Distance Height\xBFWidth\x83Plate\x95"
    "Distance Width\n";

class StandardsLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    root = std::filesystem::temp_directory_path() /
           ("ss-standards-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "Connection Standards" / "Childs");
    saved = gSettings;
    gSettings.setLibDir(root.string().c_str());
    gSettings.showStandardsMessages = false;
  }
  void TearDown() override {
    // Pooled dialogs must not outlive the script's backend.
    gSSDlgsMgr.destroyAll();
    gSettings = saved;
    std::filesystem::remove_all(root);
  }

  std::filesystem::path standards() const { return root / "Connection Standards"; }

  // Writes a sheet of CSV rows under "Connection Standards"; the full path.
  std::string writeSheet(const std::string& relative,
                         const std::vector<std::vector<std::string>>& rows) {
    std::filesystem::path path = standards() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    for (const auto& row : rows) out << csvLine(row) << "\n";
    return path.string();
  }
  // The child sheet Childs/NAME: Input Size, Count; Output Total (Size * 2 * Count).
  void writeBoltsChild(const std::string& name) {
    writeSheet("Childs/" + name, {{"Input"},
                                  {"Int Size"},
                                  {"Int Count"},
                                  {"Output"},
                                  {"Double Total"},
                                  {"Local"},
                                  {"Double Step"},
                                  {"Calc"},
                                  {"Step = Size * 2"},
                                  {"Total = Step * Count"}});
  }
  // The parent sheet Plate.kvs (Input Height; Output Width; Local Bolts,
  // Count) over the child Childs/Bolts.kvs, with these Calc rows, and its
  // mapping line.
  void writePlateOverBolts(const std::vector<std::string>& calc) {
    writeBoltsChild("Bolts.kvs");
    std::vector<std::vector<std::string>> rows = {
        {"Input"}, {"Double Height"}, {"Output"},    {"Double Width"},
        {"Local"}, {"Int Bolts"},     {"Int Count"}, {"Calc"}};
    for (const std::string& row : calc) rows.push_back({row});
    writeSheet("Plate.kvs", rows);
    writeFile("Plate.map", std::string(kMap) + kPlateLine);
  }
  void writeFile(const std::string& relative, const std::string& text) {
    std::ofstream out(standards() / relative, std::ios::binary);
    out << text;
  }

  // The test drawing's macro, open for write, with a parent request for the
  // sheet and key (general variables of the macro included).
  void openMacro(const std::string& sheet, const std::string& object) {
    Nx_String error;
    ASSERT_TRUE(drawing.loadText(kTestDrawing, "test", error)) << error.str();
    tr = std::make_unique<AcTransaction>(drawing.database());
    ASSERT_EQ(tr->getObject(macro, drawing.findMacro("M1"), AcDb::kForWrite), Acad::eOk);
    macro->getMacroData(data);
    ASSERT_EQ(request.initialize(macro, sheet.c_str(), object.c_str(), &data), Acad::eOk);
    request.transaction = tr.get();
    request.genVarNames = {"gen_Step", "gen_Grade"};
    request.genVarValues = {"5", "355"};
  }
  double variable(const char* module, const char* name) {
    Nx_Module* m = nullptr;
    macro->getMacroWrite()->findModuleWrite(module, m);
    return m->findConstrVar(name)->value;
  }

  ui::test::GTestScript script;
  std::filesystem::path root;
  Nx_Settings saved;
  Nx_Drawing drawing;
  std::unique_ptr<AcTransaction> tr;
  Nx_DbMacro* macro = nullptr;
  MacroData data;
  KvDlgStandardsData request;
};

// A variable's value in a run's cells, or "<missing>".
inline Nx_String valueOf(const KvVarCells& cells, const char* name) {
  int index = -1;
  if (cells.findVarCell(name, index) != Acad::eOk) return "<missing>";
  return cells[index].value;
}
