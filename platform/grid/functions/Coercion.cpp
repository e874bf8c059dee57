#include "platform/grid/functions/Coercion.h"

#include "platform/grid/NumberText.h"

namespace grid {
namespace {
// Windows-1252 letters fold like their Latin-1 twins; the few letters of
// 0x80-0x9F fold in pairs.
unsigned char foldUpper(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
  if (c == 0x9A || c == 0x9C || c == 0x9E) return static_cast<unsigned char>(c - 16);
  if (c == 0xFF) return 0x9F;
  return c;
}
unsigned char foldLower(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 16);
  if (c == 0x9F) return 0xFF;
  return c;
}
int rank(ValueKind k) {
  switch (k) {
    case ValueKind::Number:
      return 0;
    case ValueKind::Text:
      return 1;
    case ValueKind::Boolean:
      return 2;
    default:
      return 0;
  }
}
}  // namespace

ErrorCode toNumber(const Value& v, double& out) {
  switch (v.kind) {
    case ValueKind::Empty:
      out = 0;
      return ErrorCode::None;
    case ValueKind::Number:
    case ValueKind::Boolean:
      out = v.number;
      return ErrorCode::None;
    case ValueKind::Text:
      return parseNumber(v.text, out) ? ErrorCode::None : ErrorCode::Value;
    case ValueKind::Error:
      return v.error;
  }
  return ErrorCode::Value;
}

ErrorCode toText(const Value& v, std::string& out) {
  if (v.kind == ValueKind::Error) return v.error;
  out = v.kind == ValueKind::Text ? v.text : valueText(v);
  return ErrorCode::None;
}

ErrorCode toBool(const Value& v, bool& out) {
  switch (v.kind) {
    case ValueKind::Empty:
      out = false;
      return ErrorCode::None;
    case ValueKind::Number:
    case ValueKind::Boolean:
      out = v.number != 0;
      return ErrorCode::None;
    case ValueKind::Text:
      if (equalNoCase(v.text, "TRUE"))
        out = true;
      else if (equalNoCase(v.text, "FALSE"))
        out = false;
      else
        return ErrorCode::Value;
      return ErrorCode::None;
    case ValueKind::Error:
      return v.error;
  }
  return ErrorCode::Value;
}

int compareValues(const Value& a, const Value& b) {
  ValueKind ka = a.kind, kb = b.kind;
  if (ka == ValueKind::Empty && kb == ValueKind::Empty) return 0;
  if (ka == ValueKind::Empty) ka = kb;
  if (kb == ValueKind::Empty) kb = ka;
  if (ka != kb) return rank(ka) < rank(kb) ? -1 : 1;
  if (ka == ValueKind::Text) {
    std::string_view ta = a.kind == ValueKind::Empty ? std::string_view() : a.text;
    std::string_view tb = b.kind == ValueKind::Empty ? std::string_view() : b.text;
    return compareNoCase(ta, tb);
  }
  double na = a.kind == ValueKind::Empty ? 0 : a.number;
  double nb = b.kind == ValueKind::Empty ? 0 : b.number;
  return na < nb ? -1 : na > nb ? 1 : 0;
}

bool equalNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldUpper(static_cast<unsigned char>(a[i])) != foldUpper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

int compareNoCase(std::string_view a, std::string_view b) {
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = foldUpper(static_cast<unsigned char>(a[i]));
    unsigned char y = foldUpper(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

std::string upperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(foldUpper(static_cast<unsigned char>(c)));
  return out;
}

std::string lowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(foldLower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace grid
