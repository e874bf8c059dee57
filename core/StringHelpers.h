#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// Text helpers of the core. Separators ("symbols") match byte for byte;
// the flag named exact follows Nx_String: false compares ASCII letters
// without case.

// Splits at the first occurrence of symbol into the text before and after
// it. False, with both outputs untouched, when the symbol does not occur.
DCM_API bool splitString(const Nx_String& text, const Nx_String& symbol, Nx_String& before,
                         Nx_String& after);

// As splitString; with trim set, blanks around both parts are removed.
DCM_API bool splitStringAtSymbol(const Nx_String& text, const Nx_String& symbol, Nx_String& before,
                                 Nx_String& after, bool trim);
DCM_API bool splitStringAtSymbol(const Nx_String& text, char symbol, Nx_String& before,
                                 Nx_String& after, bool trim);
// Splits at every occurrence into parts (empty parts kept); with trim set,
// blanks around every part are removed. An empty text gives no parts, a text
// without the symbol one part. Returns the number of parts.
DCM_API int splitStringAtSymbol(const Nx_String& text, const Nx_String& symbol,
                                Nx_StringArray& parts, bool trim);
DCM_API int splitStringAtSymbol(const Nx_String& text, char symbol, Nx_StringArray& parts,
                                bool trim);

// The text before the symbol: at its first occurrence, or at its last when
// last is set. The whole text when the symbol does not occur.
DCM_API Nx_String getSubstrBefore(const Nx_String& text, const Nx_String& symbol,
                                  bool last = false);
// The text after the symbol (first occurrence, or last when last is set).
// Empty when the symbol does not occur.
DCM_API Nx_String getSubstrAfter(const Nx_String& text, const Nx_String& symbol, bool last = false);

// Removes leading and trailing bytes that occur in symbols.
DCM_API Nx_String stripSymbols(const Nx_String& text, const Nx_String& symbols);

// True when the whole text (blanks around it allowed) is a decimal number:
// optional sign, digits with an optional decimal point, optional exponent.
// Hexadecimal, "inf" and "nan" are not numbers.
DCM_API bool isNumber(const Nx_String& text);

// Position of the first digit, or -1. When number is given it receives the
// number that starts there: digits with at most one decimal point between
// digits ("HEA 100.5x" gives 4 and "100.5").
DCM_API int findFirstNumbers(const Nx_String& text, Nx_String* number = nullptr);

// True when one of the candidates occurs in the text; index receives the
// position in candidates of the first one (in list order) that does.
DCM_API bool hasASubstr(const Nx_String& text, const Nx_StringArray& candidates, int* index,
                        bool exact);

DCM_API bool endsWith(const Nx_String& text, const Nx_String& suffix, bool exact);

// Replaces every occurrence of from in text; returns how many.
DCM_API int replaceSubString(Nx_String& text, const Nx_String& from, const Nx_String& to,
                             bool exact);

// Position of sub at or after from, or -1.
DCM_API int findFirstFrom(const Nx_String& text, const Nx_String& sub, int from, bool exact);

// True when the text holds a byte that a file name may not hold on any of
// the product's platforms: \ / : * ? " < > | or a control byte below 0x20.
DCM_API bool hasInvalidFileNameChars(const Nx_String& text);

// Column letters of a spreadsheet column: 1 is A, 26 Z, 27 AA, 703 AAA.
// Empty for columns below 1.
DCM_API Nx_String getAlfabet(int column);

// Random text of ASCII letters, and digits too when withDigits is set.
// Empty (the failure) for a length below 1 or above 4096.
DCM_API Nx_String generateRandomString(int length, bool withDigits);
