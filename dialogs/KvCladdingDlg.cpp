// The cladding settings: a field set on the record.
#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "dialogs/KvCladdingDlgData.h"
#include "dialogs/KvFieldBinding.h"

bool StartDlgCladdingSettings(KvCladdingDlgData& data) {
  return guardExport("StartDlgCladdingSettings", false, [&] {
    KvResourceScope scope;
    using D = KvCladdingDlgData;
    KvTableLayout def;
    def.caption = "Cladding settings";
    def.heading = "The sheeting of the selected walls and roofs.";
    return editFields<D>(def,
                         {textField("Sheet profile", &D::sheetProfile, true),
                          numberField("Sheet thickness (mm)", &D::thickness, 0.4, 3),
                          numberField("Side overlap (mm)", &D::sideOverlap, 0, 500),
                          numberField("Fixing spacing (mm)", &D::fixingSpacing, 50, 2000),
                          choiceField("Ribs", &D::orientation, {"Vertical", "Horizontal"}),
                          checkField("Flashings", &D::withFlashings)},
                         data);
  });
}
