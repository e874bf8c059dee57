#include "core/Nx_PropertiesList.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "core/FileHelpers.h"
#include "core/PathHelpers.h"

namespace {
bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

const char kHex[] = "0123456789ABCDEF";

void appendQuoted(std::string& out, const std::string& text) {
  out += '"';
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (u < 0x20 || u == 0x7F) {
          out += "\\x";
          out += kHex[u >> 4];
          out += kHex[u & 15];
        } else {
          out += c;  // bytes above 0x7F are Windows-1252 text, kept raw
        }
    }
  }
  out += '"';
}

std::string numberText(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  std::string s(buf, res.ptr);
  if (s.find_first_of(".e") == std::string::npos) s += ".0";  // stays a number, not a whole number
  return s;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted text starting at s[i] == '"'; i ends after the closing quote.
bool parseQuoted(const std::string& s, size_t& i, std::string& out, std::string& why) {
  ++i;
  while (i < s.size()) {
    char c = s[i++];
    if (c == '"') return true;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (i >= s.size()) break;
    char e = s[i++];
    switch (e) {
      case '"':
        out += '"';
        break;
      case '\\':
        out += '\\';
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
      case 'x': {
        int hi = i < s.size() ? hexValue(s[i]) : -1;
        int lo = i + 1 < s.size() ? hexValue(s[i + 1]) : -1;
        if (hi < 0 || lo < 0) {
          why = "\\x needs two hexadecimal digits";
          return false;
        }
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        break;
      }
      default:
        why = std::string("unknown escape \\") + e;
        return false;
    }
  }
  why = "the text has no closing double quote";
  return false;
}

void skipBlanks(const std::string& s, size_t& i) {
  while (i < s.size() && isBlank(s[i])) ++i;
}
}  // namespace

bool Nx_PropertiesList::Entry::operator==(const Entry& o) const {
  if (key != o.key || type != o.type) return false;
  switch (type) {
    case Type::Text:
      return text == o.text;
    case Type::Integer:
    case Type::Boolean:
      return whole == o.whole;
    case Type::Number:
      return number == o.number || (std::isnan(number) && std::isnan(o.number));
    case Type::List:
      return list == o.list;
  }
  return false;
}

bool Nx_PropertiesList::isValidKey(const Nx_String& key) {
  if (key.isEmpty()) return false;
  for (char c : key.str()) {
    if (static_cast<unsigned char>(c) <= 0x20 || c == '=' || c == '#' || c == '"' || c == 0x7F)
      return false;
  }
  return true;
}

const Nx_PropertiesList::Entry* Nx_PropertiesList::find(const Nx_String& key) const {
  auto it = index_.find(key.str());
  return it == index_.end() ? nullptr : &entries_[it->second];
}

bool Nx_PropertiesList::put(Entry entry) {
  if (!isValidKey(Nx_String(entry.key))) return false;
  auto it = index_.find(entry.key);
  if (it != index_.end()) {
    entries_[it->second] = std::move(entry);
  } else {
    index_.emplace(entry.key, entries_.size());
    entries_.push_back(std::move(entry));
  }
  return true;
}

bool Nx_PropertiesList::setString(const Nx_String& key, const Nx_String& value) {
  Entry e;
  e.key = key.str();
  e.type = Type::Text;
  e.text = value.str();
  return put(std::move(e));
}

bool Nx_PropertiesList::setInt(const Nx_String& key, int value) {
  Entry e;
  e.key = key.str();
  e.type = Type::Integer;
  e.whole = value;
  return put(std::move(e));
}

bool Nx_PropertiesList::setDouble(const Nx_String& key, double value) {
  Entry e;
  e.key = key.str();
  e.type = Type::Number;
  e.number = value;
  return put(std::move(e));
}

bool Nx_PropertiesList::setBool(const Nx_String& key, bool value) {
  Entry e;
  e.key = key.str();
  e.type = Type::Boolean;
  e.whole = value ? 1 : 0;
  return put(std::move(e));
}

