// The macro cuts dialog: the cuts a macro makes, one row each.
#include "common/KvExportGuard.h"
#include "common/SSExports.h"
#include "dialogs/KvFieldBinding.h"
#include "macrodlg/CutKinds.h"
#include "macrodlg/DlgMacroCutsData.h"

// changed: whether OK handed back cuts other than those passed in.
bool StartDlgMacroCuts(DlgMacroCutsData& data, bool& changed) {
  return guardExport("StartDlgMacroCuts", false, [&] {
    changed = false;
    using C = DlgMacroCutsData::Cut;
    KvTableLayout def;
    def.caption = "Macro cuts";
    def.heading = data.macroName.isEmpty() ? Nx_String("Cuts of the macro")
                                           : "Cuts of macro " + data.macroName;
    Nx_Array<C> cuts = data.cuts;
    if (!editItems<C>(def,
                      {textField("Profile", &C::profile, true),
                       choiceField("Shape", &C::kind, cutKindChoices()),
                       numberField("Offset (mm)", &C::offset, -1e5, 1e5),
                       numberField("Angle (degrees)", &C::angle, 1, 179)},
                      cuts))
      return false;
    DlgMacroCutsData edited = data;
    edited.cuts = cuts;
    changed = !(edited == data);
    data = edited;
    return true;
  });
}
