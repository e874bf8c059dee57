#include "core/Nx_String.h"

#include "core/CaseBlindKey.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <system_error>

#include "platform/base/DecimalNumber.h"

namespace {
using caseblind::fold;
inline bool sameByte(char a, char b, bool exact) {
  return exact ? a == b
               : fold(static_cast<unsigned char>(a)) == fold(static_cast<unsigned char>(b));
}
inline bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
}  // namespace

Nx_String::Nx_String(const char* text, int length) {
  if (text && length > 0) s_.assign(text, static_cast<size_t>(length));
}

Nx_String::Nx_String(double value, int precision, bool keepZeros) {
  if (!std::isfinite(value)) {
    s_ = std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
    return;
  }
  if (precision < 0) precision = 0;
  if (precision > 15) precision = 15;
  // The digits of printf's "%.*f" (both round the exact binary value), at a
  // fraction of its cost: macro values are formatted for every variable of a run.
  char buf[400];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
  if (ec == std::errc()) {
    s_.assign(buf, end);
  } else {
    std::snprintf(buf, sizeof buf, "%.*f", precision, value);
    s_ = buf;
  }
  if (!keepZeros && s_.find('.') != std::string::npos) {
    while (!s_.empty() && s_.back() == '0') s_.pop_back();
    if (!s_.empty() && s_.back() == '.') s_.pop_back();
  }
  // A value that rounds to zero never shows a sign ("-0.00" reads as "0.00").
  if (s_[0] == '-' && s_.find_first_not_of("-0.") == std::string::npos) s_.erase(0, 1);
}

bool Nx_String::equal(const Nx_String& other, bool exact) const {
  const size_t n = s_.size();
  if (n != other.s_.size()) return false;
  // Look-ups mostly meet the name as it is spelt, or a name that differs at
  // once: the bytes are folded only past the first that differs.
  const char* a = s_.data();
  const char* b = other.s_.data();
  size_t i = 0;
  while (i < n && a[i] == b[i]) ++i;
  if (i == n) return true;
  if (exact) return false;
  for (; i < n; ++i)
    if (!sameByte(a[i], b[i], false)) return false;
  return true;
}

int Nx_String::compare(const Nx_String& other, bool exact) const {
  size_t n = std::min(s_.size(), other.s_.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char a = static_cast<unsigned char>(s_[i]);
    unsigned char b = static_cast<unsigned char>(other.s_[i]);
    if (!exact) a = fold(a), b = fold(b);
    if (a != b) return a < b ? -1 : 1;
  }
  if (s_.size() == other.s_.size()) return 0;
  return s_.size() < other.s_.size() ? -1 : 1;
}

int Nx_String::find(const Nx_String& sub, bool exact, int from) const {
  if (from < 0) from = 0;
  const size_t n = s_.size(), m = sub.s_.size();
  if (static_cast<size_t>(from) > n || m > n)
    return (m == 0 && static_cast<size_t>(from) <= n) ? from : -1;
  if (exact) {
    size_t p = s_.find(sub.s_, static_cast<size_t>(from));
    return p == std::string::npos ? -1 : static_cast<int>(p);
  }
  for (size_t i = static_cast<size_t>(from); i + m <= n; ++i) {
    size_t k = 0;
    while (k < m && sameByte(s_[i + k], sub.s_[k], false)) ++k;
    if (k == m) return static_cast<int>(i);
  }
  return -1;
}

int Nx_String::find(char c, int from) const {
  if (from < 0) from = 0;
  size_t p = s_.find(c, static_cast<size_t>(from));
  return p == std::string::npos ? -1 : static_cast<int>(p);
}

int Nx_String::reverseFind(char c) const {
  size_t p = s_.rfind(c);
  return p == std::string::npos ? -1 : static_cast<int>(p);
}

bool Nx_String::startsWith(const Nx_String& prefix, bool exact) const {
  return prefix.length() <= length() && left(prefix.length()).equal(prefix, exact);
}

