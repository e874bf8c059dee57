// The profile cuts dialog: the end cuts of one profile, one row each.
#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "dialogs/KvFieldBinding.h"
#include "macrodlg/CutKinds.h"
#include "macrodlg/DlgProfCutsData.h"

bool StartEditProfCutsDlg(DlgProfCutsData& data) {
  return guardExport("StartEditProfCutsDlg", false, [&] {
    KvResourceScope scope;
    using C = DlgProfCutsData::Cut;
    KvTableLayout def;
    def.caption = "Profile cuts";
    def.heading = data.profileName.isEmpty() ? Nx_String("End cuts of the profile")
                                             : "End cuts of " + data.profileName;
    return editItems<C>(def,
                        {choiceField("End", &C::end, {"Start", "End"}),
                         choiceField("Shape", &C::kind, cutKindChoices()),
                         numberField("Web angle (degrees)", &C::webAngle, 1, 179),
                         numberField("Flange angle (degrees)", &C::flangeAngle, 1, 179),
                         numberField("Shortening (mm)", &C::offset, -1e4, 1e4)},
                        data.cuts);
  });
}
