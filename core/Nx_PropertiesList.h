#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// Keyed property file: an ordered list of keys, each with a typed value
// (text, whole number, number, boolean or list of texts). Designed-dialog
// templates are stored as one. Text form, one property per line (see
// docs/properties-list.md):
//
//   # comment
//   nrOfControls = 2
//   topLeftX0 = 0.25
//   contents0 = "Plate \"A\""
//   visible0 = true
//   items0 = ["M16", "M20"]
//
// Keys are matched exactly and keep the order in which they were first set.
class DCM_API Nx_PropertiesList {
 public:
  enum class Type { Text, Integer, Number, Boolean, List };

  Nx_PropertiesList() = default;
  virtual ~Nx_PropertiesList() = default;
  Nx_PropertiesList(const Nx_PropertiesList&) = default;
  Nx_PropertiesList& operator=(const Nx_PropertiesList&) = default;
  Nx_PropertiesList(Nx_PropertiesList&&) noexcept = default;
  Nx_PropertiesList& operator=(Nx_PropertiesList&&) noexcept = default;

  // A key is one or more bytes above the blank, none of them '=', '#' or '"'.
  static bool isValidKey(const Nx_String& key);

  // Setters replace the value (and type) of an existing key in place; they
  // fail only for an invalid key.
  bool setString(const Nx_String& key, const Nx_String& value);
  bool setInt(const Nx_String& key, int value);
  bool setDouble(const Nx_String& key, double value);
  bool setBool(const Nx_String& key, bool value);
  bool setStringArray(const Nx_String& key, const Nx_StringArray& value);

  // Getters fail, leaving the output untouched, when the key is missing or
  // its value cannot be taken as the type asked for. A whole number serves
  // as a number, a whole-valued number in range as a whole number, and 0 or
  // 1 as a boolean.
  bool getString(const Nx_String& key, Nx_String& value) const;
  bool getInt(const Nx_String& key, int& value) const;
  bool getDouble(const Nx_String& key, double& value) const;
  bool getBool(const Nx_String& key, bool& value) const;
  bool getStringArray(const Nx_String& key, Nx_StringArray& value) const;

  bool has(const Nx_String& key) const { return index_.count(key.str()) != 0; }
  // False when the key is missing.
  bool getType(const Nx_String& key, Type& type) const;
  bool remove(const Nx_String& key);
  void clear();
  int length() const { return static_cast<int>(entries_.size()); }
  Nx_StringArray keys() const;

  // The text form, and parsing it. Parsing replaces the whole list only
  // when every line is valid; otherwise error tells the source, the line
  // and what is wrong, and the list is unchanged.
  Nx_String toText() const;
  bool fromText(const Nx_String& text, Nx_String* error = nullptr,
                const Nx_String& sourceName = "text");
  // Reading a missing or unreadable file fails with the reason and path;
  // writing is atomic (a failed write leaves the previous file intact).
  bool readFromFile(const Nx_String& path, Nx_String* error = nullptr);
  bool writeToFile(const Nx_String& path, Nx_String* error = nullptr) const;

  bool operator==(const Nx_PropertiesList& other) const;

 private:
  struct Entry {
    std::string key;
    Type type = Type::Text;
    std::string text;               // Text
    long long whole = 0;            // Integer, Boolean
    double number = 0;              // Number
    std::vector<std::string> list;  // List
    bool operator==(const Entry& o) const;
  };
  const Entry* find(const Nx_String& key) const;
  bool put(Entry entry);

  std::vector<Entry> entries_;
  std::unordered_map<std::string, size_t> index_;
};
