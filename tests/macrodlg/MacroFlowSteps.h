#pragma once
// The main job in the macro dialog, step by step, for the headless test and
// the run under a real X server: a copy of the sample library with a new
// sheet, the new sheet mapped on EP-101 through the macro settings dialog,
// and what "Load from standards" then makes of the end plate.
#include <filesystem>
#include <fstream>
#include <string>

#include "core/Nx_Settings.h"
#include "mapping/KvStandardsMappingPage.h"
#include "platform/ui/Dialog.h"
#include "resources/dialogs/DLG_STANDARDS_MAPPING.h"

namespace macroflow {

namespace fs = std::filesystem;

inline constexpr int kSettingsTemplate = 9110;  // the core's macro settings dialog
// The new sheet: the plate twice as thick as the overhang (10 in the sample: 20).
inline constexpr const char* kChecksSheet =
    "Input\nDouble Overhang\nOutput\nDouble PlateThickness\nCalc\n"
    "PlateThickness = Overhang * 2\n";
inline constexpr const char* kExpectedThickness = "20";

// Copies the sample library to root, adds the new sheet and makes it the library.
inline void makeLibrary(const fs::path& root) {
  fs::remove_all(root);
  fs::copy(fs::path(SS_SOURCE_DIR) / "examples/library", root, fs::copy_options::recursive);
  std::ofstream(root / "Connection Standards" / "Checks.kvs") << kChecksSheet;
  gSettings.setLibDir(root.string().c_str());
}

inline KvStandardsMappingPage* pageOf(ui::Dialog& settings) {
  ui::Window* tabs = settings.item(1000);
  if (!tabs) return nullptr;
  for (ui::Window* child : tabs->children())
    if (auto* page = dynamic_cast<KvStandardsMappingPage*>(child)) return page;
  return nullptr;
}

// On the open settings dialog: the new sheet after EndPlate, its input on
// the macro's overhang and its output on the plate's thickness. False when
// a step could not be done as a user does it.
inline bool mapChecksSheet(ui::Dialog& settings) {
  KvStandardsMappingPage* page = pageOf(settings);
  if (!page) return false;
  page->listSheet().userClickCell(1, 1);
  page->handleCommand(dlg_standards_mapping::IDC_ADD, ui::BN_CLICKED);
  if (!page->listSheet().userEdit(1, 1, "Checks")) return false;
  const std::pair<const char*, const char*> choices[] = {{"Overhang", "gen_PlateOverhang.GenVar"},
                                                         {"PlateThickness", "EndPlate.Thickness"}};
  for (auto [variable, entry] : choices) {
    const int row = page->rowOfVariable(variable);
    if (row <= 0 || !page->comboEntries(row).contains(entry, true)) return false;
    if (!page->mappingSheet()->userEdit(2, row, entry)) return false;
  }
  // Down: the new sheet runs after the end plate's, whose thickness it overrides.
  page->handleCommand(dlg_standards_mapping::IDC_DOWN, ui::BN_CLICKED);
  return true;
}

}  // namespace macroflow
