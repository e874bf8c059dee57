#pragma once
// The module's boundary: the application entry the host calls and every
// function the core module calls. The core links to them by their C++ names,
// so a signature here never changes without the core changing with it.
// Functions that open a dialog run it modally and, unless noted, follow the
// modal pattern: the caller's record is copied into the dialog, and back only
// when the dialog ends with OK (result true); otherwise it is left untouched.
#include "common/KvMACallBack.h"
#include "common/ss_export.h"
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/dbid.h"
#include "platform/arx/rxdefs.h"

// Records of the core module.
class MacroData;
class MacroProfData;
class DlgCSP2Data;
class KvAutoStandardsData;
class KvLevelsDlgData;
// Records of this module.
class KvDlgStandardsData;
class Nx_ProfValuesTable;
class KvGridDlgData;
class KvDlgCis2Data;
class EditConstrData;
class DlgMacroCutsData;
class DlgProfCutsData;
class DynArrayData;
class DlgProfFeaturesData;
class DlgEditLibData;
class KvLookUpDlgData;
class KvSelectImageDlgData;
class KvCladdingDlgData;
class KvBracingDlgData;

// Every function here catches at the boundary: an exception from its body
// (memory running out while a dialog is built) is reported on the command
// line and the call answers as a failed or cancelled one (false, the
// caller's record untouched; kRetError from acrxEntryPoint).

// Application messages from the host; answers kRetOK to every message it
// handled, kRetError when handling it failed.
extern "C" SS_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId);

// Connection standards.
// Runs one standards sheet against a macro (parent run) or an argument list
// (child run); true when every step succeeded, the request then holds the results.
SS_EXPORT bool StartDlgStandardsSS(KvDlgStandardsData& data);
// Self-test of a child run on a fixed sheet.
SS_EXPORT bool StartDlgStandardsSStest();

// Spreadsheet formula dialog.
// Computes one cell of a fixed sheet.
SS_EXPORT void EvaluateSS();
// Reads the table of a sheet file: column captions, rows and the result text.
SS_EXPORT void ReadSSFile(const Nx_String& file, Nx_String& result, Nx_StringArray& captions,
                          Nx_Array<Nx_StringArray>& rows);
// String-table grid dialog on rows edited in place: column captions, row
// captions (a fixed set of rows when given), rows, editable, title, help text.
SS_EXPORT bool startGridDialog(const Nx_StringArray& captions, const Nx_StringArray&,
                               Nx_Array<Nx_StringArray>& rows, bool, Nx_String, Nx_String);

// Macro dialogs.
// Modal macro dialog; the data is copied back however the dialog ends.
SS_EXPORT void StartDlgMacro(MacroData& data);
// Modeless macro dialogs: index receives the dialog's slot, which the other
// calls take.
SS_EXPORT bool StartDlgMacroModeless(bool keepFocus, MacroData& data, int& index);
SS_EXPORT bool GetDlgMacroData(int index, MacroData& data);
SS_EXPORT bool EndDlgMacroModeless(int index);
SS_EXPORT void DestroyAllMacroDlgs();
SS_EXPORT bool StartDlgEditConstrModal(EditConstrData& data);
// The modeless constraints editor, one at a time: OK writes into data, which
// the caller keeps alive until the editor closes or EndDlgEditConstraints ends it.
SS_EXPORT bool StartDlgEditConstraints(EditConstrData& data);
SS_EXPORT void EndDlgEditConstraints();
// The flag: OK handed back cuts other than those passed in.
SS_EXPORT bool StartDlgMacroCuts(DlgMacroCutsData& data, bool&);
// The profile groups of the macro's profile tabs, narrowed by tab and group
// name (empty: all); the flag shows them read-only. The data is changed on OK.
SS_EXPORT void StartDlgMacroProfAdv(MacroData& data, const Nx_String&, const Nx_String&, bool);
using KvMACallBack = bool (*)(KvMACallBackType type, const KvMACallBackData& data,
                              MacroProfData& props);
SS_EXPORT void StartDlgMacroProfAdv(AcArray<AcDbObjectId>* profiles, bool&, KvMACallBack callBack);
SS_EXPORT bool StartEditProfCutsDlg(DlgProfCutsData& data);
SS_EXPORT bool StartArrayDlg(DynArrayData& data, const AcArray<AcDbObjectId>& ids,
                             const Nx_String&);
SS_EXPORT bool StartDlgProfFeatures(DlgProfFeaturesData& data);
// Title, names, the flags of the names chosen at the start when multiple,
// the first name offered, the selected one, the chosen name(s) (several
// joined with ";"), the option check box, multiple. The overload without
// flags hands over to the one with them.
SS_EXPORT bool StartDlgSelectMacro(const Nx_String&, const Nx_StringArray& names,
                                   const AcArray<bool>& flags, const int&, const int&,
                                   Nx_String& chosen, bool&, bool);
SS_EXPORT bool StartDlgSelectMacro(const Nx_String&, const Nx_StringArray& names, const int&,
                                   const int&, Nx_String& chosen, bool&, bool);

// Dialog designer.
SS_EXPORT bool StartDlgDesigner(const Nx_String& templateName);
SS_EXPORT void GetImageDlgCtrlNames(const Nx_String& templateName, Nx_StringArray& names);

// Cutting stock and section library.
SS_EXPORT bool StartDlgCSP2(DlgCSP2Data& data);
SS_EXPORT bool StartDlgEditLibSections(DlgEditLibData& data, const Nx_String&);
SS_EXPORT bool StartDlgEditLibSimple(const Nx_String&, Nx_ProfValuesTable& table, int&);

// General variables and the smaller dialogs.
SS_EXPORT bool StartDlgGenVars(KvAutoStandardsData& data);
SS_EXPORT bool StartDlgGrid(KvGridDlgData& data);
SS_EXPORT bool StartDlgLevels(KvLevelsDlgData& data);
SS_EXPORT bool StartDlgLookUp(KvLookUpDlgData& data);
SS_EXPORT bool StartDlgSelectImage(KvSelectImageDlgData& data);
SS_EXPORT bool StartDlgCladdingSettings(KvCladdingDlgData& data);
SS_EXPORT bool StartDlgCis2Info(KvDlgCis2Data& data);
SS_EXPORT bool StartDlgBracing(KvBracingDlgData& data);
SS_EXPORT void StartDSTVPointsDlg();
