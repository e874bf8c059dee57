#include "platform/grid/functions/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/grid/NumberText.h"
#include "platform/grid/functions/Coercion.h"
#include "platform/grid/functions/DateSerial.h"

namespace grid {
namespace {

enum class Kind { Literal, Digit, Point, Exponent, Percent, General, DatePart, Text };

struct Token {
  Kind kind;
  std::string text;  // the literal, the date code, or "+"/"-" of an exponent
  char placeholder = 0;
};

struct Section {
  std::vector<Token> tokens;
  bool date = false, thousands = false, ampm = false;
  int scale = 0;  // thousands divided away by trailing commas
};

std::vector<std::string_view> splitSections(std::string_view f) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (f[i] == '"') quoted = !quoted;
    if (quoted) continue;
    if (f[i] == '\\' || f[i] == '_' || f[i] == '*') {
      ++i;
    } else if (f[i] == ';') {
      out.push_back(f.substr(start, i - start));
      start = i + 1;
    }
  }
  out.push_back(f.substr(start));
  return out;
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool isDigitToken(const Token& t) {
  return t.kind == Kind::Digit;
}

Section parseSection(std::string_view f) {
  Section s;
  auto literal = [&](std::string text) {
    if (!s.tokens.empty() && s.tokens.back().kind == Kind::Literal)
      s.tokens.back().text += text;
    else
      s.tokens.push_back({Kind::Literal, std::move(text)});
  };
  for (std::size_t i = 0; i < f.size(); ++i) {
    char c = f[i], lc = lower(c);
    if (c == '"') {
      std::size_t end = f.find('"', i + 1);
      if (end == std::string_view::npos) end = f.size();
      literal(std::string(f.substr(i + 1, end - i - 1)));
      i = end;
    } else if (c == '\\' && i + 1 < f.size()) {
      literal(std::string(1, f[++i]));
    } else if (c == '_' && i + 1 < f.size()) {
      ++i, literal(" ");  // the width of the next character
    } else if (c == '*' && i + 1 < f.size()) {
      ++i;  // fills a column's width; text has none
    } else if (c == '[') {
      std::size_t end = f.find(']', i);
      if (end == std::string_view::npos) end = f.size();
      std::string inner = lowerCase(f.substr(i + 1, end - i - 1));
      if (!inner.empty() && (inner[0] == 'h' || inner[0] == 'm' || inner[0] == 's') &&
          inner.find_first_not_of(inner[0]) == std::string::npos) {
        s.tokens.push_back({Kind::DatePart, "[" + inner + "]"});
        s.date = true;
      }
      i = end;
    } else if (c == '0' || c == '#' || c == '?') {
      s.tokens.push_back({Kind::Digit, "", c});
    } else if (c == '.') {
      bool seconds = !s.tokens.empty() && s.tokens.back().kind == Kind::DatePart &&
                     lower(s.tokens.back().text[0]) == 's';
      if (seconds && i + 1 < f.size() && f[i + 1] == '0') {
        std::string code = ".";
        while (i + 1 < f.size() && f[i + 1] == '0') code += '0', ++i;
        s.tokens.push_back({Kind::DatePart, code});
      } else if (std::none_of(s.tokens.begin(), s.tokens.end(),
                              [](const Token& t) { return t.kind == Kind::Point; })) {
        s.tokens.push_back({Kind::Point, ""});
      } else {
        literal(".");
      }
    } else if (c == ',') {
      bool afterDigit = !s.tokens.empty() && isDigitToken(s.tokens.back());
      bool beforeDigit =
          i + 1 < f.size() && (f[i + 1] == '0' || f[i + 1] == '#' || f[i + 1] == '?');
      if (afterDigit && beforeDigit)
        s.thousands = true;
      else if (afterDigit)
        ++s.scale;
      else
        literal(",");
    } else if (c == '%') {
      s.tokens.push_back({Kind::Percent, "%"});
    } else if (lc == 'e' && i + 1 < f.size() && (f[i + 1] == '+' || f[i + 1] == '-')) {
      s.tokens.push_back({Kind::Exponent, std::string(1, f[i + 1])});
      ++i;
    } else if (lc == 'g' && lowerCase(f.substr(i, 7)) == "general") {
      s.tokens.push_back({Kind::General, ""});
      i += 6;
    } else if (c == '@') {
      s.tokens.push_back({Kind::Text, ""});
    } else if (lc == 'a' && lowerCase(f.substr(i, 5)) == "am/pm") {
      s.tokens.push_back({Kind::DatePart, "am/pm"});
      s.date = s.ampm = true;
      i += 4;
    } else if (lc == 'a' && lowerCase(f.substr(i, 3)) == "a/p") {
      s.tokens.push_back({Kind::DatePart, f[i] == 'a' ? "a/p" : "A/P"});
      s.date = s.ampm = true;
      i += 2;
    } else if (lc == 'y' || lc == 'm' || lc == 'd' || lc == 'h' || lc == 's') {
      std::string code(1, lc);
      while (i + 1 < f.size() && lower(f[i + 1]) == lc) code += lc, ++i;
      s.tokens.push_back({Kind::DatePart, code});
      s.date = true;
    } else {
      literal(std::string(1, c));
    }
  }
  // "m" next to hours or seconds means minutes.
  for (std::size_t i = 0; i < s.tokens.size(); ++i) {
    Token& t = s.tokens[i];
    if (t.kind != Kind::DatePart || t.text[0] != 'm' || t.text.size() > 2) continue;
    auto near = [&](int step, char code) {
      for (std::size_t j = i + step; j < s.tokens.size(); j += step) {
        const Token& u = s.tokens[j];
        if (u.kind != Kind::DatePart) continue;
        return u.text[0] == code || (u.text[0] == '[' && u.text[1] == code);
      }
      return false;
    };
    if (near(-1, 'h') || near(1, 's')) t.text = t.text.size() == 1 ? "M" : "MM";
  }
  return s;
}

const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

std::string twoDigits(long v) {
  return (v < 10 ? "0" : "") + std::to_string(v);
}

std::string formatDate(const Section& s, double v) {
  int fractionDigits = 0;
  for (const Token& t : s.tokens)
    if (t.kind == Kind::DatePart && t.text[0] == '.')
      fractionDigits = static_cast<int>(t.text.size()) - 1;
  double unit = std::pow(10.0, fractionDigits);
  double ticks = std::round(v * 86400 * unit);  // rounded to the shown precision
  double wholeSeconds = std::floor(ticks / unit);
  double day = std::floor(wholeSeconds / 86400);
  long secOfDay = static_cast<long>(wholeSeconds - day * 86400);
  CivilDate d = dateOf(day);
  long hour = secOfDay / 3600, minute = secOfDay / 60 % 60, second = secOfDay % 60;
  std::string out;
  for (const Token& t : s.tokens) {
    if (t.kind == Kind::Literal) {
      out += t.text;
      continue;
    }
    if (t.kind != Kind::DatePart) continue;
    const std::string& c = t.text;
    if (c[0] == 'y') {
      out += c.size() <= 2 ? twoDigits(d.year % 100) : std::to_string(d.year);
    } else if (c[0] == 'm') {
      if (c.size() == 1)
        out += std::to_string(d.month);
      else if (c.size() == 2)
        out += twoDigits(d.month);
      else if (c.size() == 3)
        out += std::string(kMonthNames[d.month - 1]).substr(0, 3);
      else if (c.size() == 5)
        out += kMonthNames[d.month - 1][0];
      else
        out += kMonthNames[d.month - 1];
    } else if (c[0] == 'd') {
      int dow = static_cast<int>((static_cast<long>(day) + 6) % 7);
      if (c.size() == 1)
        out += std::to_string(d.day);
      else if (c.size() == 2)
        out += twoDigits(d.day);
      else if (c.size() == 3)
        out += std::string(kDayNames[dow]).substr(0, 3);
      else
        out += kDayNames[dow];
    } else if (c[0] == 'h') {
      long h = s.ampm ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
      out += c.size() == 1 ? std::to_string(h) : twoDigits(h);
    } else if (c[0] == 'M') {
      out += c.size() == 1 ? std::to_string(minute) : twoDigits(minute);
    } else if (c[0] == 's') {
      out += c.size() == 1 ? std::to_string(second) : twoDigits(second);
    } else if (c[0] == '.') {
      long frac = static_cast<long>(ticks - wholeSeconds * unit);
      std::string digits = std::to_string(frac);
      out +=
          "." + std::string(static_cast<std::size_t>(fractionDigits) - digits.size(), '0') + digits;
    } else if (c[0] == '[') {
      double total = c[1] == 'h'   ? std::floor(wholeSeconds / 3600)
                     : c[1] == 'm' ? std::floor(wholeSeconds / 60)
                                   : wholeSeconds;
      std::string n = std::to_string(static_cast<long long>(total));
      if (n.size() < c.size() - 2) n.insert(0, c.size() - 2 - n.size(), '0');
      out += n;
    } else if (c == "am/pm") {
      out += hour < 12 ? "AM" : "PM";
    } else if (c == "a/p" || c == "A/P") {
      char x = hour < 12 ? 'A' : 'P';
      out += c == "a/p" ? lower(x) : x;
    }
  }
  return out;
}

std::string groupThousands(const std::string& digits) {
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string formatNumber(const Section& s, double v, bool sign) {
  const auto& tk = s.tokens;
  std::size_t point = tk.size(), exponent = tk.size();
  int percent = 0;
  for (std::size_t i = 0; i < tk.size(); ++i) {
    if (tk[i].kind == Kind::Point && point == tk.size()) point = i;
    if (tk[i].kind == Kind::Exponent && exponent == tk.size()) exponent = i;
    if (tk[i].kind == Kind::Percent) ++percent;
  }
  std::size_t intEnd = std::min(point, exponent);
  std::vector<std::size_t> intDigits, fracDigits, expDigits;
  for (std::size_t i = 0; i < tk.size(); ++i) {
    if (tk[i].kind != Kind::Digit) continue;
    (i < intEnd ? intDigits : i < exponent ? fracDigits : expDigits).push_back(i);
  }
  double x = std::fabs(v) * std::pow(100.0, percent) / std::pow(1000.0, s.scale);
  int exp10 = 0;
  if (exponent < tk.size() && x != 0) {
    int step = std::max<int>(1, static_cast<int>(intDigits.size()));
    bool engineering = step > 1 && tk[intDigits.front()].placeholder == '#';
    exp10 = static_cast<int>(std::floor(std::log10(x)));
    exp10 = engineering ? static_cast<int>(std::floor(exp10 / static_cast<double>(step))) * step
                        : exp10 - (step - 1);
    x /= std::pow(10.0, exp10);
  }
  int decimals = static_cast<int>(fracDigits.size());
  std::string fixed = formatFixed(x, decimals, false);
  if (exponent < tk.size() && fixed.size() > 1 && fixed[0] != '0') {
    // Rounding may carry the mantissa to the next power of ten.
    double m = 0;
    parseNumber(fixed, m);
    if (m >= std::pow(10.0, std::max<std::size_t>(1, intDigits.size()))) {
      ++exp10;
      fixed = formatFixed(x / 10, decimals, false);
    }
  }
  std::size_t dot = fixed.find('.');
  std::string whole = fixed.substr(0, dot),
              frac = dot == std::string::npos ? "" : fixed.substr(dot + 1);
  if (whole == "0" && std::none_of(intDigits.begin(), intDigits.end(),
                                   [&](std::size_t i) { return tk[i].placeholder == '0'; }))
    whole.clear();
  std::size_t zeros = 0;
  for (std::size_t i : intDigits) zeros += tk[i].placeholder == '0';
  if (whole.size() < zeros) whole.insert(0, zeros - whole.size(), '0');
  // Digits fill the integer placeholders from the right; the leftmost takes
  // what is left over.
  std::vector<std::string> slot(tk.size());
  if (s.thousands) {
    if (!intDigits.empty()) slot[intDigits.front()] = groupThousands(whole);
  } else {
    std::size_t k = whole.size();
    for (std::size_t n = intDigits.size(); n-- > 0;) {
      std::size_t i = intDigits[n];
      if (k == 0) {
        slot[i] = tk[i].placeholder == '?' ? " " : "";
      } else if (n == 0) {
        slot[i] = whole.substr(0, k);
        k = 0;
      } else {
        --k;
        slot[i] = whole.substr(k, 1);
      }
    }
  }
  std::size_t lastShown = frac.find_last_not_of('0');
  for (std::size_t n = 0; n < fracDigits.size(); ++n) {
    std::size_t i = fracDigits[n];
    bool trailing = lastShown == std::string::npos || n > lastShown;
    slot[i] = !trailing || tk[i].placeholder == '0' ? frac.substr(n, 1)
              : tk[i].placeholder == '?'            ? " "
                                                    : "";
  }
  if (exponent < tk.size()) {
    std::string e = std::to_string(std::abs(exp10));
    std::size_t minDigits = 0;
    for (std::size_t i : expDigits) minDigits += tk[i].placeholder == '0';
    if (e.size() < minDigits) e.insert(0, minDigits - e.size(), '0');
    for (std::size_t n = 0; n < expDigits.size(); ++n) slot[expDigits[n]] = n == 0 ? e : "";
  }
  std::string out = sign ? "-" : "";
  for (std::size_t i = 0; i < tk.size(); ++i) {
    switch (tk[i].kind) {
      case Kind::Literal:
      case Kind::Percent:
        out += tk[i].text;
        break;
      case Kind::Digit:
        out += slot[i];
        break;
      case Kind::Point:
        if (intDigits.empty()) out += whole;  // ".00" still shows the whole part
        out += '.';
        break;
      case Kind::Exponent:
        out += exp10 < 0 ? "E-" : tk[i].text == "+" ? "E+" : "E";
        break;
      case Kind::General:
        out += formatGeneral(x);
        break;
      default:
        break;
    }
  }
  return out;
}

}  // namespace

bool formatValue(const Value& v, std::string_view format, std::string& result) {
  std::vector<std::string_view> sections = splitSections(format);
  if (v.isText()) {
    if (sections.size() < 4) {
      Section s = parseSection(sections[0]);
      bool hasText = std::any_of(s.tokens.begin(), s.tokens.end(),
                                 [](const Token& t) { return t.kind == Kind::Text; });
      if (!hasText) return result = v.text, true;
    }
    Section s = parseSection(sections.size() >= 4 ? sections[3] : sections[0]);
    std::string out;
    for (const Token& t : s.tokens)
      out += t.kind == Kind::Literal ? t.text : t.kind == Kind::Text ? v.text : "";
    result = std::move(out);
    return true;
  }
  double x = v.number;
  std::string_view chosen = sections[0];
  bool sign = x < 0;
  if (x < 0 && sections.size() >= 2)
    chosen = sections[1], sign = false;
  else if (x == 0 && sections.size() >= 3)
    chosen = sections[2];
  Section s = parseSection(chosen);
  if (s.date) {
    if (x < 0 || x > kLastDaySerial + 1) return false;
    result = formatDate(s, x);
    return true;
  }
  bool placeholders = std::any_of(s.tokens.begin(), s.tokens.end(), [](const Token& t) {
    return t.kind == Kind::Digit || t.kind == Kind::General;
  });
  if (!placeholders && sections.size() == 1 && s.tokens.empty()) {
    result = formatGeneral(x);
    return true;
  }
  result = formatNumber(s, x, sign);
  // "-0.00" reads "0.00".
  if (sign && result.find_first_of("123456789") == std::string::npos) result.erase(0, 1);
  return true;
}

}  // namespace grid
