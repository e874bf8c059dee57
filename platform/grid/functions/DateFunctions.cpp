// Dates and times in the 1900 date system (see DateSerial.h).
#include <chrono>
#include <cmath>
#include <ctime>

#include "platform/grid/functions/Coercion.h"
#include "platform/grid/functions/DateSerial.h"
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"

namespace grid {
namespace {

using enum ArgKind;

// Argument i as a day number (text dates read), within the date range.
bool serialArg(Args& a, std::size_t i, double& out, ErrorCode& e) {
  e = toSerial(a.value(i), out);
  if (e == ErrorCode::None && (out < 0 || out >= kLastDaySerial + 1)) e = ErrorCode::Num;
  return e == ErrorCode::None;
}

Operand dateResult(double serial) {
  if (serial < 0 || serial > kLastDaySerial) return err(ErrorCode::Num);
  return num(serial);
}

Operand date(Args& a) {
  double y = std::trunc(a.number(0)), m = std::trunc(a.number(1)), d = std::trunc(a.number(2));
  if (y < 0 || y >= 10000) return err(ErrorCode::Num);
  if (y < 1900) y += 1900;
  if (std::fabs(m) > 1e6 || std::fabs(d) > 1e8) return err(ErrorCode::Num);
  return dateResult(serialOf(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)));
}

Operand time(Args& a) {
  double h = std::trunc(a.number(0)), m = std::trunc(a.number(1)), s = std::trunc(a.number(2));
  if (h > 32767 || m > 32767 || s > 32767) return err(ErrorCode::Num);
  double total = h * 3600 + m * 60 + s;
  if (total < 0) return err(ErrorCode::Num);
  return num(std::fmod(total, 86400) / 86400);
}

// YEAR, MONTH and DAY of a day number.
Operand datePart(Args& a, int part) {
  double s = 0;
  ErrorCode e;
  if (!serialArg(a, 0, s, e)) return err(e);
  CivilDate d = dateOf(s);
  return num(part == 0 ? d.year : part == 1 ? d.month : d.day);
}

// HOUR, MINUTE and SECOND, from the time rounded to the second.
Operand timePart(Args& a, int part) {
  double s = 0;
  ErrorCode e;
  if (!serialArg(a, 0, s, e)) return err(e);
  double seconds = std::round((s - std::floor(s)) * 86400);
  if (seconds >= 86400) seconds -= 86400;
  double v = part == 0   ? std::floor(seconds / 3600)
             : part == 1 ? std::fmod(std::floor(seconds / 60), 60)
                         : std::fmod(seconds, 60);
  return num(v);
}

// Local date and time as a day number with its fraction.
double now() {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return serialOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec) / 86400.0;
}

// EDATE and EOMONTH: months later (or earlier), the same day clamped to the
// month's length, or the month's last day.
Operand monthsLater(Args& a, bool endOfMonth) {
  double s = 0;
  ErrorCode e;
  if (!serialArg(a, 0, s, e)) return err(e);
  double months = std::trunc(a.number(1));
  if (std::fabs(months) > 120000) return err(ErrorCode::Num);
  CivilDate d = dateOf(s);
  int m = d.month + static_cast<int>(months);
  double last = serialOf(d.year, m + 1, 0);
  if (endOfMonth) return dateResult(last);
  double first = serialOf(d.year, m, 1);
  return dateResult(std::min(first + d.day - 1, last));
}

// DATEDIF(start, end, unit): whole years "Y", months "M" or days "D"
// between the dates; "MD", "YM" and "YD" ignore the larger units.
Operand datedif(Args& a) {
  double s = 0, t = 0;
  ErrorCode e;
  if (!serialArg(a, 0, s, e) || !serialArg(a, 1, t, e)) return err(e);
  s = std::floor(s), t = std::floor(t);
  if (s > t) return err(ErrorCode::Num);
  std::string unit = upperCase(a.text(2));
  CivilDate from = dateOf(s), to = dateOf(t);
  int months = (to.year - from.year) * 12 + (to.month - from.month) - (to.day < from.day ? 1 : 0);
  if (unit == "D") return num(t - s);
  if (unit == "M") return num(months);
  if (unit == "Y") return num(months / 12);
  if (unit == "YM") return num(months % 12);
  if (unit == "MD") {
    if (to.day >= from.day) return num(to.day - from.day);
    // Days since the same day of the month before the end date.
    return num(t - serialOf(to.year, to.month - 1, from.day));
  }
  if (unit == "YD") {
    double anniversary = serialOf(to.year, from.month, from.day);
    if (anniversary > t) anniversary = serialOf(to.year - 1, from.month, from.day);
    return num(t - anniversary);
  }
  return err(ErrorCode::Num);
}

