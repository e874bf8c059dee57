#pragma once
#include <cstddef>
#include <string_view>

#include "platform/base/base_export.h"

// Text to number for every reader of the product: only decimal numbers are
// numbers ("nan", "inf" and hexadecimal are text), and the decimal point is
// always ".", whatever the process locale says.
namespace base {

// Length of the decimal number at the start of text: an optional sign, digits
// with at most one decimal point (".5" and "5." count), then an optional
// exponent, taken only when a digit follows the "e" and its sign. 0 when no
// number starts there.
BASE_API std::size_t decimalPrefix(std::string_view text);

// The value of text that is exactly one decimal number as above. A magnitude
// too small for a double reads as 0 (as spreadsheet programs read "1E-400");
// one too large for it is refused, as is anything else than such a number.
BASE_API bool decimalValue(std::string_view number, double& value);

}  // namespace base
