// Placeholders of the exported functions whose dialogs are not built yet.
// Each answers as a cancelled dialog would: false, the caller's record
// untouched, nothing shown. A dialog's owner deletes its block here when the
// real function lands beside the dialog, its body inside guardExport.
#include "common/KvExportGuard.h"
#include "common/SSExports.h"

// ---- StartDlgMacroProfAdv (macro data): advanced profile dialog -------------------------------
void StartDlgMacroProfAdv(MacroData&, const Nx_String&, const Nx_String&, bool) {}

// ---- StartDlgMacroProfAdv (selected profiles): advanced profile dialog ------------------------
void StartDlgMacroProfAdv(AcArray<AcDbObjectId>*, bool&, KvMACallBack) {}

// ---- StartDSTVPointsDlg: DSTV points dialog ---------------------------------------------------
void StartDSTVPointsDlg() {}
