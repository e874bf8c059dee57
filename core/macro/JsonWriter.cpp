#include "core/macro/JsonWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>

#include "platform/base/Cp1252.h"

namespace drawing {

void JsonWriter::indent(size_t depth) {
  out_.append(depth * 2, ' ');
}

void JsonWriter::beforeValue() {
  if (levels_.empty() || levels_.back().object) return;  // a member's value follows its key
  Level& array = levels_.back();
  out_ += array.count++ ? ",\n" : "\n";
  indent(levels_.size());
}

void JsonWriter::open(char bracket, bool object) {
  beforeValue();
  nameNext_ = false;
  out_ += bracket;
  levels_.emplace_back();
  levels_.back().object = object;
}

void JsonWriter::close(char bracket) {
  const bool empty = levels_.back().count == 0;
  levels_.pop_back();
  if (!empty) {
    out_ += '\n';
    indent(levels_.size());
  }
  out_ += bracket;
}

void JsonWriter::key(const char* name) {
  Level& object = levels_.back();
  out_ += object.count++ ? ",\n" : "\n";
  indent(levels_.size());
  out_ += '"';
  out_ += name;
  out_ += "\": ";
  object.key = name;
  nameNext_ = !object.named && std::strcmp(name, "name") == 0;
}

void JsonWriter::escaped(std::string_view utf8) {
  out_ += '"';
  size_t plain = 0;  // start of the bytes not yet copied
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c >= 0x20 && c != '"' && c != '\\') continue;
    out_.append(utf8.substr(plain, i - plain));
    plain = i + 1;
    switch (c) {
      case '"':
        out_ += "\\\"";
        break;
      case '\\':
        out_ += "\\\\";
        break;
      case '\b':
        out_ += "\\b";
        break;
      case '\t':
        out_ += "\\t";
        break;
      case '\n':
        out_ += "\\n";
        break;
      case '\f':
        out_ += "\\f";
        break;
      case '\r':
        out_ += "\\r";
        break;
      default: {
        static const char hex[] = "0123456789abcdef";
        const char code[] = {'\\', 'u', '0', '0', hex[c >> 4], hex[c & 15]};
        out_.append(code, sizeof code);
      }
    }
  }
  out_.append(utf8.substr(plain));
  out_ += '"';
}

void JsonWriter::text(std::string_view utf8) {
  beforeValue();
  if (nameNext_) {
    levels_.back().name = utf8;
    levels_.back().named = true;
    nameNext_ = false;
  }
  escaped(utf8);
}

void JsonWriter::text(const Nx_String& cp1252) {
  const std::string& bytes = cp1252.str();
  // ASCII reads the same in both encodings: no converted copy to build.
  if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; }))
    text(std::string_view(bytes));
  else
    text(std::string_view(base::cp1252ToUtf8(bytes)));
}

void JsonWriter::number(double value) {
  beforeValue();
  nameNext_ = false;
  if (!std::isfinite(value)) {
    out_ += "null";
    if (hasNonFinite_) return;
    hasNonFinite_ = true;
    nonFinite_.where.clear();
    std::string owner;
    for (const Level& l : levels_) {
      nonFinite_.where += '/';
      nonFinite_.where += l.object ? std::string(l.key) : std::to_string(l.count - 1);
      if (l.named) owner += (owner.empty() ? "\"" : " > \"") + base::utf8ToCp1252(l.name) + "\"";
    }
    nonFinite_.what = "the value of " + (owner.empty() ? std::string("the drawing") : owner) +
                      " is " +
                      (std::isnan(value) ? "nan"
                       : value > 0       ? "inf"
                                         : "-inf") +
                      ", which a drawing cannot hold (finite numbers only)";
    return;
  }
  // nlohmann's own shortest form, so the bytes are those dump() writes.
  char buffer[64];
  char* end = nlohmann::detail::to_chars(buffer, buffer + sizeof buffer, value);
  out_.append(buffer, end);
}

void JsonWriter::integer(long long value) {
  beforeValue();
  nameNext_ = false;
  char buffer[24];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  out_.append(buffer, end);
}

void JsonWriter::flag(bool value) {
  beforeValue();
  nameNext_ = false;
  out_ += value ? "true" : "false";
}

bool JsonWriter::nonFinite(LoadError& found) const {
  if (hasNonFinite_) found = nonFinite_;
  return hasNonFinite_;
}

}  // namespace drawing
