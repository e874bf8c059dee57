// The main job through the macro dialog, headless: open EP-101 of the sample
// drawing, map a new sheet in the macro settings it opens, load from
// standards, see the result on the page, save the drawing, find it there.
#include <gtest/gtest.h>
#include <unistd.h>

#include "common/SSExports.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "macrodlg/KvMacroDlg.h"
#include "macrodlg/MacroDesignedPage.h"
#include "platform/base/AtomicFile.h"
#include "platform/ui/testing/GTestScript.h"
#include "tests/host/ModuleTestResources.h"
#include "tests/macrodlg/MacroFlowSteps.h"

namespace {

TEST(MacroDlgFlow, ANewSheetMappedInTheDialogRunsIntoThePageAndTheSavedDrawing) {
  registerModuleTemplates();
  const auto root =
      std::filesystem::temp_directory_path() / ("macrodlg-flow-" + std::to_string(getpid()));
  macroflow::makeLibrary(root);
  const Nx_String path = (root / "Macros" / "Connections.json").string().c_str();
  Nx_Drawing drawing;
  Nx_String error;
  ASSERT_TRUE(drawing.load(path, error)) << error.str();
  Nx_Drawing::setWorking(&drawing);

  MacroData data;
  {
    AcTransaction tr(drawing.database());
    Nx_DbMacro* macro = nullptr;
    ASSERT_EQ(tr.getObject(macro, drawing.findMacro("EP-101"), AcDb::kForRead), Acad::eOk);
    macro->getMacroData(data);
  }
  ui::test::GTestScript script;
  std::string shown;
  script.modal(KvMacroDlg::kTemplateId)
      .click(dlg_macro::IDC_MACRO_SETTINGS)
      .click(dlg_macro::IDC_LOAD_STANDARDS)
      .check([&shown](ui::Dialog& d) {
        auto* page = dynamic_cast<MacroDesignedPage*>(static_cast<KvMacroDlg&>(d).page(0));
        ASSERT_NE(page, nullptr);
        shown = page->item(page->controlOf("Thickness", ctInputField))->text();
      })
      .click(ui::IDOK);
  script.modal(macroflow::kSettingsTemplate)
      .check([](ui::Dialog& settings) { EXPECT_TRUE(macroflow::mapChecksSheet(settings)); })
      .ok();
  StartDlgMacro(data);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(shown, macroflow::kExpectedThickness);

  ASSERT_TRUE(drawing.save(path, error)) << error.str();
  std::string saved;
  ASSERT_TRUE(base::readWholeFile(path.str(), saved));
  const size_t plate = saved.find("\"name\": \"Thickness\"", saved.find("\"EP-101\""));
  ASSERT_NE(plate, std::string::npos);
  const std::string expected = "\"value\": 20.0";
  EXPECT_EQ(saved.substr(saved.find("\"value\":", plate), expected.size()), expected);
  Nx_Drawing::setWorking(nullptr);
  std::filesystem::remove_all(root);
}

}  // namespace
