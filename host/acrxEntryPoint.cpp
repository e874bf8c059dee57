#include "common/KvExportGuard.h"
#include "common/ModuleBitmaps.h"
#include "common/SSExports.h"
#include "platform/arx/aced.h"

namespace {
AcRx::AppRetCode handleAppMessage(AcRx::AppMsgCode msg, void* appId) {
  switch (msg) {
    case AcRx::kInitAppMsg:
      // The module may be unloaded while the host runs and serves every document.
      acrxDynamicLinker()->unlockApplication(appId);
      acrxDynamicLinker()->registerAppMDIAware(appId);
      loadModuleBitmaps();
      break;
    case AcRx::kUnloadAppMsg:
      if (auto* stack = dynamic_cast<AcEdCommandStack*>(acrxSysRegistry()->at(ACRX_COMMAND_DOCK)))
        stack->removeGroup("ORBIXA_SS");
      // No window of the module may outlive it.
      DestroyAllMacroDlgs();
      EndDlgEditConstraints();
      break;
    default:
      break;
  }
  return AcRx::kRetOK;
}
}  // namespace

// A message that fails half-way (memory running out while loading the
// bitmaps) is an error the host sees, not an exception it cannot take.
AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
  return guardExport("acrxEntryPoint", AcRx::kRetError,
                     [&] { return handleAppMessage(msg, appId); });
}
