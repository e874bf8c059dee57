#include "platform/grid/file/JsonScanner.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

namespace grid {
namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

// At pos_ on the opening quote; leaves pos_ after the closing one.
bool JsonScanner::string(std::string& out) {
  out.clear();
  std::size_t i = pos_ + 1;
  for (;;) {
    std::size_t start = i;
    while (i < text_.size() && text_[i] != '"' && text_[i] != '\\' &&
           static_cast<unsigned char>(text_[i]) >= 0x20)
      ++i;
    out.append(text_.data() + start, i - start);
    if (i >= text_.size() || static_cast<unsigned char>(text_[i]) < 0x20) return fail(i);
    if (text_[i] == '"') {
      pos_ = i + 1;
      return true;
    }
    if (++i >= text_.size()) return fail(i);
    char e = text_[i++];
    switch (e) {
      case '"':
        out += '"';
        break;
      case '\\':
        out += '\\';
        break;
      case '/':
        out += '/';
        break;
      case 'b':
        out += '\b';
        break;
      case 'f':
        out += '\f';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'u': {
        auto hex4 = [&](std::size_t at, std::uint32_t& cp) {
          if (at + 4 > text_.size()) return false;
          cp = 0;
          for (std::size_t k = 0; k < 4; ++k) {
            int h = hexValue(text_[at + k]);
            if (h < 0) return false;
            cp = cp << 4 | static_cast<std::uint32_t>(h);
          }
          return true;
        };
        std::uint32_t cp = 0;
        if (!hex4(i, cp)) return fail(i);
        i += 4;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
          std::uint32_t low = 0;
          if (i + 6 > text_.size() || text_[i] != '\\' || text_[i + 1] != 'u' ||
              !hex4(i + 2, low) || low < 0xDC00 || low > 0xDFFF)
            return fail(i);
          i += 6;
          cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
          return fail(i);
        }
        appendUtf8(out, cp);
        break;
      }
      default:
        return fail(i - 1);
    }
  }
}

bool JsonScanner::number(Sax& sax) {
  std::size_t start = pos_, i = pos_;
  if (i < text_.size() && text_[i] == '-') ++i;
  if (i >= text_.size()) return fail(i);
  if (text_[i] == '0') {
    ++i;
  } else if (text_[i] >= '1' && text_[i] <= '9') {
    while (i < text_.size() && text_[i] >= '0' && text_[i] <= '9') ++i;
  } else {
    return fail(i);
  }
  bool integral = true;
  if (i < text_.size() && text_[i] == '.') {
    integral = false;
    std::size_t d = ++i;
    while (i < text_.size() && text_[i] >= '0' && text_[i] <= '9') ++i;
    if (i == d) return fail(i);
  }
  if (i < text_.size() && (text_[i] == 'e' || text_[i] == 'E')) {
    integral = false;
    ++i;
    if (i < text_.size() && (text_[i] == '+' || text_[i] == '-')) ++i;
    std::size_t d = i;
    while (i < text_.size() && text_[i] >= '0' && text_[i] <= '9') ++i;
    if (i == d) return fail(i);
  }
  pos_ = i;
  const char* b = text_.data() + start;
  const char* e = text_.data() + i;
  if (integral) {
    if (*b == '-') {
      std::int64_t v = 0;
      if (std::from_chars(b, e, v).ec == std::errc()) return sax.number_integer(v);
    } else {
      std::uint64_t v = 0;
      if (std::from_chars(b, e, v).ec == std::errc()) return sax.number_unsigned(v);
    }
  }
  double d = 0;
  auto r = std::from_chars(b, e, d);
  if (r.ec == std::errc::result_out_of_range)
    d = std::strtod(std::string(b, e).c_str(), nullptr);
  else if (r.ec != std::errc())
    return fail(start);
  static const std::string kUnused;  // the handler here never looks at the raw text
  return sax.number_float(d, kUnused);
}

bool JsonScanner::scan(std::string_view text, Sax& sax) {
  text_ = text;
  pos_ = 0;
  errorAt_ = 0;
  // Per open container: true for an object. After a value comes "," or the
  // closing bracket; after "{" or "," in an object comes a key.
  std::vector<bool> open;
  std::string s;
  bool expectValue = true;
  for (;;) {
    blanks();
    if (pos_ >= text_.size()) return open.empty() && !expectValue ? true : fail(pos_);
    char c = text_[pos_];
    if (expectValue) {
      switch (c) {
        case '{':
          ++pos_;
          if (!sax.start_object(static_cast<std::size_t>(-1))) return fail(pos_);
          open.push_back(true);
          blanks();
          if (pos_ < text_.size() && text_[pos_] == '}') {
            ++pos_;
            open.pop_back();
            if (!sax.end_object()) return fail(pos_);
            expectValue = false;
            break;
          }
          if (pos_ >= text_.size() || text_[pos_] != '"' || !string(s)) return fail(pos_);
          if (!sax.key(s)) return fail(pos_);
          blanks();
          if (pos_ >= text_.size() || text_[pos_] != ':') return fail(pos_);
          ++pos_;
          continue;  // a value follows
        case '[':
          ++pos_;
          if (!sax.start_array(static_cast<std::size_t>(-1))) return fail(pos_);
          open.push_back(false);
          blanks();
          if (pos_ < text_.size() && text_[pos_] == ']') {
            ++pos_;
            open.pop_back();
            if (!sax.end_array()) return fail(pos_);
            expectValue = false;
          }
          break;
        case '"':
          if (!string(s) || !sax.string(s)) return fail(pos_);
          expectValue = false;
          break;
        case 't':
          if (text_.substr(pos_, 4) != "true" || !sax.boolean(true)) return fail(pos_);
          pos_ += 4;
          expectValue = false;
          break;
        case 'f':
          if (text_.substr(pos_, 5) != "false" || !sax.boolean(false)) return fail(pos_);
          pos_ += 5;
          expectValue = false;
          break;
        case 'n':
          if (text_.substr(pos_, 4) != "null" || !sax.null()) return fail(pos_);
          pos_ += 4;
          expectValue = false;
          break;
        default:
          if (!number(sax)) return fail(pos_);
          expectValue = false;
      }
      if (open.empty() && !expectValue) {
        blanks();
        return pos_ == text_.size() ? true : fail(pos_);
      }
      continue;
    }
    // After a value inside a container.
    if (open.empty()) return fail(pos_);
    if (c == ',') {
      ++pos_;
      if (open.back()) {
        blanks();
        if (pos_ >= text_.size() || text_[pos_] != '"' || !string(s)) return fail(pos_);
        if (!sax.key(s)) return fail(pos_);
        blanks();
        if (pos_ >= text_.size() || text_[pos_] != ':') return fail(pos_);
        ++pos_;
      }
      expectValue = true;
      continue;
    }
    if ((c == '}' && open.back()) || (c == ']' && !open.back())) {
      ++pos_;
      bool object = open.back();
      open.pop_back();
      if (!(object ? sax.end_object() : sax.end_array())) return fail(pos_);
      if (open.empty()) {
        blanks();
        return pos_ == text_.size() ? true : fail(pos_);
      }
      continue;
    }
    return fail(pos_);
  }
}

}  // namespace grid
