#include "host/ss_export.h"
#include "platform/arx/aced.h"
#include "platform/arx/rxdefs.h"

extern "C" SS_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
  switch (msg) {
    case AcRx::kInitAppMsg:
      acrxDynamicLinker()->unlockApplication(appId);
      acrxDynamicLinker()->registerAppMDIAware(appId);
      break;
    case AcRx::kUnloadAppMsg:
      if (auto* stack = dynamic_cast<AcEdCommandStack*>(acrxSysRegistry()->at(ACRX_COMMAND_DOCK)))
        stack->removeGroup("ORBIXA_SS");
      break;
    default:
      break;
  }
  return AcRx::kRetOK;
}
