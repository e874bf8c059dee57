#include "platform/grid/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace grid {
namespace {

// A finite double as 15 significant decimal digits: value = 0.d1d2...d15 * 10^(exp+1).
struct Decimal {
  bool negative = false;
  char digits[15] = {};
  int exponent = 0;  // of the first digit
};

Decimal toDecimal(double v) {
  Decimal d;
  d.negative = std::signbit(v);
  char buf[40];
  // The shortest digits that read back as v, when there are at most 15 of
  // them, are its 15 rounded digits: a normal v lies within half its last
  // place of them, closer than half a unit of the 15th digit. Much cheaper.
  auto shortest = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific);
  const char* e = std::find(buf, shortest.ptr, 'e');
  std::size_t count = e - buf > 1 ? static_cast<std::size_t>(e - buf - 1) : 1;
  if (std::isnormal(v) && e != shortest.ptr && count <= 15) {
    std::memset(d.digits, '0', sizeof d.digits);
    d.digits[0] = buf[0];
    if (count > 1) std::memcpy(d.digits + 1, buf + 2, count - 1);
    std::from_chars(e + (e[1] == '+' ? 2 : 1), shortest.ptr, d.exponent);
    return d;
  }
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14);
  *res.ptr = 0;
  // buf: D.DDDDDDDDDDDDDDe[+-]XX
  d.digits[0] = buf[0];
  std::memcpy(d.digits + 1, buf + 2, 14);
  d.exponent = std::atoi(buf + 17);
  return d;
}

double fromDecimal(const Decimal& d) {
  char buf[48];
  char* p = buf;
  if (d.negative) *p++ = '-';
  *p++ = d.digits[0];
  *p++ = '.';
  std::memcpy(p, d.digits + 1, 14);
  p += 14;
  p += std::snprintf(p, 8, "e%d", d.exponent);
  double out = 0;
  std::from_chars(buf, p, out);
  return out;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string formatGeneral(double v) {
  if (std::isnan(v) || std::isinf(v)) return "#NUM!";
  if (v == 0) return "0";
  if (std::fabs(v) < 1e15 && v == std::trunc(v)) {  // whole numbers, the common case
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
    return std::string(buf, res.ptr);
  }
  Decimal d = toDecimal(v);
  int last = 14;
  while (last > 0 && d.digits[last] == '0') --last;
  std::string out;
  if (d.negative) out += '-';
  if (d.exponent >= -9 && d.exponent < 15) {
    if (d.exponent >= 0) {
      for (int i = 0; i <= d.exponent; ++i) out += i <= 14 ? d.digits[i] : '0';
      if (last > d.exponent) {
        out += '.';
        out.append(d.digits + d.exponent + 1, static_cast<std::size_t>(last - d.exponent));
      }
    } else {
      out += "0.";
      out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
      out.append(d.digits, static_cast<std::size_t>(last + 1));
    }
    return out;
  }
  out += d.digits[0];
  if (last > 0) {
    out += '.';
    out.append(d.digits + 1, static_cast<std::size_t>(last));
  }
  char exp[16];
  std::snprintf(exp, sizeof exp, "E%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
  out += exp;
  return out;
}

std::string formatFixed(double v, int decimals, bool separators) {
  if (std::isnan(v) || std::isinf(v)) return "#NUM!";
  if (decimals < 0) decimals = 0;
  if (decimals > 15) decimals = 15;
  double r = roundDecimal(v, decimals);
  if (r == 0) r = 0;  // no "-0"
  // The digits printf's "%.*f" gives, without its cost or its locale: fitting
  // the columns of a large bill formatted every number cell.
  char buf[400];
  auto written = std::to_chars(buf, buf + sizeof buf, r, std::chars_format::fixed, decimals);
  std::string text(buf, written.ptr);
  if (!separators) return text;
  std::size_t start = text[0] == '-' ? 1 : 0;
  std::size_t point = text.find('.');
  if (point == std::string::npos) point = text.size();
  for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(point) - 3;
       i > static_cast<std::ptrdiff_t>(start); i -= 3)
    text.insert(static_cast<std::size_t>(i), 1, ',');
  return text;
}

bool parseNumber(std::string_view text, double& out, bool allowCommas) {
  // Plain whole numbers, most of the data of a large file, are exact as
  // they are read here.
  if (!text.empty() && text.size() <= 15 && std::all_of(text.begin(), text.end(), isDigit)) {
    std::uint64_t v = 0;
    for (char c : text) v = v * 10 + static_cast<std::uint64_t>(c - '0');
    out = static_cast<double>(v);
    return true;
  }
  std::size_t i = 0, n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  while (n > i && (text[n - 1] == ' ' || text[n - 1] == '\t')) --n;
  bool percent = false;
  if (n > i && text[n - 1] == '%') {
    percent = true;
    --n;
    while (n > i && text[n - 1] == ' ') --n;
  }
  if (i >= n || n - i > 400) return false;
  char buf[416];
  std::size_t len = 0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    ++i;
  }
  int digits = 0;
  bool point = false;
  for (; i < n; ++i) {
    char c = text[i];
    if (isDigit(c)) {
      buf[len++] = c;
      ++digits;
    } else if (c == '.' && !point) {
      buf[len++] = c;
      point = true;
    } else if (c == ',' && allowCommas && !point && digits > 0 && i + 1 < n &&
               isDigit(text[i + 1])) {
      continue;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    buf[len++] = 'e';
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) buf[len++] = text[i++];
    int expDigits = 0;
    while (i < n && isDigit(text[i]) && expDigits < 6) {
      buf[len++] = text[i++];
      ++expDigits;
    }
    if (expDigits == 0) return false;
  }
  if (i != n) return false;
  double v = 0;
  auto res = std::from_chars(buf, buf + len, v);
  if (res.ec == std::errc::result_out_of_range) {
    // Underflow reads as 0; overflow is not a number a sheet can hold.
    if (std::isinf(std::strtod(std::string(buf, len).c_str(), nullptr))) return false;
    v = 0;
  } else if (res.ec != std::errc() || res.ptr != buf + len) {
    return false;
  }
  if (negative) v = -v;
  if (percent) v /= 100;
  if (!std::isfinite(v)) return false;
  out = v;
  return true;
}