bool Nx_PropertiesList::setStringArray(const Nx_String& key, const Nx_StringArray& value) {
  Entry e;
  e.key = key.str();
  e.type = Type::List;
  for (const Nx_String& s : value) e.list.push_back(s.str());
  return put(std::move(e));
}

bool Nx_PropertiesList::getString(const Nx_String& key, Nx_String& value) const {
  const Entry* e = find(key);
  if (!e || e->type != Type::Text) return false;
  value = Nx_String(e->text);
  return true;
}

bool Nx_PropertiesList::getInt(const Nx_String& key, int& value) const {
  const Entry* e = find(key);
  if (!e) return false;
  double v;
  if (e->type == Type::Integer)
    v = static_cast<double>(e->whole);
  else if (e->type == Type::Number && std::isfinite(e->number) &&
           e->number == std::trunc(e->number))
    v = e->number;
  else
    return false;
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
  value = static_cast<int>(v);
  return true;
}

bool Nx_PropertiesList::getDouble(const Nx_String& key, double& value) const {
  const Entry* e = find(key);
  if (!e) return false;
  if (e->type == Type::Number)
    value = e->number;
  else if (e->type == Type::Integer)
    value = static_cast<double>(e->whole);
  else
    return false;
  return true;
}

bool Nx_PropertiesList::getBool(const Nx_String& key, bool& value) const {
  const Entry* e = find(key);
  if (!e) return false;
  if (e->type != Type::Boolean && !(e->type == Type::Integer && (e->whole == 0 || e->whole == 1)))
    return false;
  value = e->whole != 0;
  return true;
}

bool Nx_PropertiesList::getStringArray(const Nx_String& key, Nx_StringArray& value) const {
  const Entry* e = find(key);
  if (!e || e->type != Type::List) return false;
  value.removeAll();
  for (const std::string& s : e->list) value.append(Nx_String(s));
  return true;
}

bool Nx_PropertiesList::getType(const Nx_String& key, Type& type) const {
  const Entry* e = find(key);
  if (!e) return false;
  type = e->type;
  return true;
}

bool Nx_PropertiesList::remove(const Nx_String& key) {
  auto it = index_.find(key.str());
  if (it == index_.end()) return false;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(it->second));
  index_.clear();
  for (size_t i = 0; i < entries_.size(); ++i) index_.emplace(entries_[i].key, i);
  return true;
}

void Nx_PropertiesList::clear() {
  entries_.clear();
  index_.clear();
}

Nx_StringArray Nx_PropertiesList::keys() const {
  Nx_StringArray out;
  for (const Entry& e : entries_) out.append(Nx_String(e.key));
  return out;
}

bool Nx_PropertiesList::operator==(const Nx_PropertiesList& other) const {
  return entries_ == other.entries_;
}

Nx_String Nx_PropertiesList::toText() const {
  std::string out;
  for (const Entry& e : entries_) {
    out += e.key;
    out += " = ";
    switch (e.type) {
      case Type::Text:
        appendQuoted(out, e.text);
        break;
      case Type::Integer:
        out += std::to_string(e.whole);
        break;
      case Type::Number:
        out += numberText(e.number);
        break;
      case Type::Boolean:
        out += e.whole ? "true" : "false";
        break;
      case Type::List:
        out += '[';
        for (size_t i = 0; i < e.list.size(); ++i) {
          if (i > 0) out += ", ";
          appendQuoted(out, e.list[i]);
        }
        out += ']';
        break;
    }
    out += '\n';
  }
  return Nx_String(std::move(out));
}

