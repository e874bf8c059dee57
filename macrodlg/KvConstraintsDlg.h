#pragma once
#include "dialogs/KvRecordTableDlg.h"

// The constraints editor runs modally, or modelessly in a single slot: one
// modeless editor at a time, written back to the caller's record when the
// user presses OK, ended by EndDlgEditConstraints (also when the module
// unloads). The caller keeps its record alive until then.

// The modeless editor while its window is open, else null.
KvRecordTableDlg* openConstraintsEditor();