double roundDecimal(double v, int digits, RoundMode mode) {
  if (!std::isfinite(v) || v == 0) return v;
  // Away from a half, binary arithmetic rounds the same way as the decimal
  // digits do, and much faster: an exact whole number divided by a power of
  // ten is the double nearest to the decimal result.
  static constexpr double kPowers[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (mode == RoundMode::HalfAwayFromZero && digits >= 0 && digits <= 15) {
    double scaled = std::fabs(v) * kPowers[digits];
    if (scaled < 1e14) {
      // The 15-digit form lies within 5e-15 (relative) of the binary value,
      // so only fractions that close to a half can round differently.
      double fraction = scaled - std::floor(scaled);
      if (std::fabs(fraction - 0.5) > 1e-14 * scaled + 1e-12) {
        double r = std::floor(scaled) + (fraction > 0.5 ? 1 : 0);
        return std::copysign(r / kPowers[digits], v);
      }
    }
  }
  Decimal d = toDecimal(v);
  // Index of the last digit kept: the digit for 10^-digits.
  int keep = d.exponent + digits;  // digits[0] is 10^exponent
  if (keep >= 14) return v;        // nothing beyond the 15 significant digits to drop
  bool roundUp = false;
  if (keep < -1) {
    roundUp = mode == RoundMode::AwayFromZero;
  } else {
    int first = keep + 1;
    bool anyDropped = false;
    for (int i = first; i < 15; ++i) anyDropped = anyDropped || d.digits[i] != '0';
    switch (mode) {
      case RoundMode::HalfAwayFromZero:
        roundUp = d.digits[first] >= '5';
        break;
      case RoundMode::TowardZero:
        roundUp = false;
        break;
      case RoundMode::AwayFromZero:
        roundUp = anyDropped;
        break;
    }
  }
  double unit = std::pow(10.0, -digits);
  if (keep < 0) return roundUp ? (d.negative ? -unit : unit) : 0.0;
  for (int i = keep + 1; i < 15; ++i) d.digits[i] = '0';
  if (roundUp) {
    int i = keep;
    while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
    if (i >= 0) {
      ++d.digits[i];
    } else {
      std::memmove(d.digits + 1, d.digits, 14);
      d.digits[0] = '1';
      ++d.exponent;
    }
  }
  return fromDecimal(d);
}

}  // namespace grid

namespace grid {
double roundSignificant(double v) {
  if (!std::isfinite(v) || v == 0) return v;
  return fromDecimal(toDecimal(v));
}
}  // namespace grid
