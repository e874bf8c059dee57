#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/Nx_String.h"
#include "core/dcm_export.h"
#include "core/macro/JsonField.h"

namespace drawing {

// Writes JSON straight into a string, laid out byte for byte as
// nlohmann::ordered_json::dump(2) lays out the same values: no tree is
// built, which on a drawing of thousands of macros costs several times the
// writing itself. A number that is not finite is written as null, and the
// first one is kept with its place (a JSON pointer) and the names of the
// objects around it, for the refusal of a save.
class DCM_API JsonWriter {
 public:
  explicit JsonWriter(std::string& out) : out_(out) {}

  void beginObject() { open('{', true); }
  void endObject() { close('}'); }
  void beginArray() { open('[', false); }
  void endArray() { close(']'); }
  // The next member's key; keys are the format's own ASCII names.
  void key(const char* name);

  void text(std::string_view utf8);
  // A Windows-1252 text of the drawing, written as UTF-8.
  void text(const Nx_String& cp1252);
  void number(double value);
  void integer(long long value);
  void flag(bool value);

  // Members in one go, for the format's small fixed objects.
  void member(const char* name, const Nx_String& value) { key(name), text(value); }
  void member(const char* name, const char* value) { key(name), text(std::string_view(value)); }
  void member(const char* name, double value) { key(name), number(value); }
  void member(const char* name, int value) { key(name), integer(value); }
  void member(const char* name, bool value) { key(name), flag(value); }

  // The first number that was not finite: where, and whose value it is.
  bool nonFinite(LoadError& found) const;

 private:
  struct Level {
    bool object = false;
    int count = 0;              // members or elements so far
    const char* key = nullptr;  // of the member being written
    std::string name;           // the object's "name" member, once written
    bool named = false;
  };
  void open(char bracket, bool object);
  void close(char bracket);
  void beforeValue();
  void indent(size_t depth);
  void escaped(std::string_view utf8);

  std::string& out_;
  std::vector<Level> levels_;
  bool nameNext_ = false;  // the value being written is an object's "name"
  bool hasNonFinite_ = false;
  LoadError nonFinite_;
};

}  // namespace drawing
