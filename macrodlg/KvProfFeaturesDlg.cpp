// The profile features dialog: holes, slots and markings, one row each.
#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "dialogs/KvFieldBinding.h"
#include "macrodlg/DlgProfFeaturesData.h"

bool StartDlgProfFeatures(DlgProfFeaturesData& data) {
  return guardExport("StartDlgProfFeatures", false, [&] {
    KvResourceScope scope;
    using F = DlgProfFeaturesData::Feature;
    KvTableLayout def;
    def.caption = "Profile features";
    def.heading = data.profileName.isEmpty() ? Nx_String("Holes, slots and markings")
                                             : "Holes, slots and markings of " + data.profileName;
    return editItems<F>(
        def,
        {choiceField("Feature", &F::kind, {"Hole", "Slot", "Marking"}),
         choiceField("Face", &F::face, {"Web", "Top flange", "Bottom flange"}),
         numberField("X (mm)", &F::x, 0, 1e5), numberField("Y (mm)", &F::y, -5000, 5000),
         numberField("Size (mm)", &F::size, 1, 500),
         numberField("Slot length (mm)", &F::length, 0, 5000)},
        data.features);
  });
}
