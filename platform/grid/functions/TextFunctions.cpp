// Text: pieces, case, search and replace, number formatting.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/grid/Limits.h"
#include "platform/grid/NumberText.h"
#include "platform/grid/formula/ArrayView.h"
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"
#include "platform/grid/functions/NumberFormat.h"
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
  // Nothing repeated is nothing, however often: no billion-step loop for it.
  if (s.empty()) return text({});
  if (n > kMaxConcatLength / s.size()) return err(ErrorCode::Value);
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

// TEXT(value, format): numbers (and text that reads as one) through the
// format; other text through its text section.
Operand textFormat(Args& a) {
  Value v = a.value(0);
  if (v.isEmpty()) v = Value::makeNumber(0);
  if (v.isBool()) return text(v.boolean() ? "TRUE" : "FALSE");
  double d = 0;
  if (v.isText() && parseNumber(v.text, d)) v = Value::makeNumber(d);
  std::string out;
  if (!formatValue(v, a.text(1), out)) return err(ErrorCode::Value);
  return text(std::move(out));
}

// CONCAT and TEXTJOIN take blocks and arrays as well as values.
Operand join(Args& a, std::size_t first, std::string_view delimiter, bool skipEmpty) {
  std::string out;
  bool any = false;
  ErrorCode e = ErrorCode::None;
  auto add = [&](const Value& v) {
    if (e != ErrorCode::None) return;
    std::string t;
    e = toText(v, t);
    if (e != ErrorCode::None || (skipEmpty && t.empty())) return;
    if (any) out += delimiter;
    out += t;
    any = true;
    if (out.size() > kMaxConcatLength) e = ErrorCode::Value;
  };
  for (std::size_t i = first; i < a.size() && e == ErrorCode::None; ++i) {
    const Operand& o = a.operand(i);
    if (o.kind == OperandKind::Missing) {
      add(Value::makeText(""));
    } else if (skipEmpty) {
      a.forEachItem(i, [&](const Value& v, bool) { add(v); });
    } else {
      // Empty cells count as empty texts between delimiters.
      ArrayView view(o, a.context());
      for (int r = 0; r < view.rows() && e == ErrorCode::None; ++r)
        for (int c = 0; c < view.cols(); ++c) add(view.at(r, c));
    }
  }
  return e != ErrorCode::None ? err(e) : text(std::move(out));
}

// NUMBERVALUE(text, [decimal separator], [group separator]): blanks and
// group separators dropped, trailing "%" each divide by 100.
Operand numbervalue(Args& a) {
  char decimal = a.given(1) && !a.text(1).empty() ? a.text(1)[0] : '.';
  char group = a.given(2) && !a.text(2).empty() ? a.text(2)[0] : ',';
  if (decimal == group) return err(ErrorCode::Value);
  std::string t;
  int percents = 0;
  bool seenDecimal = false;
  for (char c : a.text(0)) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
    if (c == '%') {
      ++percents;
      continue;
    }
    if (percents > 0) return err(ErrorCode::Value);
    if (c == decimal) {
      if (seenDecimal) return err(ErrorCode::Value);
      seenDecimal = true;
      t += '.';
    } else if (c == group) {
      if (seenDecimal) return err(ErrorCode::Value);
    } else {
      t += c;
    }
  }
  if (t.empty()) return num(0);
  double d = 0;
  if (!parseNumber(t, d)) return err(ErrorCode::Value);
  return num(d / std::pow(100.0, percents));
}

// DOLLAR(number, [decimals]): currency with grouped thousands, negative
// amounts in parentheses.
Operand dollar(Args& a) {
  double digits = a.given(1) ? std::trunc(a.number(1)) : 2;
  if (digits > 127) return err(ErrorCode::Value);
  if (digits < -308) digits = -308;
  int d = static_cast<int>(digits);
  double v = roundDecimal(a.number(0), d);
  std::string body = "$" + formatFixed(std::fabs(v), d < 0 ? 0 : d, true);
  return text(v < 0 ? "(" + body + ")" : body);
}

