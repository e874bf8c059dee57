#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "core/macro/MacroData.h"
#include "platform/arx/aced.h"
#include "platform/arx/acutil.h"

namespace {
AcEdCommandStack& commandStack() {
  return *dynamic_cast<AcEdCommandStack*>(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
}

class ModuleEntryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    commandStack().removeGroup("ORBIXA_SS");
    commandStack().removeGroup("OTHER_APP");
    acrxDynamicLinker()->forget(&app);
  }
  int app = 0;  // the application handle the host passes
};

TEST_F(ModuleEntryTest, InitMakesTheModuleUnloadableAndDocumentAware) {
  AcutPrintCapture out;
  EXPECT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, &app), AcRx::kRetOK);
  EXPECT_FALSE(acrxDynamicLinker()->isApplicationLocked(&app));
  EXPECT_TRUE(acrxDynamicLinker()->isAppMDIAware(&app));
  EXPECT_EQ(out.text(), "");  // both bitmaps loaded without complaint
}

TEST_F(ModuleEntryTest, UnloadRemovesOnlyTheModulesCommandGroup) {
  int calls = 0;
  ASSERT_EQ(commandStack().addCommand("ORBIXA_SS", "SSTEST", "SSTEST", 0, [&] { ++calls; }),
            Acad::eOk);
  ASSERT_EQ(commandStack().addCommand("OTHER_APP", "OTHERCMD", "OTHERCMD", 0, [&] { ++calls; }),
            Acad::eOk);
  ASSERT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, &app), AcRx::kRetOK);
  ASSERT_TRUE(commandStack().hasGroup("ORBIXA_SS"));

  EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, &app), AcRx::kRetOK);
  EXPECT_FALSE(commandStack().hasGroup("ORBIXA_SS"));
  EXPECT_FALSE(commandStack().invoke("SSTEST"));
  EXPECT_TRUE(commandStack().invoke("OTHERCMD"));
  EXPECT_EQ(calls, 1);
}

TEST_F(ModuleEntryTest, EveryMessageIsAnsweredOk) {
  // Unloading twice, or without the group, is no failure either.
  for (int m = AcRx::kNullMsg; m <= AcRx::kSaveMsg + 1; ++m)
    EXPECT_EQ(acrxEntryPoint(static_cast<AcRx::AppMsgCode>(m), &app), AcRx::kRetOK) << m;
  EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, &app), AcRx::kRetOK);
  EXPECT_EQ(acrxEntryPoint(static_cast<AcRx::AppMsgCode>(-1), nullptr), AcRx::kRetOK);
}

// No macro dialog may outlive the module: unloading ends every open one.
// (The table ends them from the highest slot down; its own tests see that.)
TEST_F(ModuleEntryTest, UnloadEndsEveryModelessMacroDialog) {
  MacroData data;
  data.names = Nx_StringArray{"EndPlate"};
  int first = -1, second = -1;
  ASSERT_TRUE(StartDlgMacroModeless(true, data, first));
  ASSERT_TRUE(StartDlgMacroModeless(true, data, second));
  MacroData seen;
  ASSERT_TRUE(GetDlgMacroData(second, seen));
  EXPECT_EQ(seen.names, data.names);

  EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, &app), AcRx::kRetOK);
  EXPECT_FALSE(GetDlgMacroData(first, seen));
  EXPECT_FALSE(GetDlgMacroData(second, seen));
  // The table is empty again: the next dialog takes the first slot.
  int next = -1;
  ASSERT_TRUE(StartDlgMacroModeless(true, data, next));
  EXPECT_EQ(next, 0);
  EXPECT_TRUE(EndDlgMacroModeless(next));
}
}  // namespace