namespace {
// Parses the value part of a line into the entry; why tells what is wrong.
bool parseValue(const std::string& s, size_t i, Nx_PropertiesList::Type& type, std::string& text,
                long long& whole, double& number, std::vector<std::string>& list,
                std::string& why) {
  using Type = Nx_PropertiesList::Type;
  skipBlanks(s, i);
  if (i >= s.size()) {
    why = "the value is missing (write \"\" for an empty text)";
    return false;
  }
  if (s[i] == '"') {
    type = Type::Text;
    if (!parseQuoted(s, i, text, why)) return false;
  } else if (s[i] == '[') {
    type = Type::List;
    ++i;
    skipBlanks(s, i);
    if (i < s.size() && s[i] == ']') {
      ++i;
    } else {
      while (true) {
        skipBlanks(s, i);
        if (i >= s.size() || s[i] != '"') {
          why = "a list holds texts in double quotes, separated by commas";
          return false;
        }
        std::string item;
        if (!parseQuoted(s, i, item, why)) return false;
        list.push_back(std::move(item));
        skipBlanks(s, i);
        if (i < s.size() && s[i] == ',') {
          ++i;
          continue;
        }
        if (i < s.size() && s[i] == ']') {
          ++i;
          break;
        }
        why = "the list has no closing ]";
        return false;
      }
    }
  } else {
    size_t end = i;
    while (end < s.size() && !isBlank(s[end])) ++end;
    std::string word = s.substr(i, end - i);
    i = end;
    if (word == "true" || word == "false") {
      type = Type::Boolean;
      whole = word == "true";
    } else if (word == "nan" || word == "inf" || word == "-inf") {
      type = Type::Number;
      number = word == "nan" ? std::numeric_limits<double>::quiet_NaN()
                             : (word == "inf" ? 1 : -1) * std::numeric_limits<double>::infinity();
    } else {
      const char* b = word.data();
      const char* e = word.data() + word.size();
      if (!word.empty() && word[0] == '+') ++b;
      long long w = 0;
      auto asWhole = std::from_chars(b, e, w);
      if (asWhole.ec == std::errc() && asWhole.ptr == e && w >= std::numeric_limits<int>::min() &&
          w <= std::numeric_limits<int>::max()) {
        type = Type::Integer;
        whole = w;
      } else {
        double d = 0;
        auto asNumber = std::from_chars(b, e, d);
        if (word.empty() || asNumber.ec != std::errc() || asNumber.ptr != e) {
          why = "\"" + word + "\" is not a value (texts go in double quotes)";
          return false;
        }
        type = Type::Number;
        number = d;
      }
    }
  }
  skipBlanks(s, i);
  if (i < s.size()) {
    why = "unexpected \"" + s.substr(i) + "\" after the value";
    return false;
  }
  return true;
}
}  // namespace

bool Nx_PropertiesList::fromText(const Nx_String& text, Nx_String* error,
                                 const Nx_String& sourceName) {
  Nx_PropertiesList parsed;
  const std::string& all = text.str();
  size_t start = 0;
  int lineNo = 0;
  while (start < all.size()) {
    size_t nl = all.find('\n', start);
    std::string line = all.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
    start = nl == std::string::npos ? all.size() : nl + 1;
    ++lineNo;
    auto failLine = [&](const std::string& why) {
      if (error) *error = sourceName + ":" + Nx_String(lineNo) + ": " + Nx_String(why);
      return false;
    };
    size_t i = 0;
    skipBlanks(line, i);
    if (i >= line.size() || line[i] == '#') continue;
    size_t eq = line.find('=', i);
    if (eq == std::string::npos) return failLine("expected key = value");
    size_t keyEnd = eq;
    while (keyEnd > i && isBlank(line[keyEnd - 1])) --keyEnd;
    Entry e;
    e.key = line.substr(i, keyEnd - i);
    if (!isValidKey(Nx_String(e.key)))
      return failLine("\"" + e.key + "\" is not a key (no blanks, '=', '#' or '\"')");
    if (parsed.has(Nx_String(e.key))) return failLine("the key \"" + e.key + "\" is set twice");
    std::string why;
    if (!parseValue(line, eq + 1, e.type, e.text, e.whole, e.number, e.list, why))
      return failLine(why);
    parsed.put(std::move(e));
  }
  *this = std::move(parsed);
  return true;
}

bool Nx_PropertiesList::readFromFile(const Nx_String& path, Nx_String* error) {
  Nx_String content;
  if (!readTextFile(path, content, error)) return false;
  return fromText(content, error, toNativePath(path));
}

bool Nx_PropertiesList::writeToFile(const Nx_String& path, Nx_String* error) const {
  return writeTextFile(path, toText(), error);
}
