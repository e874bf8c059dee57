// Text: pieces, case, search and replace, number formatting.
#include <cmath>

#include "platform/grid/Limits.h"
#include "platform/grid/NumberText.h"
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"
#include "platform/grid/functions/Wildcard.h"

namespace grid {
namespace {

using enum ArgKind;

Operand text(std::string s) {
  if (s.size() > kMaxConcatLength) return err(ErrorCode::Value);
  return Value::makeText(std::move(s));
}

// A count or position argument: truncated; false when below `least`.
bool count(Args& a, std::size_t i, double fallback, double least, std::size_t& out) {
  double v = a.given(i) ? std::trunc(a.number(i)) : fallback;
  if (v < least) return false;
  out = v > 1e9 ? static_cast<std::size_t>(1e9) : static_cast<std::size_t>(v);
  return true;
}

Operand left(Args& a) {
  std::size_t n = 0;
  if (!count(a, 1, 1, 0, n)) return err(ErrorCode::Value);
  return text(a.text(0).substr(0, n));
}

Operand right(Args& a) {
  std::size_t n = 0;
  if (!count(a, 1, 1, 0, n)) return err(ErrorCode::Value);
  const std::string& s = a.text(0);
  return text(n >= s.size() ? s : s.substr(s.size() - n));
}

Operand mid(Args& a) {
  std::size_t start = 0, n = 0;
  if (!count(a, 1, 1, 1, start) || !count(a, 2, 0, 0, n)) return err(ErrorCode::Value);
  const std::string& s = a.text(0);
  if (start > s.size()) return text("");
  return text(s.substr(start - 1, n));
}

Operand find(Args& a) {
  std::size_t start = 0;
  const std::string &what = a.text(0), &within = a.text(1);
  if (!count(a, 2, 1, 1, start) || start > within.size() + 1) return err(ErrorCode::Value);
  std::size_t at = within.find(what, start - 1);
  return at == std::string::npos ? err(ErrorCode::Value)
                                 : Value::makeNumber(static_cast<double>(at + 1));
}

Operand search(Args& a) {
  std::size_t start = 0;
  const std::string &what = a.text(0), &within = a.text(1);
  if (!count(a, 2, 1, 1, start) || start > within.size() + 1) return err(ErrorCode::Value);
  long at = wildcardSearch(what, within, start - 1);
  return at < 0 ? err(ErrorCode::Value) : Value::makeNumber(static_cast<double>(at + 1));
}

Operand replace(Args& a) {
  std::size_t start = 0, n = 0;
  if (!count(a, 1, 1, 1, start) || !count(a, 2, 0, 0, n)) return err(ErrorCode::Value);
  std::string s = a.text(0);
  if (start - 1 > s.size()) start = s.size() + 1;
  s.replace(start - 1, n, a.text(3));
  return text(std::move(s));
}

Operand substitute(Args& a) {
  const std::string &s = a.text(0), &from = a.text(1), &to = a.text(2);
  std::size_t instance = 0;
  if (a.given(3) && !count(a, 3, 1, 1, instance)) return err(ErrorCode::Value);
  if (from.empty()) return text(s);
  std::string out;
  std::size_t pos = 0, seen = 0;
  for (;;) {
    std::size_t at = s.find(from, pos);
    if (at == std::string::npos) break;
    ++seen;
    out.append(s, pos, at - pos);
    out += (instance == 0 || seen == instance) ? to : from;
    pos = at + from.size();
    if (out.size() > kMaxConcatLength) return err(ErrorCode::Value);
  }
  out.append(s, pos, std::string::npos);
  return text(std::move(out));
}

Operand rept(Args& a) {
  std::size_t n = 0;
  if (!count(a, 1, 0, 0, n)) return err(ErrorCode::Value);
  const std::string& s = a.text(0);
  if (!s.empty() && n > kMaxConcatLength / s.size()) return err(ErrorCode::Value);
  std::string out;
  out.reserve(s.size() * n);
  for (std::size_t i = 0; i < n; ++i) out += s;
  return text(std::move(out));
}

Operand trim(Args& a) {
  std::string out;
  for (char c : a.text(0)) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return text(std::move(out));
}

Operand proper(Args& a) {
  std::string s = a.text(0);
  bool afterLetter = false;
  for (char& c : s) {
    std::string one(1, c);
    bool letter = upperCase(one) != lowerCase(one);
    c = (afterLetter ? lowerCase(one) : upperCase(one))[0];
    afterLetter = letter;
  }
  return text(std::move(s));
}

Operand fixed(Args& a) {
  double digits = a.given(1) ? std::trunc(a.number(1)) : 2;
  if (digits > 127) return err(ErrorCode::Value);
  if (digits < -308) digits = -308;
  bool commas = !(a.given(2) && a.boolean(2));
  int d = static_cast<int>(digits);
  double v = roundDecimal(a.number(0), d);
  return text(formatFixed(v, d < 0 ? 0 : d, commas));
}

Operand value(Args& a) {
  double d = 0;
  if (!parseNumber(a.text(0), d)) return err(ErrorCode::Value);
  return Value::makeNumber(d);
}

Operand concatenate(Args& a) {
  std::string out;
  for (std::size_t i = 0; i < a.size(); ++i) {
    out += a.text(i);
    if (out.size() > kMaxConcatLength) return err(ErrorCode::Value);
  }
  return text(std::move(out));
}

constexpr FunctionInfo kFunctions[] = {
    {"CHAR", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double n = std::trunc(a.number(0));
       if (n < 1 || n > 255) return err(ErrorCode::Value);
       return text(std::string(1, static_cast<char>(static_cast<unsigned char>(n))));
     }},
    {"CLEAN", 1, 1, takes(Text),
     [](Args& a) -> Operand {
       std::string out;
       for (char c : a.text(0))
         if (static_cast<unsigned char>(c) >= 32) out += c;
       return text(std::move(out));
     }},
    {"CODE", 1, 1, takes(Text),
     [](Args& a) -> Operand {
       if (a.text(0).empty()) return err(ErrorCode::Value);
       return Value::makeNumber(static_cast<unsigned char>(a.text(0)[0]));
     }},
    {"CONCATENATE", 1, kVariadic, takes(Text), concatenate},
    {"EXACT", 2, 2, takes(Text),
     [](Args& a) -> Operand { return Value::makeBool(a.text(0) == a.text(1)); }},
    {"FIND", 2, 3, takes(Text, Text, Number), find},
    {"FIXED", 1, 3, takes(Number, Number, Boolean), fixed},
    {"LEFT", 1, 2, takes(Text, Number), left},
    {"LEN", 1, 1, takes(Text),
     [](Args& a) -> Operand { return Value::makeNumber(static_cast<double>(a.text(0).size())); }},
    {"LOWER", 1, 1, takes(Text), [](Args& a) { return text(lowerCase(a.text(0))); }},
    {"MID", 3, 3, takes(Text, Number, Number), mid},
    {"PROPER", 1, 1, takes(Text), proper},
    {"REPLACE", 4, 4, takes(Text, Number, Number, Text), replace},
    {"REPT", 2, 2, takes(Text, Number), rept},
    {"RIGHT", 1, 2, takes(Text, Number), right},
    {"SEARCH", 2, 3, takes(Text, Text, Number), search},
    {"SUBSTITUTE", 3, 4, takes(Text, Text, Text, Number), substitute},
    {"T", 1, 1, takes(Single),
     [](Args& a) -> Operand {
       return a.value(0).isText() ? Operand(a.value(0)) : Operand(Value::makeText(""));
     }},
    {"TRIM", 1, 1, takes(Text), trim},
    {"UPPER", 1, 1, takes(Text), [](Args& a) { return text(upperCase(a.text(0))); }},
    {"VALUE", 1, 1, takes(Text), value},
};

}  // namespace

std::span<const FunctionInfo> textFunctions() {
  return kFunctions;
}

}  // namespace grid
