#include "platform/grid/file/JsonOut.h"

#include <array>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "platform/base/Cp1252.h"

namespace grid {
namespace {

// The escapes of the JSON library: the short forms, \u00xx for the other
// controls below 0x20, everything else as it is.
void escape(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789abcdef";
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\b':
      out += "\\b";
      return;
    case '\f':
      out += "\\f";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      if (c < 0x20) {
        const char u[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
        out.append(u, sizeof u);
      } else {
        out += static_cast<char>(c);
      }
  }
}

bool plain(unsigned char c) {
  return c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
}

}  // namespace

void JsonOut::text(std::string_view s) {
  out_ += '"';
  std::size_t i = 0;
  while (i < s.size()) {
    // Runs of characters that need neither escape nor conversion go at once.
    std::size_t run = i;
    while (run < s.size() && plain(static_cast<unsigned char>(s[run]))) ++run;
    out_.append(s.data() + i, run - i);
    if (run == s.size()) break;
    auto c = static_cast<unsigned char>(s[run]);
    if (c < 0x80)
      escape(out_, c);
    else
      out_ += base::cp1252ToUtf8(s.substr(run, 1));  // short enough to need no allocation
    i = run + 1;
  }
  out_ += '"';
}

void JsonOut::utf8(std::string_view s) {
  out_ += '"';
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t run = i;
    while (run < s.size() && (plain(static_cast<unsigned char>(s[run])) ||
                              static_cast<unsigned char>(s[run]) >= 0x80))
      ++run;
    out_.append(s.data() + i, run - i);
    if (run == s.size()) break;
    escape(out_, static_cast<unsigned char>(s[run]));
    i = run + 1;
  }
  out_ += '"';
}

void JsonOut::number(double v) {
  if (!std::isfinite(v)) return null();
  // The library's own shortest form (Grisu2, "1e+20", "100.0"): its digits
  // differ from std::to_chars for a few values, and files must not change.
  std::array<char, 64> buffer{};
  char* end = nlohmann::detail::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
  out_.append(buffer.data(), end);
}

void JsonOut::integer(long long v) {
  std::array<char, 24> buffer{};
  auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
  out_.append(buffer.data(), r.ptr);
}

void JsonOut::integer(std::uint64_t v) {
  std::array<char, 24> buffer{};
  auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
  out_.append(buffer.data(), r.ptr);
}

JsonOut::Group::Group(JsonOut& out, char open, char close) : out_(out), close_(close) {
  out_.raw(open);
}

JsonOut& JsonOut::Group::item() {
  if (!first_) out_.raw(',');
  first_ = false;
  return out_;
}

JsonOut& JsonOut::Group::key(std::string_view name) {
  item().raw('"');
  out_.raw(name);
  out_.raw("\":");
  return out_;
}

void JsonOut::Group::close() {
  if (open_) out_.raw(close_);
  open_ = false;
}

}  // namespace grid