// ROMAN(number, [form]): form 0 is classic; forms 1 to 4 allow ever wider
// subtractive pairs, so 499 reads CDXCIX, LDVLIV, XDIX, VDIV, ID.
Operand roman(Args& a) {
  double n = std::trunc(a.number(0));
  int form = 0;
  if (a.given(1)) {
    const Value& f = a.value(1);
    form = f.isBool() ? (f.boolean() ? 0 : 4) : static_cast<int>(std::trunc(f.number));
  }
  if (n < 0 || n > 3999 || form < 0 || form > 4) return err(ErrorCode::Value);
  static constexpr char kLetters[] = "MDCLXVI";
  static constexpr int kValues[] = {1000, 500, 100, 50, 10, 5, 1};
  // Every numeral, and every pair "smaller before larger" the form allows.
  struct Piece {
    int value;
    std::string text;
  };
  std::vector<Piece> pieces;
  for (int big = 0; big < 7; ++big) {
    pieces.push_back({kValues[big], std::string(1, kLetters[big])});
    if (big == 6) continue;
    int classic = big % 2 == 0 ? big + 2 : big + 1;  // C before M, C before D, ...
    for (int small = classic; small <= std::min(6, classic + form); ++small) {
      int v = kValues[big] - kValues[small];
      if (v == kValues[small] || small >= 7) continue;  // VX is just V
      pieces.push_back({v, std::string(1, kLetters[small]) + kLetters[big]});
    }
  }
  std::sort(pieces.begin(), pieces.end(),
            [](const Piece& x, const Piece& y) { return x.value > y.value; });
  std::string out;
  int rest = static_cast<int>(n);
  for (const Piece& p : pieces)
    while (rest >= p.value) out += p.text, rest -= p.value;
  return text(std::move(out));
}

Operand arabic(Args& a) {
  std::string_view t = a.text(0);
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  bool negative = !t.empty() && t.front() == '-';
  if (negative) t.remove_prefix(1);
  if (t.size() > 255) return err(ErrorCode::Value);
  auto valueOf = [](char c) {
    switch (c | 32) {
      case 'i':
        return 1;
      case 'v':
        return 5;
      case 'x':
        return 10;
      case 'l':
        return 50;
      case 'c':
        return 100;
      case 'd':
        return 500;
      case 'm':
        return 1000;
      default:
        return 0;
    }
  };
  double total = 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    int v = valueOf(t[i]);
    if (v == 0) return err(ErrorCode::Value);
    int next = i + 1 < t.size() ? valueOf(t[i + 1]) : 0;
    total += next > v ? -v : v;
  }
  return num(negative ? -total : total);
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
    {"ARABIC", 1, 1, takes(Text), arabic},
    {"CONCAT", 1, kVariadic, takes(List), [](Args& a) { return join(a, 0, "", false); }},
    {"CONCATENATE", 1, kVariadic, takes(Text), concatenate},
    {"DOLLAR", 1, 2, takes(Number), dollar},
    {"EXACT", 2, 2, takes(Text),
     [](Args& a) -> Operand { return Value::makeBool(a.text(0) == a.text(1)); }},
    {"FIND", 2, 3, takes(Text, Text, Number), find},
    {"FIXED", 1, 3, takes(Number, Number, Boolean), fixed},
    {"LEFT", 1, 2, takes(Text, Number), left},
    {"LEN", 1, 1, takes(Text),
     [](Args& a) -> Operand { return Value::makeNumber(static_cast<double>(a.text(0).size())); }},
    {"LOWER", 1, 1, takes(Text), [](Args& a) { return text(lowerCase(a.text(0))); }},
    {"MID", 3, 3, takes(Text, Number, Number), mid},
    {"NUMBERVALUE", 1, 3, takes(Text), numbervalue},
    {"PROPER", 1, 1, takes(Text), proper},
    {"REPLACE", 4, 4, takes(Text, Number, Number, Text), replace},
    {"REPT", 2, 2, takes(Text, Number), rept},
    {"ROMAN", 1, 2, takes(Number, Single), roman},
    {"RIGHT", 1, 2, takes(Text, Number), right},
    {"SEARCH", 2, 3, takes(Text, Text, Number), search},
    {"SUBSTITUTE", 3, 4, takes(Text, Text, Text, Number), substitute},
    {"T", 1, 1, takes(Single),
     [](Args& a) -> Operand {
       return a.value(0).isText() ? Operand(a.value(0)) : Operand(Value::makeText(""));
     }},
    {"TEXT", 2, 2, takes(Single, Text), textFormat},
    {"TEXTJOIN", 3, kVariadic, takes(Text, Boolean, List),
     [](Args& a) { return join(a, 2, a.text(0), a.boolean(1)); }},
    {"TRIM", 1, 1, takes(Text), trim},
    {"UPPER", 1, 1, takes(Text), [](Args& a) { return text(upperCase(a.text(0))); }},
    {"VALUE", 1, 1, takes(Text), value},
};

}  // namespace

std::span<const FunctionInfo> textFunctions() {
  return kFunctions;
}

}  // namespace grid
