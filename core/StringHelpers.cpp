#include "core/StringHelpers.h"

#include <random>
#include <string_view>

#include "platform/base/DecimalNumber.h"

namespace {
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int findSymbol(const Nx_String& text, const Nx_String& symbol, bool last) {
  if (symbol.isEmpty()) return -1;
  if (!last) return text.find(symbol, true);
  size_t p = text.str().rfind(symbol.str());
  return p == std::string::npos ? -1 : static_cast<int>(p);
}
}  // namespace

bool splitString(const Nx_String& text, const Nx_String& symbol, Nx_String& before,
                 Nx_String& after) {
  return splitStringAtSymbol(text, symbol, before, after, false);
}

bool splitStringAtSymbol(const Nx_String& text, const Nx_String& symbol, Nx_String& before,
                         Nx_String& after, bool trim) {
  int at = findSymbol(text, symbol, false);
  if (at < 0) return false;
  Nx_String head = text.left(at);
  Nx_String tail = text.mid(at + symbol.length());
  if (trim) {
    head.trim();
    tail.trim();
  }
  before = std::move(head);
  after = std::move(tail);
  return true;
}

bool splitStringAtSymbol(const Nx_String& text, char symbol, Nx_String& before, Nx_String& after,
                         bool trim) {
  return splitStringAtSymbol(text, Nx_String(symbol, 1), before, after, trim);
}

int splitStringAtSymbol(const Nx_String& text, const Nx_String& symbol, Nx_StringArray& parts,
                        bool trim) {
  parts.removeAll();
  if (text.isEmpty()) return 0;
  const std::string& s = text.str();
  const std::string& sep = symbol.str();
  size_t start = 0;
  while (true) {
    size_t hit = sep.empty() ? std::string::npos : s.find(sep, start);
    Nx_String part(s.substr(start, hit == std::string::npos ? std::string::npos : hit - start));
    if (trim) part.trim();
    parts.append(part);
    if (hit == std::string::npos) break;
    start = hit + sep.size();
  }
  return parts.length();
}

int splitStringAtSymbol(const Nx_String& text, char symbol, Nx_StringArray& parts, bool trim) {
  return splitStringAtSymbol(text, Nx_String(symbol, 1), parts, trim);
}

Nx_String getSubstrBefore(const Nx_String& text, const Nx_String& symbol, bool last) {
  int at = findSymbol(text, symbol, last);
  return at < 0 ? text : text.left(at);
}

Nx_String getSubstrAfter(const Nx_String& text, const Nx_String& symbol, bool last) {
  int at = findSymbol(text, symbol, last);
  return at < 0 ? Nx_String() : text.mid(at + symbol.length());
}

Nx_String stripSymbols(const Nx_String& text, const Nx_String& symbols) {
  const std::string& s = text.str();
  size_t b = s.find_first_not_of(symbols.str());
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(symbols.str());
  return Nx_String(s.substr(b, e - b + 1));
}

bool isNumber(const Nx_String& text) {
  const std::string& s = text.str();
  size_t i = 0, n = s.size();
  while (i < n && isBlank(s[i])) ++i;
  size_t len = base::decimalPrefix(std::string_view(s).substr(i));
  if (len == 0) return false;
  i += len;
  while (i < n && isBlank(s[i])) ++i;
  return i == n;
}

int findFirstNumbers(const Nx_String& text, Nx_String* number) {
  const std::string& s = text.str();
  size_t start = 0;
  while (start < s.size() && !isDigit(s[start])) ++start;
  if (start == s.size()) return -1;
  if (number) {
    size_t e = start;
    while (e < s.size() && isDigit(s[e])) ++e;
    if (e + 1 < s.size() && s[e] == '.' && isDigit(s[e + 1])) {
      ++e;
      while (e < s.size() && isDigit(s[e])) ++e;
    }
    *number = Nx_String(s.substr(start, e - start));
  }
  return static_cast<int>(start);
}

bool hasASubstr(const Nx_String& text, const Nx_StringArray& candidates, int* index, bool exact) {
  for (int i = 0; i < candidates.length(); ++i) {
    if (!candidates[i].isEmpty() && text.find(candidates[i], exact) >= 0) {
      if (index) *index = i;
      return true;
    }
  }
  return false;
}

bool endsWith(const Nx_String& text, const Nx_String& suffix, bool exact) {
  return text.endsWith(suffix, exact);
}

int replaceSubString(Nx_String& text, const Nx_String& from, const Nx_String& to, bool exact) {
  return text.replace(from, to, exact);
}

int findFirstFrom(const Nx_String& text, const Nx_String& sub, int from, bool exact) {
  if (sub.isEmpty()) return -1;
  return text.find(sub, exact, from);
}

bool hasInvalidFileNameChars(const Nx_String& text) {
  for (char c : text.str()) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20) return true;
    switch (c) {
      case '\\':
      case '/':
      case ':':
      case '*':
      case '?':
      case '"':
      case '<':
      case '>':
      case '|':
        return true;
      default:
        break;
    }
  }
  return false;
}

Nx_String getAlfabet(int column) {
  std::string letters;
  while (column > 0) {
    int rest = (column - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + rest));
    column = (column - 1) / 26;
  }
  return Nx_String(std::move(letters));
}

Nx_String generateRandomString(int length, bool withDigits) {
  if (length < 1 || length > 4096) return {};
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 engine{std::random_device{}()};
  std::uniform_int_distribution<int> pick(0, withDigits ? 61 : 51);
  std::string out(static_cast<size_t>(length), 'A');
  for (char& c : out) c = kLetters[pick(engine)];
  return Nx_String(std::move(out));
}
