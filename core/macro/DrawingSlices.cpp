#include "core/macro/DrawingSlices.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/macro/DrawingParts.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace drawing {

namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The bytes the cut follows: quotes, backslashes and brackets. A mask of
// those among 16 bytes, bit i for byte i; most of a drawing is indentation,
// names and numbers, skipped 16 bytes at a time.
#if !defined(__SSE2__)
constexpr std::array<bool, 256> kStops = [] {
  std::array<bool, 256> stops{};
  for (unsigned char c : std::string_view("\"\\{}[]")) stops[c] = true;
  return stops;
}();
#endif

std::uint32_t stopsIn16(const char* p) {
#if defined(__SSE2__)
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // '{' '}' are '[' ']' with bit 5 set.
  const __m128i folded = _mm_or_si128(v, _mm_set1_epi8(0x20));
  const __m128i hits = _mm_or_si128(
      _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('"')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\\'))),
      _mm_or_si128(_mm_cmpeq_epi8(folded, _mm_set1_epi8('{')),
                   _mm_cmpeq_epi8(folded, _mm_set1_epi8('}'))));
  return static_cast<std::uint32_t>(_mm_movemask_epi8(hits));
#else
  std::uint32_t bits = 0;
  for (int i = 0; i < 16; ++i)
    bits |= static_cast<std::uint32_t>(kStops[static_cast<unsigned char>(p[i])]) << i;
  return bits;
#endif
}

// Past the bracket that closes the one at open; npos when none does.
size_t pastClose(std::string_view t, size_t open) {
  int depth = 0;
  bool inString = false;
  size_t at = open;
  char tail[16];
  while (at < t.size()) {
    const size_t length = std::min<size_t>(16, t.size() - at);
    const char* block = t.data() + at;
    if (length < 16) {
      std::memset(tail, ' ', sizeof tail);
      std::memcpy(tail, block, length);
      block = tail;
    }
    std::uint32_t bits = stopsIn16(block);
    size_t next = at + length;
    while (bits != 0) {
      const int bit = std::countr_zero(bits);
      bits &= bits - 1;
      const char c = block[bit];
      if (c == '\\') {
        if (!inString) continue;  // not JSON: the slice's load refuses it
        // The escaped byte is passed over, in this block or the next.
        if (bit == 15) {
          next = at + 17;
          break;
        }
        bits &= ~(std::uint32_t{1} << (bit + 1));
      } else if (c == '"') {
        inString = !inString;
      } else if (!inString) {
        depth += (c == '{' || c == '[') ? 1 : -1;
        if (depth == 0) return at + static_cast<size_t>(bit) + 1;
      }
    }
    at = next;
  }
  return std::string_view::npos;
}

// Follows strings and brackets only: whatever else a slice holds, its own
// load checks, and a cut in the wrong place makes a slice that does not load.
class Cutter {
 public:
  explicit Cutter(std::string_view text) : t_(text) {}
  size_t at() const { return at_; }
  void space() {
    while (at_ < t_.size() && isSpace(t_[at_])) ++at_;
  }
  bool atQuote() {
    space();
    return at_ < t_.size() && t_[at_] == '"';
  }
  bool take(char c) {
    space();
    if (at_ >= t_.size() || t_[at_] != c) return false;
    ++at_;
    return true;
  }
  // Past the string that opens here; false when it does not close.
  bool string() {
    ++at_;
    for (;;) {
      const void* quote = std::memchr(t_.data() + at_, '"', t_.size() - at_);
      if (!quote) return false;
      const size_t end = static_cast<size_t>(static_cast<const char*>(quote) - t_.data());
      size_t escapes = 0;
      while (t_[end - escapes - 1] == '\\') ++escapes;  // the opening quote stops it
      at_ = end + 1;
      if (escapes % 2 == 0) return true;
    }
  }
  // Past the value that starts here: a string, brackets to the one that
  // closes the first, or a word up to a comma, bracket or space.
  bool value() {
    space();
    if (at_ >= t_.size()) return false;
    const char first = t_[at_];
    if (first == '"') return string();
    if (first == '{' || first == '[') {
      at_ = pastClose(t_, at_);
      return at_ != std::string_view::npos;
    }
    const size_t start = at_;
    while (at_ < t_.size() && !isSpace(t_[at_]) && !std::strchr(",]}", t_[at_])) ++at_;
    return at_ > start;
  }

 private:
  std::string_view t_;
  size_t at_ = 0;
};

constexpr std::string_view kMacrosKey = "\"macros\"";

}  // namespace

bool sliceDrawing(std::string_view text, std::vector<std::string_view>& macros) {
  macros.clear();
  Cutter cut(text);
  size_t listStart = std::string_view::npos, listEnd = 0;
  if (!cut.take('{')) return false;
  do {
    if (!cut.atQuote()) return false;
    const size_t keyStart = cut.at();
    if (!cut.string()) return false;
    const std::string_view key = text.substr(keyStart, cut.at() - keyStart);
    // A key written with escapes might be a second list under another
    // spelling, which would replace the first: the whole load decides.
    if (key.find('\\') != std::string_view::npos || !cut.take(':')) return false;
    if (key != kMacrosKey) {
      if (!cut.value()) return false;
      continue;
    }
    if (listStart != std::string_view::npos || !cut.take('[')) return false;
    listStart = cut.at() - 1;
    if (!cut.take(']')) {
      do {
        cut.space();
        const size_t start = cut.at();
        if (!cut.value()) return false;
        macros.push_back(text.substr(start, cut.at() - start));
      } while (cut.take(','));
      if (!cut.take(']')) return false;
    }
    listEnd = cut.at();
  } while (cut.take(','));
  if (!cut.take('}') || listStart == std::string_view::npos) return false;
  // Everything around the macros, an empty list in their place, must load
  // as a drawing: the format, the version, no member unknown, nothing after.
  std::string frame;
  frame.reserve(listStart + 2 + text.size() - listEnd);
  frame.append(text.substr(0, listStart)).append("[]").append(text.substr(listEnd));
  Nx_Drawing empty;
  Nx_String why;
  return empty.loadText(frame, Nx_String(), why);
}

bool loadSlice(Nx_Drawing& drawing, std::string_view slice, const Nx_String& name,
               Nx_String& error) {
  std::string file;
  file.reserve(fileHead().size() + slice.size() + kFileTail.size());
  file.append(fileHead()).append(slice).append(kFileTail);
  return drawing.loadText(file, name, error);
}

}  // namespace drawing
