#pragma once
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"
#include "platform/arx/AcArray.h"

// List helpers of the core. The flag named exact follows Nx_String: false
// compares ASCII letters without case.

// Splits a joined list (default separator ";"); empty parts are kept, an
// empty text gives an empty list. Returns the number of items.
DCM_API int strToArr(const Nx_String& text, Nx_StringArray& items,
                     const Nx_String& separator = ";");
// Joins the items with the separator; the inverse of strToArr.
DCM_API Nx_String arrToStr(const Nx_StringArray& items, const Nx_String& separator = ";");

// Table of rows to lines, each row's cells joined with the separator.
DCM_API void arrArrToArr(const Nx_Array<Nx_StringArray>& rows, Nx_StringArray& lines,
                         const Nx_String& separator);
// Lines to a table of rows, each line split at the separator (strToArr).
DCM_API void arrToArrArr(const Nx_StringArray& lines, Nx_Array<Nx_StringArray>& rows,
                         const Nx_String& separator);

// Index of the first entry at or after start that equals text, or -1.
DCM_API int findAt(const Nx_StringArray& list, const Nx_String& text, int start, bool exact);

// A text that is not in the list, derived from base: base itself when free;
// otherwise a trailing number of base is counted up ("HEA100" gives
// "HEA101", "007" gives "008"), or a number is appended ("Plate" gives
// "Plate1", "Plate2", ...).
DCM_API Nx_String findNonExistingString(const Nx_StringArray& list, const Nx_String& base,
                                        bool exact = false);

// Indices, ascending, of the entries that repeat an earlier entry (the
// first occurrence is not reported). True when there is at least one.
DCM_API bool getDuplicates(const Nx_StringArray& list, AcArray<int>& indices, bool exact);

// Natural order: runs of digits compare by their value, other bytes as
// texts (by the flag); texts equal in that order fall back to byte order.
// "HEA 90" sorts before "HEA 100". Negative, zero or positive.
DCM_API int naturalCompare(const Nx_String& a, const Nx_String& b, bool exact = false);

// Stable ascending sorts. The carried array, when given, is reordered
// alongside and must have the values' length (else nothing changes and the
// result is false).
DCM_API bool ObjectExportSort(AcArray<double>& values, AcArray<int>* carried = nullptr);
DCM_API void ObjectExportSort(Nx_StringArray& list, bool exact = false);

// Sorts the list in natural order, inserts text at its place (after equal
// entries) and returns that position.
DCM_API int ObjectExportAddToSorted(Nx_StringArray& list, const Nx_String& text,
                                    bool exact = false);
