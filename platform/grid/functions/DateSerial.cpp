#include "platform/grid/functions/DateSerial.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/grid/NumberText.h"
#include "platform/grid/functions/Coercion.h"

namespace grid {
namespace {

bool civilLeap(long y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// Leap years of the 1900 system in [1900, y): civil ones plus 1900 itself.
long leapsBefore(long y) {
  auto count = [](long n) { return n / 4 - n / 100 + n / 400; };  // civil leaps in [1, n]
  long civil = count(y - 1) - count(1899);
  return civil + (y > 1900 ? 1 : 0);
}

int monthDays(long y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && (civilLeap(y) || y == 1900) ? 29 : kDays[m - 1];
}

const char* const kMonths[] = {"january",   "february", "march",    "april",
                               "may",       "june",     "july",     "august",
                               "september", "october",  "november", "december"};

// A month name or its first three letters, without case; 0 when none.
int monthNamed(std::string_view word) {
  std::string w = lowerCase(word);
  for (int i = 0; i < 12; ++i) {
    std::string_view full = kMonths[i];
    if (w == full || (w.size() >= 3 && full.starts_with(w))) return i + 1;
  }
  return 0;
}

struct Reader {
  std::string_view s;
  std::size_t i = 0;
  void blanks() {
    while (i < s.size() && s[i] == ' ') ++i;
  }
  bool number(int& out, std::size_t maxDigits = 4) {
    std::size_t start = i;
    long v = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i - start < maxDigits)
      v = v * 10 + (s[i++] - '0');
    out = static_cast<int>(v);
    return i > start;
  }
  bool word(std::string_view& out) {
    std::size_t start = i;
    while (i < s.size() && ((s[i] | 32) >= 'a' && (s[i] | 32) <= 'z')) ++i;
    out = s.substr(start, i - start);
    return i > start;
  }
  bool take(char c) {
    if (i < s.size() && s[i] == c) return ++i, true;
    return false;
  }
  bool end() const { return i >= s.size(); }
};

// "14:30", "14:30:15", "2:30 PM": the fraction of a day.
bool readTime(Reader& r, double& fraction) {
  int h = 0, m = 0, sec = 0;
  if (!r.number(h, 2) || !r.take(':') || !r.number(m, 2)) return false;
  double extra = 0;
  if (r.take(':')) {
    if (!r.number(sec, 2)) return false;
    if (r.take('.')) {
      std::size_t start = r.i;
      int frac = 0;
      r.number(frac, 3);
      extra = frac / std::pow(10.0, static_cast<double>(r.i - start));
    }
  }
  r.blanks();
  std::string_view ampm;
  std::size_t save = r.i;
  if (r.word(ampm)) {
    std::string w = lowerCase(ampm);
    if ((w != "am" && w != "pm") || h < 1 || h > 12) {
      r.i = save;
      return false;
    }
    h = h % 12 + (w == "pm" ? 12 : 0);
  }
  if (h > 23 || m > 59 || sec > 59) return false;
  fraction = (h * 3600.0 + m * 60.0 + sec + extra) / 86400.0;
  return true;
}

bool validDate(int y, int m, int d) {
  return y >= 1900 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= monthDays(y, m);
}

int fullYear(int y, std::size_t digits) {
  if (digits > 2) return y;
  return y < 30 ? 2000 + y : 1900 + y;  // two-digit years as the desktop programs read them
}

bool readDate(Reader& r, double& serial) {
  int a = 0, b = 0, c = 0, y = 0, m = 0, d = 0;
  std::string_view name;
  std::size_t start = r.i;
  if (r.word(name)) {  // March 15, 2024
    m = monthNamed(name);
    r.blanks();
    if (!m || !r.number(d, 2)) return false;
    r.take(',');
    r.blanks();
    std::size_t at = r.i;
    if (!r.number(y)) return false;
    y = fullYear(y, r.i - at);
  } else {
    if (!r.number(a)) return false;
    std::size_t aDigits = r.i - start;
    char sep = r.i < r.s.size() ? r.s[r.i] : '\0';
    if (sep != '-' && sep != '/' && sep != ' ' && sep != '.') return false;
    ++r.i;
    r.blanks();
    if (r.word(name)) {  // 15-Mar-2024, 15 March 2024
      m = monthNamed(name);
      if (!m) return false;
      d = a;
      if (!r.take(sep) && !(sep == ' ' && r.take(' '))) return false;
      std::size_t at = r.i;
      if (!r.number(y)) return false;
      y = fullYear(y, r.i - at);
    } else {
      if (!r.number(b, 2) || !r.take(sep)) return false;
      std::size_t at = r.i;
      if (!r.number(c)) return false;
      std::size_t cDigits = r.i - at;
      if (aDigits == 4)
        y = a, m = b, d = c;  // 2024-03-15
      else
        m = a, d = b, y = fullYear(c, cDigits);  // 3/15/2024
    }
  }
  if (!validDate(y, m, d)) return false;
  serial = serialOf(y, m, d);
  return true;
}

}  // namespace

double serialOf(int year, int month, int day) {
  long y = year + (month - 1) / 12;
  int m = (month - 1) % 12;
  if (m < 0) m += 12, --y;
  double days = 365.0 * static_cast<double>(y - 1900) + static_cast<double>(leapsBefore(y));
  for (int i = 1; i <= m; ++i) days += monthDays(y, i);
  return days + day;
}

CivilDate dateOf(double serial) {
  long n = static_cast<long>(std::floor(serial));
  if (n <= 0) return {1900, 1, 0};
  long y = 1900 + n / 366;
  while (serialOf(static_cast<int>(y + 1), 1, 1) <= static_cast<double>(n)) ++y;
  long rest = n - static_cast<long>(serialOf(static_cast<int>(y), 1, 0));
  int m = 1;
  while (rest > monthDays(y, m)) rest -= monthDays(y, m++);
  return {static_cast<int>(y), m, static_cast<int>(rest)};
}

bool parseDateTime(std::string_view text, double& serial) {
  Reader r{text};
  r.blanks();
  double date = 0, time = 0;
  std::size_t start = r.i;
  bool hasDate = readDate(r, date);
  if (!hasDate) r.i = start;
  r.blanks();
  bool hasTime = false;
  if (!r.end()) {
    if (!readTime(r, time)) return false;
    hasTime = true;
  }
  r.blanks();
  if (!r.end() || (!hasDate && !hasTime)) return false;
  serial = date + time;
  return true;
}

ErrorCode toSerial(const Value& v, double& out) {
  if (v.isText()) {
    if (parseNumber(v.text, out) || parseDateTime(v.text, out)) return ErrorCode::None;
    return ErrorCode::Value;
  }
  return toNumber(v, out);
}

}  // namespace grid
