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

// ---- StartDlgSelectMacro (with flags): macro selection dialog ---------------------------------
bool StartDlgSelectMacro(const Nx_String&, const Nx_StringArray&, const AcArray<bool>&, const int&,
                         const int&, Nx_String&, bool&, bool) {
  return false;
}

// ---- StartDlgSelectMacro (without flags): macro selection dialog ------------------------------
// Hands over to the overload with flags, with none given.
bool StartDlgSelectMacro(const Nx_String& title, const Nx_StringArray& names, const int& first,
                         const int& selected, Nx_String& chosen, bool& option, bool multiple) {
  return guardExport("StartDlgSelectMacro", false, [&] {
    return StartDlgSelectMacro(title, names, AcArray<bool>(), first, selected, chosen, option,
                               multiple);
  });
}

// ---- StartDlgLookUp: look-up dialog -----------------------------------------------------------
bool StartDlgLookUp(KvLookUpDlgData&) {
  return false;
}

// ---- StartDlgSelectImage: image-selection dialog ----------------------------------------------
bool StartDlgSelectImage(KvSelectImageDlgData&) {
  return false;
}

// ---- StartDSTVPointsDlg: DSTV points dialog ---------------------------------------------------
void StartDSTVPointsDlg() {}
