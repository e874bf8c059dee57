#include "common/ModuleBitmaps.h"
#include "common/SSExports.h"
#include "platform/arx/aced.h"

AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
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
