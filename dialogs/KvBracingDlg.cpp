// The bracing settings: a field set on the record.
#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "dialogs/KvBracingDlgData.h"
#include "dialogs/KvFieldBinding.h"

bool StartDlgBracing(KvBracingDlgData& data) {
  return guardExport("StartDlgBracing", false, [&] {
    KvResourceScope scope;
    using D = KvBracingDlgData;
    KvTableLayout def;
    def.caption = "Bracing";
    def.heading = "The braces placed in the selected bays.";
    return editFields<D>(
        def,
        {choiceField("Pattern", &D::pattern, {"Cross", "Single diagonal", "K", "V"}),
         textField("Section", &D::section, true), textField("Material", &D::material, true),
         numberField("Gusset thickness (mm)", &D::gussetThickness, 4, 60),
         numberField("End clearance (mm)", &D::endClearance, 0, 200),
         checkField("Tension only", &D::tensionOnly)},
        data);
  });
}
