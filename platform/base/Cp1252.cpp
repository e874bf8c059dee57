#include "platform/base/Cp1252.h"

#include <cstdint>

namespace base {
namespace {
// Code points of bytes 0x80 to 0x9F; 0 where the code page leaves a byte unused
// (those bytes map to the C1 control of the same value).
constexpr std::uint16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Length of the UTF-8 sequence at i with its code point; 0 when the bytes
// there are not UTF-8.
size_t decodeUtf8(std::string_view text, size_t i, std::uint32_t& cp) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (len == 0 || i + len > text.size()) return 0;
  cp = len == 1 ? c : (c & (0xFF >> (len + 1)));
  for (size_t k = 1; k < len; ++k) {
    unsigned char d = static_cast<unsigned char>(text[i + k]);
    if ((d & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (d & 0x3F);
  }
  return len;
}

// Bytes below 0x80 read the same in both encodings: a run of them at `i`
// is copied whole rather than decoded one by one. False when there is none.
bool copyAsciiRun(std::string_view text, size_t& i, std::string& out) {
  size_t end = i;
  while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80) ++end;
  if (end == i) return false;
  out.append(text.substr(i, end - i));
  i = end;
  return true;
}

int byteFor(std::uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp || (kHigh[i] == 0 && cp == 0x80u + static_cast<unsigned>(i)))
      return 0x80 + i;
  return -1;
}
}  // namespace

std::string cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (copyAsciiRun(text, i, out)) continue;
    unsigned char c = static_cast<unsigned char>(text[i++]);
    appendUtf8(out, c < 0xA0 && kHigh[c - 0x80] ? kHigh[c - 0x80] : c);
  }
  return out;
}

std::string utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (copyAsciiRun(text, i, out)) continue;
    std::uint32_t cp = 0;
    size_t len = decodeUtf8(text, i, cp);
    if (len == 0) {  // not UTF-8: keep the byte as it is
      out += text[i];
      ++i;
      continue;
    }
    int b = byteFor(cp);
    out += b < 0 ? '?' : static_cast<char>(b);
    i += len;
  }
  return out;
}

bool findNonCp1252(std::string_view text, std::uint32_t& codePoint, std::size_t& offset) {
  for (size_t i = 0; i < text.size();) {
    std::uint32_t cp = 0;
    size_t len = decodeUtf8(text, i, cp);
    if (len > 0 && byteFor(cp) < 0) {
      codePoint = cp;
      offset = i;
      return true;
    }
    i += len > 0 ? len : 1;
  }
  return false;
}
}  // namespace base
