#include "core/TimeHelpers.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "core/PathHelpers.h"

namespace {
const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};
const char* const kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                             "Thursday", "Friday", "Saturday"};

void twoDigits(std::string& out, int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  out += buf;
}
}  // namespace

Nx_Time getCurrentTime() {
  return std::chrono::system_clock::now();
}

bool ObjectExportGetFileTime(const Nx_String& path, Nx_Time& modified, Nx_String* error) {
  struct stat st;
  std::string native = toNativePath(path).str();
  if (::stat(native.c_str(), &st) != 0) {
    if (error) *error = "Cannot read the time of " + native + ": " + std::strerror(errno);
    return false;
  }
  auto since =
      std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec);
  modified = Nx_Time(std::chrono::duration_cast<Nx_Time::duration>(since));
  return true;
}

Nx_String formatTime(const Nx_Time& time, const char* format) {
  std::time_t t = std::chrono::system_clock::to_time_t(time);
  std::tm tm{};
  localtime_r(&t, &tm);
  std::string out;
  for (const char* p = format ? format : ""; *p; ++p) {
    if (*p != '%' || !p[1]) {
      out += *p;
      continue;
    }
    switch (*++p) {
      case 'd':
        twoDigits(out, tm.tm_mday);
        break;
      case 'm':
        twoDigits(out, tm.tm_mon + 1);
        break;
      case 'Y':
        out += std::to_string(tm.tm_year + 1900);
        break;
      case 'y':
        twoDigits(out, tm.tm_year % 100);
        break;
      case 'H':
        twoDigits(out, tm.tm_hour);
        break;
      case 'M':
        twoDigits(out, tm.tm_min);
        break;
      case 'S':
        twoDigits(out, tm.tm_sec);
        break;
      case 'B':
        out += kMonths[tm.tm_mon];
        break;
      case 'b':
        out += std::string(kMonths[tm.tm_mon], 3);
        break;
      case 'A':
        out += kDays[tm.tm_wday];
        break;
      case 'a':
        out += std::string(kDays[tm.tm_wday], 3);
        break;
      case '%':
        out += '%';
        break;
      default:
        out += '%';
        out += *p;
        break;
    }
  }
  return Nx_String(std::move(out));
}
