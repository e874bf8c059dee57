#pragma once
#include <string>
#include <string_view>

#include "platform/grid/Value.h"

namespace grid {

// The one place where values change kind; every operator and function goes
// through here so that "1"+1, TRUE+1 and empty cells behave alike everywhere.

// Empty 0, booleans 1/0, text that reads as a number (see parseNumber),
// otherwise #VALUE!; an error value gives its own code.
ErrorCode toNumber(const Value& v, double& out);
// Numbers in the general format, "TRUE"/"FALSE", empty "".
ErrorCode toText(const Value& v, std::string& out);
// Numbers: not 0; text "TRUE"/"FALSE" without case; other text #VALUE!.
ErrorCode toBool(const Value& v, bool& out);

// Spreadsheet order: numbers < text < booleans; an empty value counts as 0,
// "" or FALSE against the other side; text compares without case.
// Both values must be free of errors.
int compareValues(const Value& a, const Value& b);

bool equalNoCase(std::string_view a, std::string_view b);
int compareNoCase(std::string_view a, std::string_view b);
std::string upperCase(std::string_view text);
std::string lowerCase(std::string_view text);

}  // namespace grid
