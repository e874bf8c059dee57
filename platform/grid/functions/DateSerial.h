#pragma once
#include <string_view>

#include "platform/grid/Value.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Dates as day numbers of the 1900 date system: 1 is 1 January 1900, and
// 1900 counts as a leap year (day 60 is 29 February 1900), so that day
// numbers agree with the desktop spreadsheet programs; times are fractions
// of a day.
struct CivilDate {
  int year = 1900, month = 1, day = 0;
};

inline constexpr double kLastDaySerial = 2958465;  // 31 December 9999

// The day number of a year, month and day; months and days outside their
// range carry over (month 13 is January of the next year, day 0 the last of
// the month before).
GRID_API double serialOf(int year, int month, int day);
// The date of a day number from 0 (which reads 1900-01-00) to kLastDaySerial.
GRID_API CivilDate dateOf(double serial);
// Reads a date as people type it: "2024-03-15", "3/15/2024", "15-Mar-2024",
// "15 March 2024", "March 15, 2024"; an optional time of day follows
// ("14:30", "2:30 PM"). Text that is only a time gives a fraction.
GRID_API bool parseDateTime(std::string_view text, double& serial);
// A date argument: a number, or text that reads as a number or a date.
GRID_API ErrorCode toSerial(const Value& v, double& out);

}  // namespace grid
