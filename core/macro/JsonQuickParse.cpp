#include "core/macro/JsonQuickParse.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace drawing {

namespace {

using json = nlohmann::json;

constexpr int kMaxDepth = 256;

class QuickParser {
 public:
  explicit QuickParser(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}

  bool document(json& out) {
    if (!value(out, 0)) return false;
    space();
    return p_ == end_;
  }

 private:
  void space() {
    while (p_ < end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t')) ++p_;
  }

  bool literal(std::string_view word) {
    if (static_cast<size_t>(end_ - p_) < word.size() || std::string_view(p_, word.size()) != word)
      return false;
    p_ += word.size();
    return true;
  }

  bool value(json& out, int depth) {
    space();
    if (p_ == end_) return false;
    switch (*p_) {
      case '{':
        return object(out, depth + 1);
      case '[':
        return array(out, depth + 1);
      case '"': {
        std::string s;
        if (!string(s)) return false;
        out = std::move(s);
        return true;
      }
      case 't':
        out = true;
        return literal("true");
      case 'f':
        out = false;
        return literal("false");
      case 'n':
        out = nullptr;
        return literal("null");
      default:
        return number(out);
    }
  }

  bool object(json& out, int depth) {
    if (depth > kMaxDepth) return false;
    ++p_;
    out = json::object();
    space();
    if (p_ < end_ && *p_ == '}') {
      ++p_;
      return true;
    }
    std::string key;
    for (;;) {
      space();
      if (p_ == end_ || *p_ != '"' || !string(key)) return false;
      space();
      if (p_ == end_ || *p_ != ':') return false;
      ++p_;
      // A repeated key keeps its last value, as nlohmann's parser does.
      if (!value(out[key], depth)) return false;
      space();
      if (p_ == end_) return false;
      if (*p_ == '}') {
        ++p_;
        return true;
      }
      if (*p_ != ',') return false;
      ++p_;
    }
  }

  bool array(json& out, int depth) {
    if (depth > kMaxDepth) return false;
    ++p_;
    out = json::array();
    space();
    if (p_ < end_ && *p_ == ']') {
      ++p_;
      return true;
    }
    for (;;) {
      json element;
      if (!value(element, depth)) return false;
      out.push_back(std::move(element));
      space();
      if (p_ == end_) return false;
      if (*p_ == ']') {
        ++p_;
        return true;
      }
      if (*p_ != ',') return false;
      ++p_;
    }
  }

  static int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  bool hex4(std::uint32_t& code) {
    if (end_ - p_ < 4) return false;
    code = 0;
    for (int i = 0; i < 4; ++i) {
      int d = hexDigit(p_[i]);
      if (d < 0) return false;
      code = code * 16 + static_cast<std::uint32_t>(d);
    }
    p_ += 4;
    return true;
  }

  static void appendUtf8(std::string& s, std::uint32_t c) {
    if (c < 0x80) {
      s += static_cast<char>(c);
    } else if (c < 0x800) {
      s += static_cast<char>(0xC0 | (c >> 6));
      s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      s += static_cast<char>(0xE0 | (c >> 12));
      s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      s += static_cast<char>(0xF0 | (c >> 18));
      s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (c & 0x3F));
    }
  }

  // The length of the well-formed UTF-8 sequence at p_ (RFC 3629: no
  // overlong forms, no surrogates, nothing past U+10FFFF), or 0.
  size_t utf8Sequence() const {
    const auto* u = reinterpret_cast<const unsigned char*>(p_);
    const size_t left = static_cast<size_t>(end_ - p_);
    auto tail = [&](size_t i) { return i < left && (u[i] & 0xC0) == 0x80; };
    const unsigned char c = u[0];
    if (c >= 0xC2 && c <= 0xDF) return tail(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
      if (left < 3 || !tail(1) || !tail(2)) return 0;
      if (c == 0xE0 && u[1] < 0xA0) return 0;
      if (c == 0xED && u[1] > 0x9F) return 0;
      return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
      if (left < 4 || !tail(1) || !tail(2) || !tail(3)) return 0;
      if (c == 0xF0 && u[1] < 0x90) return 0;
      if (c == 0xF4 && u[1] > 0x8F) return 0;
      return 4;
    }
    return 0;
  }

