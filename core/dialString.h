#pragma once
#include "core/Nx_String.h"
#include "core/dcm_export.h"

// Dialog text by number from the core's English string table. An unknown
// number gives the visible placeholder "<text N>".
DCM_API Nx_String dialString(int number);
// True when the table has a text for the number.
DCM_API bool hasDialString(int number);
