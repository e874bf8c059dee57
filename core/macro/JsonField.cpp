#include "core/macro/JsonField.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/base/Cp1252.h"

namespace drawing {

namespace {
std::string describe(const nlohmann::json& j) {
  switch (j.type()) {
    case nlohmann::json::value_t::null:
      return "null";
    case nlohmann::json::value_t::boolean:
      return j.get<bool>() ? "true" : "false";
    case nlohmann::json::value_t::string:
      return "the text " + j.dump();
    case nlohmann::json::value_t::number_integer:
    case nlohmann::json::value_t::number_unsigned:
    case nlohmann::json::value_t::number_float:
      return "the number " + j.dump();
    case nlohmann::json::value_t::array:
      return "an array";
    case nlohmann::json::value_t::object:
      return "an object";
    default:
      return "something else";
  }
}

// JSON pointer escaping of one key.
std::string escapeKey(std::string_view key) {
  std::string out;
  for (char c : key) {
    if (c == '~')
      out += "~0";
    else if (c == '/')
      out += "~1";
    else
      out += c;
  }
  return out;
}
}  // namespace

std::string JsonField::path() const {
  std::string out;
  appendPath(out);
  return out.empty() ? std::string("/") : out;
}

void JsonField::appendPath(std::string& out) const {
  if (!parent_) {
    out += root_;
    return;
  }
  parent_->appendPath(out);
  out += '/';
  out += escapeKey(key_);
  if (index_ >= 0) out += '/' + std::to_string(index_);
}

void JsonField::fail(const std::string& what) const {
  throw LoadError{path(), what};
}

void JsonField::expected(const std::string& what) const {
  fail("expected " + what + ", found " + describe(j_));
}

void JsonField::requireObject(std::initializer_list<const char*> allowed) const {
  if (!j_.is_object()) expected("an object");
  for (const auto& [key, value] : j_.items()) {
    bool known = false;
    for (const char* a : allowed) known |= key == a;
    if (known) continue;
    std::string list;
    for (const char* a : allowed) list += std::string(list.empty() ? "" : ", ") + "\"" + a + "\"";
    JsonField(value, this, key, -1)
        .fail("unknown key \"" + key + "\" (expected one of " + list + ")");
  }
}

JsonField JsonField::at(const char* key) const {
  if (!j_.is_object()) expected("an object");
  auto it = j_.find(key);
  if (it == j_.end()) fail(std::string("missing key \"") + key + "\"");
  return JsonField(*it, this, key, -1);
}

std::vector<JsonField> JsonField::elements(const char* key) const {
  std::vector<JsonField> out;
  if (!has(key)) return out;
  JsonField array = at(key);
  if (!array.j_.is_array()) array.expected("an array");
  out.reserve(array.j_.size());
  for (size_t i = 0; i < array.j_.size(); ++i)
    out.push_back(JsonField(array.j_[i], this, key, static_cast<long>(i)));
  return out;
}

Nx_String JsonField::asText() const {
  if (!j_.is_string()) expected("a text");
  const std::string& utf8 = j_.get_ref<const std::string&>();
  // Refused rather than turned into "?": a save would change the text, and
  // two distinct names could become one.
  std::uint32_t codePoint = 0;
  std::size_t at = 0;
  if (base::findNonCp1252(utf8, codePoint, at)) {
    // Messages are Windows-1252 too: the code point names the character, and
    // the text shows where it stands (as the "?" it cannot be anything else than).
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codePoint));
    std::string before = base::utf8ToCp1252(std::string_view(utf8).substr(0, at));
    fail("the character " + std::string(code) + " (character " + std::to_string(before.size() + 1) +
         " of \"" + base::utf8ToCp1252(utf8) +
         "\") has no Windows-1252 form; drawing texts hold Windows-1252 characters only");
  }
  return Nx_String(base::utf8ToCp1252(utf8));
}

double JsonField::asNumber() const {
  if (!j_.is_number()) expected("a number");
  return j_.get<double>();
}

int JsonField::asInteger() const {
  if (!j_.is_number_integer()) expected("a whole number");
  long long v = j_.get<long long>();
  if (v < -2147483647LL || v > 2147483647LL) expected("a whole number within 32 bits");
  return static_cast<int>(v);
}

bool JsonField::asFlag() const {
  if (!j_.is_boolean()) expected("true or false");
  return j_.get<bool>();
}

Nx_String JsonField::text(const char* key, const Nx_String& fallback) const {
  return has(key) ? text(key) : fallback;
}

double JsonField::number(const char* key, double fallback) const {
  return has(key) ? number(key) : fallback;
}

int JsonField::integer(const char* key, int fallback) const {
  return has(key) ? integer(key) : fallback;
}

bool JsonField::flag(const char* key, bool fallback) const {
  return has(key) ? at(key).asFlag() : fallback;
}

Nx_StringArray JsonField::texts(const char* key) const {
  Nx_StringArray out;
  for (const JsonField& e : elements(key)) out.append(e.asText());
  return out;
}

}  // namespace drawing
