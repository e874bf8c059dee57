#pragma once
#include <string>
#include <vector>

#include "core/dcm_export.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/dbid.h"

// The core's clash check as the macro dialog reaches it. The stand-in has no
// clash engine: it keeps the switch and records every call, one line each
// ("started 2", "reset 3", "status on", "check", "closed 2"), so that the
// dialog's part of the conversation can be followed.
DCM_API void clashInitDlgStarted(int dialogIndex);
// Forgets the clash information and takes the objects to check from now on.
DCM_API void clashReset(const AcArray<AcDbObjectId>& objects);
DCM_API void clashSetStatus(bool on);
DCM_API bool clashStatus();
// Checks the objects of the last reset when checking is on; the number of
// clashes found (always 0 here).
DCM_API int clashCheck();
DCM_API void clashDlgClosed(int dialogIndex);

DCM_API const std::vector<std::string>& clashCalls();
DCM_API void clearClashCalls();