bool Nx_String::endsWith(const Nx_String& suffix, bool exact) const {
  return suffix.length() <= length() && right(suffix.length()).equal(suffix, exact);
}

Nx_String Nx_String::left(int n) const {
  if (n <= 0) return {};
  return Nx_String(s_.substr(0, static_cast<size_t>(n)));
}

Nx_String Nx_String::right(int n) const {
  if (n <= 0) return {};
  if (n >= length()) return *this;
  return Nx_String(s_.substr(s_.size() - static_cast<size_t>(n)));
}

Nx_String Nx_String::mid(int start, int n) const {
  if (start < 0) start = 0;
  if (start >= length() || n == 0) return {};
  return Nx_String(
      s_.substr(static_cast<size_t>(start), n < 0 ? std::string::npos : static_cast<size_t>(n)));
}

Nx_String Nx_String::upper() const {
  std::string r = s_;
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return r;
}

Nx_String Nx_String::lower() const {
  std::string r = s_;
  for (char& c : r) c = static_cast<char>(fold(static_cast<unsigned char>(c)));
  return r;
}

Nx_String Nx_String::trimmed() const {
  size_t b = 0, e = s_.size();
  while (b < e && isBlank(s_[b])) ++b;
  while (e > b && isBlank(s_[e - 1])) --e;
  return Nx_String(s_.substr(b, e - b));
}

Nx_String& Nx_String::trim() {
  *this = trimmed();
  return *this;
}

int Nx_String::replace(const Nx_String& from, const Nx_String& to, bool exact) {
  if (from.isEmpty()) return 0;
  int count = 0;
  std::string out;
  int pos = 0;
  for (int hit = find(from, exact, 0); hit >= 0; hit = find(from, exact, pos)) {
    out.append(s_, static_cast<size_t>(pos), static_cast<size_t>(hit - pos));
    out += to.s_;
    pos = hit + from.length();
    ++count;
  }
  if (count == 0) return 0;
  out.append(s_, static_cast<size_t>(pos), std::string::npos);
  s_ = std::move(out);
  return count;
}

Nx_String& Nx_String::insert(int pos, const Nx_String& text) {
  pos = std::clamp(pos, 0, length());
  s_.insert(static_cast<size_t>(pos), text.s_);
  return *this;
}

Nx_String& Nx_String::remove(int pos, int n) {
  if (pos >= 0 && pos < length() && n > 0)
    s_.erase(static_cast<size_t>(pos), static_cast<size_t>(n));
  return *this;
}

bool Nx_String::toDouble(double& value) const {
  std::string_view s = s_;
  size_t b = 0;
  while (b < s.size() && isBlank(s[b])) ++b;
  size_t len = base::decimalPrefix(s.substr(b));
  if (len == 0) return false;
  for (size_t e = b + len; e < s.size(); ++e)
    if (!isBlank(s[e])) return false;
  return base::decimalValue(s.substr(b, len), value);
}

bool Nx_String::toInt(int& value) const {
  double d;
  if (!toDouble(d) || d != std::trunc(d) || d < std::numeric_limits<int>::min() ||
      d > std::numeric_limits<int>::max())
    return false;
  value = static_cast<int>(d);
  return true;
}

double Nx_String::toDouble() const {
  std::string_view s = s_;
  size_t b = 0;
  while (b < s.size() && isBlank(s[b])) ++b;
  double value = 0;
  return base::decimalValue(s.substr(b, base::decimalPrefix(s.substr(b))), value) ? value : 0;
}

int Nx_String::toInt() const {
  std::string_view s = s_;
  size_t b = 0;
  while (b < s.size() && isBlank(s[b])) ++b;
  if (b + 1 < s.size() && s[b] == '+' && s[b + 1] >= '0' && s[b + 1] <= '9') ++b;
  int value = 0;
  auto [end, ec] = std::from_chars(s.data() + b, s.data() + s.size(), value);
  return ec == std::errc() ? value : 0;
}