  bool string(std::string& s) {
    ++p_;
    s.clear();
    for (;;) {
      const char* run = p_;
      while (p_ < end_ && static_cast<unsigned char>(*p_) >= 0x20 && *p_ != '"' && *p_ != '\\' &&
             static_cast<unsigned char>(*p_) < 0x80)
        ++p_;
      s.append(run, p_);
      if (p_ == end_) return false;
      const auto c = static_cast<unsigned char>(*p_);
      if (c == '"') {
        ++p_;
        return true;
      }
      if (c < 0x20) return false;
      if (c >= 0x80) {
        size_t n = utf8Sequence();
        if (n == 0) return false;
        s.append(p_, n);
        p_ += n;
        continue;
      }
      // A backslash.
      if (++p_ == end_) return false;
      switch (*p_++) {
        case '"':
          s += '"';
          break;
        case '\\':
          s += '\\';
          break;
        case '/':
          s += '/';
          break;
        case 'b':
          s += '\b';
          break;
        case 'f':
          s += '\f';
          break;
        case 'n':
          s += '\n';
          break;
        case 'r':
          s += '\r';
          break;
        case 't':
          s += '\t';
          break;
        case 'u': {
          std::uint32_t code = 0;
          if (!hex4(code)) return false;
          if (code >= 0xDC00 && code <= 0xDFFF) return false;
          if (code >= 0xD800 && code <= 0xDBFF) {
            std::uint32_t low = 0;
            if (!literal("\\u") || !hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          }
          appendUtf8(s, code);
          break;
        }
        default:
          return false;
      }
    }
  }

  // The JSON number forms; whole numbers of up to 18 digits become integers
  // (unsigned when not negative, as nlohmann stores them), the rest doubles
  // unless they overflow, which nlohmann reports in its own words.
  bool number(json& out) {
    const char* start = p_;
    const bool negative = p_ < end_ && *p_ == '-';
    if (negative) ++p_;
    const char* digits = p_;
    if (p_ == end_ || *p_ < '0' || *p_ > '9') return false;
    if (*p_ == '0') {
      ++p_;
    } else {
      while (p_ < end_ && *p_ >= '0' && *p_ <= '9') ++p_;
    }
    bool whole = true;
    if (p_ < end_ && *p_ == '.') {
      whole = false;
      ++p_;
      if (p_ == end_ || *p_ < '0' || *p_ > '9') return false;
      while (p_ < end_ && *p_ >= '0' && *p_ <= '9') ++p_;
    }
    if (p_ < end_ && (*p_ == 'e' || *p_ == 'E')) {
      whole = false;
      ++p_;
      if (p_ < end_ && (*p_ == '+' || *p_ == '-')) ++p_;
      if (p_ == end_ || *p_ < '0' || *p_ > '9') return false;
      while (p_ < end_ && *p_ >= '0' && *p_ <= '9') ++p_;
    }
    if (whole) {
      if (p_ - digits > 18) return false;
      if (negative) {
        std::int64_t v = 0;
        std::from_chars(start, p_, v);
        out = v;
      } else {
        std::uint64_t v = 0;
        std::from_chars(start, p_, v);
        out = v;
      }
      return true;
    }
    double v = 0;
    auto [end, ec] = std::from_chars(start, p_, v);
    if (ec != std::errc() || end != p_ || !std::isfinite(v)) return false;
    out = v;
    return true;
  }

  const char* p_;
  const char* end_;
};

}  // namespace

bool parseJsonQuickly(std::string_view text, nlohmann::json& out) {
  return QuickParser(text).document(out);
}

}  // namespace drawing
