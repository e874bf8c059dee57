#include "core/macro/JsonField.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/base/Cp1252.h"

namespace drawing {

namespace {
std::string describe(const JsonTree& tree, const JsonNode& n) {
  switch (n.kind) {
    case JsonNode::Kind::Null:
      return "null";
    case JsonNode::Kind::Flag:
      return n.flag ? "true" : "false";
    case JsonNode::Kind::Text:
      return "the text " + tree.toNlohmann(n).dump();
    case JsonNode::Kind::Integer:
    case JsonNode::Kind::Unsigned:
    case JsonNode::Kind::Real:
      return "the number " + tree.toNlohmann(n).dump();
    case JsonNode::Kind::Array:
      return "an array";
    case JsonNode::Kind::Object:
      return "an object";
  }
  return "something else";
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
  fail("expected " + what + ", found " + describe(tree_, n_));
}

void JsonField::requireObject(std::initializer_list<const char*> allowed) const {
  if (!isObject()) expected("an object");
  auto known = [&](std::string_view key) {
    for (const char* a : allowed)
      if (key == a) return true;
    return false;
  };
  bool allKnown = true;
  for (std::uint32_t c = n_.first; c != JsonNode::kNone && allKnown; c = tree_.node(c).next)
    allKnown = known(tree_.node(c).key);
  if (allKnown) return;
  // The first unknown key in nlohmann's order, as the complaint always named.
  for (const JsonField& m : members()) {
    if (known(m.key())) continue;
    std::string list;
    for (const char* a : allowed) list += std::string(list.empty() ? "" : ", ") + "\"" + a + "\"";
    m.fail("unknown key \"" + std::string(m.key()) + "\" (expected one of " + list + ")");
  }
}

std::vector<JsonField> JsonField::members() const {
  std::vector<JsonField> out;
  for (const JsonNode* m : tree_.members(n_)) out.push_back(JsonField(*m, this, m->key, -1));
  return out;
}

JsonField JsonField::at(const char* key) const {
  if (!isObject()) expected("an object");
  const JsonNode* found = tree_.find(n_, key);
  if (!found) fail(std::string("missing key \"") + key + "\"");
  return JsonField(*found, this, key, -1);
}

std::vector<JsonField> JsonField::elements(const char* key) const {
  std::vector<JsonField> out;
  const JsonNode* found = find(key);
  if (!found) return out;
  JsonField array(*found, this, key, -1);
  if (array.n_.kind != JsonNode::Kind::Array) array.expected("an array");
  size_t count = 0;
  for (std::uint32_t c = array.n_.first; c != JsonNode::kNone; c = tree_.node(c).next) ++count;
  out.reserve(count);
  long i = 0;
  for (std::uint32_t c = array.n_.first; c != JsonNode::kNone; c = tree_.node(c).next)
    out.push_back(JsonField(tree_.node(c), this, key, i++));
  return out;
}

Nx_String JsonField::asText() const {
  if (n_.kind != JsonNode::Kind::Text) expected("a text");
  const std::string_view utf8 = n_.text;
  if (n_.ascii) return Nx_String(utf8);
  // Refused rather than turned into "?": a save would change the text, and
  // two distinct names could become one.
  std::uint32_t codePoint = 0;
  std::size_t at = 0;
  if (base::findNonCp1252(utf8, codePoint, at)) {
    // Messages are Windows-1252 too: the code point names the character, and
    // the text shows where it stands (as the "?" it cannot be anything else than).
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codePoint));
    std::string before = base::utf8ToCp1252(utf8.substr(0, at));
    fail("the character " + std::string(code) + " (character " + std::to_string(before.size() + 1) +
         " of \"" + base::utf8ToCp1252(utf8) +
         "\") has no Windows-1252 form; drawing texts hold Windows-1252 characters only");
  }
  return Nx_String(base::utf8ToCp1252(utf8));
}

double JsonField::asNumber() const {
  if (!n_.isNumber()) expected("a number");
  return n_.number();
}

int JsonField::asInteger() const {
  if (n_.kind != JsonNode::Kind::Integer && n_.kind != JsonNode::Kind::Unsigned)
    expected("a whole number");
  const long long v =
      n_.kind == JsonNode::Kind::Integer ? n_.integer : static_cast<long long>(n_.whole);
  if (v < -2147483647LL || v > 2147483647LL) expected("a whole number within 32 bits");
  return static_cast<int>(v);
}

bool JsonField::asFlag() const {
  if (n_.kind != JsonNode::Kind::Flag) expected("true or false");
  return n_.flag;
}

const JsonNode* JsonField::find(const char* key) const {
  return isObject() ? tree_.find(n_, key) : nullptr;
}

Nx_String JsonField::text(const char* key, const Nx_String& fallback) const {
  const JsonNode* found = find(key);
  return found ? JsonField(*found, this, key, -1).asText() : fallback;
}

double JsonField::number(const char* key, double fallback) const {
  const JsonNode* found = find(key);
  return found ? JsonField(*found, this, key, -1).asNumber() : fallback;
}

int JsonField::integer(const char* key, int fallback) const {
  const JsonNode* found = find(key);
  return found ? JsonField(*found, this, key, -1).asInteger() : fallback;
}

bool JsonField::flag(const char* key, bool fallback) const {
  const JsonNode* found = find(key);
  return found ? JsonField(*found, this, key, -1).asFlag() : fallback;
}

Nx_StringArray JsonField::texts(const char* key) const {
  Nx_StringArray out;
  for (const JsonField& e : elements(key)) out.append(e.asText());
  return out;
}

}  // namespace drawing
