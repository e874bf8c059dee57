#include "platform/base/DecimalNumber.h"

#include <charconv>
#include <system_error>

namespace base {
namespace {
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Decimal exponent of the leading significant digit of a number that
// from_chars found out of range, so that overflow and underflow part ways
// without a second, locale-dependent parse.
long long magnitude(std::string_view number) {
  size_t i = 0;
  long long intDigits = 0, zerosAfterPoint = 0;
  bool significant = false;
  while (i < number.size() && isDigit(number[i])) {
    significant |= number[i] != '0';
    if (significant) ++intDigits;
    ++i;
  }
  if (i < number.size() && number[i] == '.') {
    ++i;
    while (i < number.size() && number[i] == '0' && !significant) ++zerosAfterPoint, ++i;
    while (i < number.size() && isDigit(number[i])) ++i;
  }
  long long exponent = 0;
  if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
    ++i;
    bool negative = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
    // Saturates: far beyond the range of a double either way.
    for (; i < number.size() && isDigit(number[i]); ++i)
      if (exponent < 1000000) exponent = exponent * 10 + (number[i] - '0');
    if (negative) exponent = -exponent;
  }
  return exponent + (intDigits > 0 ? intDigits - 1 : -(zerosAfterPoint + 1));
}
}  // namespace

std::size_t decimalPrefix(std::string_view text) {
  size_t i = 0, n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < n && isDigit(text[i])) ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && isDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < n && isDigit(text[j])) {
      while (j < n && isDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

bool decimalValue(std::string_view number, double& value) {
  if (number.empty() || decimalPrefix(number) != number.size()) return false;
  bool negative = number.front() == '-';
  if (number.front() == '+' || number.front() == '-') number.remove_prefix(1);
  double v = 0;
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
  if (ec == std::errc::result_out_of_range) {
    if (magnitude(number) > 0) return false;
    v = 0;
  } else if (ec != std::errc() || end != number.data() + number.size()) {
    return false;
  }
  value = negative ? -v : v;
  return true;
}

}  // namespace base
