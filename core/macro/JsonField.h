#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/macro/JsonQuickParse.h"

namespace drawing {

// What went wrong where: a JSON pointer ("/macros/0/name") and what was expected.
struct LoadError {
  std::string where;
  std::string what;
};

// A JSON value together with its path, so every complaint names the place.
// Texts are UTF-8 in the file and Windows-1252 in memory; a text with a
// character Windows-1252 lacks is refused, never altered. Failures throw
// LoadError, which the loader turns into its error text.
class JsonField {
 public:
  JsonField(const JsonTree& tree, std::string path)
      : tree_(tree), n_(tree.root()), root_(std::move(path)) {}

  bool isObject() const { return n_.kind == JsonNode::Kind::Object; }
  // The key of a member got from members().
  std::string_view key() const { return key_; }
  // Put together only when asked: a load reads every value once, and
  // building the pointer of each cost more than reading it. A field made by
  // at() or elements() refers to the field it came from, which must outlive it.
  std::string path() const;
  [[noreturn]] void fail(const std::string& what) const;
  [[noreturn]] void expected(const std::string& what) const;

  // An object whose keys are all among allowed.
  void requireObject(std::initializer_list<const char*> allowed) const;
  bool has(const char* key) const { return find(key) != nullptr; }
  JsonField at(const char* key) const;  // required
  // The members of an object, by key.
  std::vector<JsonField> members() const;
  // Elements of an array under key; a missing key is an empty array.
  std::vector<JsonField> elements(const char* key) const;

  // Required values of the value itself.
  Nx_String asText() const;
  double asNumber() const;
  int asInteger() const;
  bool asFlag() const;

  // Values under a key; the defaulted ones may be missing.
  Nx_String text(const char* key) const { return at(key).asText(); }
  Nx_String text(const char* key, const Nx_String& fallback) const;
  double number(const char* key) const { return at(key).asNumber(); }
  double number(const char* key, double fallback) const;
  int integer(const char* key) const { return at(key).asInteger(); }
  int integer(const char* key, int fallback) const;
  bool flag(const char* key, bool fallback) const;
  Nx_StringArray texts(const char* key) const;

 private:
  JsonField(const JsonNode& value, const JsonField* parent, std::string_view key, long index)
      : tree_(parent->tree_), n_(value), parent_(parent), key_(key), index_(index) {}
  void appendPath(std::string& out) const;
  const JsonNode* find(const char* key) const;

  const JsonTree& tree_;
  const JsonNode& n_;
  const JsonField* parent_ = nullptr;
  std::string_view key_;  // under the parent: the key, of the member or of the element's array
  long index_ = -1;       // an element's place in its array
  std::string root_;      // without a parent: the whole path
};

}  // namespace drawing