// WEEKDAY(date, [type]): 1 Sunday..7 Saturday (type 1), 1 Monday..7 Sunday
// (2), 0 Monday..6 Sunday (3), and 11..17 counting from Monday..Sunday.
Operand weekday(Args& a) {
  double s = 0;
  ErrorCode e;
  if (!serialArg(a, 0, s, e)) return err(e);
  int type = a.given(1) ? static_cast<int>(std::trunc(a.number(1))) : 1;
  // Day 0 is a Saturday in this system; the invented 29 February 1900 keeps
  // the days before March 1900 one off, as the desktop programs have them.
  long n = static_cast<long>(std::floor(s));
  int dow = static_cast<int>((n + 6) % 7);  // 0 Sunday .. 6 Saturday
  int firstDay;                             // 0 Sunday .. 6 Saturday
  int base = 1;
  if (type == 1 || type == 17)
    firstDay = 0;
  else if (type == 2 || type == 11)
    firstDay = 1;
  else if (type == 3)
    firstDay = 1, base = 0;
  else if (type >= 12 && type <= 16)
    firstDay = type - 10;
  else
    return err(ErrorCode::Num);
  return num((dow - firstDay + 7) % 7 + base);
}

Operand days(Args& a) {
  double end = 0, start = 0;
  ErrorCode e;
  if (!serialArg(a, 0, end, e) || !serialArg(a, 1, start, e)) return err(e);
  return num(std::floor(end) - std::floor(start));
}

Operand datevalue(Args& a) {
  double s = 0;
  if (!parseDateTime(a.text(0), s) || s < 1) return err(ErrorCode::Value);
  return num(std::floor(s));
}

Operand timevalue(Args& a) {
  double s = 0;
  if (!parseDateTime(a.text(0), s)) return err(ErrorCode::Value);
  return num(s - std::floor(s));
}

constexpr FunctionInfo kFunctions[] = {
    {"DATE", 3, 3, takes(Number), date},
    {"DATEDIF", 3, 3, takes(Single, Single, Text), datedif},
    {"DATEVALUE", 1, 1, takes(Text), datevalue},
    {"DAY", 1, 1, takes(Single), [](Args& a) { return datePart(a, 2); }},
    {"DAYS", 2, 2, takes(Single), days},
    {"EDATE", 2, 2, takes(Single, Number), [](Args& a) { return monthsLater(a, false); }},
    {"EOMONTH", 2, 2, takes(Single, Number), [](Args& a) { return monthsLater(a, true); }},
    {"HOUR", 1, 1, takes(Single), [](Args& a) { return timePart(a, 0); }},
    {"MINUTE", 1, 1, takes(Single), [](Args& a) { return timePart(a, 1); }},
    {"MONTH", 1, 1, takes(Single), [](Args& a) { return datePart(a, 1); }},
    {"NOW", 0, 0, takes(), [](Args&) { return num(now()); }, true},
    {"SECOND", 1, 1, takes(Single), [](Args& a) { return timePart(a, 2); }},
    {"TIME", 3, 3, takes(Number), time},
    {"TIMEVALUE", 1, 1, takes(Text), timevalue},
    {"TODAY", 0, 0, takes(), [](Args&) { return num(std::floor(now())); }, true},
    {"WEEKDAY", 1, 2, takes(Single, Number), weekday},
    {"YEAR", 1, 1, takes(Single), [](Args& a) { return datePart(a, 0); }},
};

}  // namespace

std::span<const FunctionInfo> dateFunctions() {
  return kFunctions;
}

}  // namespace grid
