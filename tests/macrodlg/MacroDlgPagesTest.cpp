// The pages of the macro dialog on the sample drawing: values shown and
// written back, "Load from standards", property files, and designs that
// cannot be shown whole.
#include <fstream>

#include "common/SSExports.h"
#include "core/macro/Nx_ProfPlacementModule.h"
#include "host/MacroDlgTable.h"
#include "macrodlg/MacroDesignedPage.h"
#include "macrodlg/MacroGridPage.h"
#include "macrodlg/MacroProfilePage.h"
#include "platform/ui/Edit.h"
#include "tests/macrodlg/MacroDlgFixture.h"

namespace {

using MacroDlgPages = MacroDlgFixture;

ui::Window* designedField(MacroDesignedPage& page, const char* contents, int type) {
  int id = page.controlOf(contents, type);
  return id ? page.item(id) : nullptr;
}

TEST_F(MacroDlgPages, TheDesignedPageShowsAndWritesTheMacrosValues) {
  KvMacroDlg& d = open("EP-101");
  auto* page = dynamic_cast<MacroDesignedPage*>(d.page(0));
  ASSERT_NE(page, nullptr);
  int width = 0, height = 0;
  page->design().getImageSize(width, height);
  EXPECT_GT(width, 0);
  EXPECT_EQ(page->neededSize(), (ui::Size{width, height}));

  auto* thickness = dynamic_cast<ui::Edit*>(designedField(*page, "Thickness", ctInputField));
  auto* pitch = designedField(*page, "Pitch", ctInputField);
  auto* rows = designedField(*page, "Pattern1", ctBoltCount1);
  ASSERT_TRUE(thickness && pitch && rows);
  EXPECT_EQ(thickness->text(), "12");
  // A variable of another group of the macro, and a bolt count of the bolt tab.
  EXPECT_EQ(pitch->text(), "120");
  EXPECT_EQ(rows->text(), "2");

  thickness->userType("14");
  dynamic_cast<ui::Edit*>(rows)->userType("3");
  page->store();
  EXPECT_EQ(variable("EP-101", "EndPlate", "Thickness"), 14.0);
  EXPECT_EQ(d.macroData().getTab(1)->patterns[0].nrBolts1, "3");
  bool fixed = false, flex = true;
  ASSERT_TRUE(d.macroData().getTab(0)->getFlexFixBtnStatus("Thickness", fixed, flex));
  EXPECT_TRUE(fixed);
  EXPECT_FALSE(flex);

  // A value that is no number keeps the macro's value and shows it again.
  thickness->userType("thick");
  page->store();
  EXPECT_EQ(variable("EP-101", "EndPlate", "Thickness"), 14.0);
  EXPECT_EQ(thickness->text(), "14");
}

TEST_F(MacroDlgPages, TheGridPageEditsValuesFlagsAndBoltChoices) {
  KvMacroDlg& d = open("EP-101");
  auto* grid = select<MacroGridPage>(1);
  ASSERT_NE(grid, nullptr);
  ASSERT_EQ(grid->shownRows().size(), 3u);
  Nx_String text;
  grid->sheet().getCellText(MacroGridPage::kValueCol, 3, text);
  EXPECT_EQ(text, "50");
  EXPECT_EQ(grid->listText(dlg_macro_grid::IDC_DIAMETER,
                           grid->listSelection(dlg_macro_grid::IDC_DIAMETER)),
            "16");

  grid->sheet().userEdit(MacroGridPage::kValueCol, 1, "1e999");
  grid->sheet().userEdit(MacroGridPage::kValueCol, 2, "95");
  grid->sheet().userClickCell(MacroGridPage::kVisibleCol, 3);
  script.now(*grid)
      .pick(dlg_macro_grid::IDC_DIAMETER, "20")
      .pick(dlg_macro_grid::IDC_ASSEMBLY, "Bolt, nut, washer");
  grid->store();
  EXPECT_EQ(variable("EP-101", "Bolts", "Pitch"), 120.0);
  EXPECT_NE(commandLine.text().find("Pitch must be a number"), std::string::npos);
  EXPECT_EQ(variable("EP-101", "Bolts", "Gauge"), 95.0);
  EXPECT_FALSE(grid->shownRows()[2].visible);
  EXPECT_EQ(d.macroData().getTab(1)->boltData.diameter, "20");
  EXPECT_EQ(d.macroData().getTab(1)->boltData.assembly, "Bolt, nut, washer");
  // "Geavanceerd ..." takes the edits first and hands the tab to the advanced dialog.
  std::string advancedTab;
  MacroGridPage::setAdvancedOpener([&advancedTab](MacroData& data, const Nx_String& tab) {
    advancedTab = tab.str() + " " + data.getTab(1)->boltData.diameter.str();
  });
  grid->sheet().userEdit(MacroGridPage::kValueCol, 2, "96");
  script.now(*grid).click(dlg_macro_grid::IDC_ADVANCED);
  MacroGridPage::setAdvancedOpener(nullptr);
  EXPECT_EQ(advancedTab, "Bolts 20");
  EXPECT_EQ(variable("EP-101", "Bolts", "Gauge"), 96.0);
  // The Beam tab has no bolts: its lists are off.
  auto* beam = select<MacroGridPage>(2);
  EXPECT_FALSE(beam->isItemEnabled(dlg_macro_grid::IDC_DIAMETER));
  EXPECT_TRUE(beam->shownRows().empty());
}

TEST_F(MacroDlgPages, TheProfilePageEditsMemberNamesSectionsAndMaterials) {
  KvMacroDlg& d = open("FP-201");
  auto* profiles = dynamic_cast<MacroProfilePage*>(d.page(0));
  ASSERT_NE(profiles, nullptr);
  ASSERT_EQ(profiles->shownRows().size(), 1u);
  EXPECT_EQ(profiles->shownRows()[0].section, "FL80x8");
  EXPECT_EQ(profiles->shownRows()[0].material, "S355");
  profiles->sheet().userEdit(MacroProfilePage::kMemberCol, 1, "Fin");
  profiles->sheet().userEdit(MacroProfilePage::kSectionCol, 1, "FL100x10");
  select<MacroGridPage>(1);
  EXPECT_EQ(d.macroData().getTab(0)->mergedProps[0].memberName, "Fin");
  AcTransaction tr(drawing.database());
  Nx_DbMacro* macro = nullptr;
  tr.getObject(macro, drawing.findMacro("FP-201"), AcDb::kForRead);
  const Nx_Module* module = nullptr;
  macro->getMacro()->findModule("FinPlate", module);
  EXPECT_EQ(asProfPlacementModule(module)->placements()[0].section, "FL100x10");
  EXPECT_EQ(asProfPlacementModule(module)->placements()[0].material, "S355");
}

TEST_F(MacroDlgPages, AModelessDialogHandsOverWhatIsTypedOnItsPage) {
  MacroData data = dataOf("FP-201");
  int index = -1;
  ASSERT_TRUE(StartDlgMacroModeless(true, data, index));
  auto* profiles = dynamic_cast<MacroProfilePage*>(gMacroDlgs[index]->page(0));
  ASSERT_NE(profiles, nullptr);
  profiles->sheet().userEdit(MacroProfilePage::kMemberCol, 1, "Fin 2");
  MacroData out;
  ASSERT_TRUE(GetDlgMacroData(index, out));
  EXPECT_EQ(out.getTab(0)->mergedProps[0].memberName, "Fin 2");
  EXPECT_TRUE(EndDlgMacroModeless(index));
}

TEST_F(MacroDlgPages, LoadFromStandardsShowsTheSheetsResults) {
  KvMacroDlg& d = open("EP-101");
  auto* page = dynamic_cast<MacroDesignedPage*>(d.page(0));
  designedField(*page, "Thickness", ctInputField)->setText("9");
  clearClashCalls();
  script.now(d).click(dlg_macro::IDC_LOAD_STANDARDS);
  // The end plate sheet gives an IPE300 beam a 15 mm plate, whatever was typed.
  page = dynamic_cast<MacroDesignedPage*>(d.page(0));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(designedField(*page, "Thickness", ctInputField)->text(), "15");
  EXPECT_EQ(variable("EP-101", "EndPlate", "Thickness"), 15.0);
  EXPECT_EQ(clashCalls().back(), "check skipped");
}

TEST_F(MacroDlgPages, PropertyFilesRoundTripAndChangeOnlyWhatDiffers) {
  MacroData data = dataOf("EP-101");
  data.allowPropLists = true;
  KvMacroDlg& d = open(data);
  EXPECT_TRUE(d.isItemEnabled(dlg_macro::IDC_READ_PROPERTIES));
  const std::string file = (folder / "bolts.json").string();
  script.chooseFile(file);
  script.now(d).click(dlg_macro::IDC_WRITE_PROPERTIES);

  // The file with the bolt tab's diameter changed.
  std::ifstream in(file);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  text.replace(text.find("\"16\""), 4, "\"24\"");
  std::ofstream(file) << text;
  script.chooseFile(file).answer(ui::IDOK, "changed 1 values");
  script.now(d).click(dlg_macro::IDC_READ_PROPERTIES);
  EXPECT_TRUE(script.done());
  // The dialog keeps every tab; the macro takes the changed one.
  EXPECT_EQ(tabs().count(), 3);
  EXPECT_EQ(d.macroData().tabCount(), 3);
  EXPECT_EQ(d.macroData().getTab(1)->boltData.diameter, "24");
  EXPECT_EQ(dataOf("EP-101").getTab(1)->boltData.diameter, "24");

  std::ofstream(file) << "{\n  \"format\": \"macro properties\",\n  oops\n}\n";
  script.chooseFile(file).answer(ui::IDOK, "line 3");
  script.now(d).click(dlg_macro::IDC_READ_PROPERTIES);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(d.macroData().getTab(1)->boltData.diameter, "24");
}

TEST_F(MacroDlgPages, ADesignWithoutTemplateOrPictureStillOpensAndSaysSoOnce) {
  MacroData data = dataOf("EP-101");
  data.getTab(0)->designedDialog = "Connections/Nowhere";
  KvMacroDlg& d = open(data);
  EXPECT_NE(dynamic_cast<MacroGridPage*>(d.page(0)), nullptr);
  script.now(d).click(dlg_macro::IDC_LOAD_STANDARDS);
  ASSERT_EQ(d.reported().size(), 1u);
  EXPECT_NE(d.reported()[0].find("Connections/Nowhere"), std::string::npos);
  d.destroyWindow();

  // A template of its own without a picture beside it.
  const auto designs = folder / "Dialog Templates" / "Dialog Design" / "Connections";
  std::filesystem::create_directories(designs);
  std::filesystem::copy_file(
      std::string(SS_SOURCE_DIR) +
          "/examples/library/Dialog Templates/Dialog Design/Connections/End plate.txt",
      designs / "End plate.txt");
  gSettings.setLibDir(folder.string());
  KvMacroDlg& bare = open(dataOf("EP-101"));
  auto* page = dynamic_cast<MacroDesignedPage*>(bare.page(0));
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->item(dlg_macro_designed::IDC_NOTE)->isVisible());
  ASSERT_EQ(bare.reported().size(), 1u);
  EXPECT_NE(bare.reported()[0].find("picture"), std::string::npos);
  // The values are bound as ever (the standards ran above).
  EXPECT_EQ(designedField(*page, "Thickness", ctInputField)->text(), "15");
}

TEST_F(MacroDlgPages, StartDlgMacroHandsBackTheDataHoweverItEnds) {
  MacroData data = dataOf("EP-101");
  script.modal(KvMacroDlg::kTemplateId)
      .check([](ui::Dialog& d) {
        auto& dlg = static_cast<KvMacroDlg&>(d);
        auto* grid = dynamic_cast<MacroGridPage*>(dlg.page(1));
        dlg.itemAs<ui::TabControl>(dlg_macro::IDC_TABS)->userSelect(1);
        grid->listSelect(dlg_macro_grid::IDC_DIAMETER,
                         grid->listFind(dlg_macro_grid::IDC_DIAMETER, "27"));
        grid->handleCommand(dlg_macro_grid::IDC_DIAMETER, ui::CBN_SELCHANGE);
      })
      .cancel();
  StartDlgMacro(data);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(data.getTab(1)->boltData.diameter, "27");
}

}  // namespace
