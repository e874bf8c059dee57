#pragma once
#include <map>
#include <vector>

#include "core/Nx_String.h"

// The record format of spreadsheet settings, in a sheet's cell tag and in
// settings documents alike: records back to back, each three fields (key,
// type number, value) each closed by the byte 0xA4. Types: 0 none, 1
// double ("%.2f"), 2 integer, 3 long integer, 4 string.
struct KvSSRecord {
  enum Type { kNone = 0, kDouble = 1, kInt = 2, kLong = 3, kString = 4 };
  int type = kNone;
  double d = 0;
  long l = 0;  // integers and longs
  Nx_String s;
};

class KvSSRecords {
 public:
  static constexpr char kSeparator = '\xA4';

  // Lenient, as sheets have always been read: an unknown type stores an
  // empty value, an incomplete last record is dropped, a number that does
  // not parse reads as far as it goes.
  void parse(const Nx_String& text);
  // Strict, for documents a person may have edited: every record complete,
  // its type 0 to 4, its number whole. False at the first fault, with the
  // record and its key named in fault; the store is then left empty.
  bool parseStrict(const Nx_String& text, Nx_String& fault);

  const KvSSRecord* find(const Nx_String& key) const;
  void set(const Nx_String& key, KvSSRecord record);
  void clear() {
    records_.clear();
    order_.clear();
  }

  // The records in the order they were set; 0xA4 inside a key or a string
  // cannot be stored and is written as "?".
  Nx_String text() const;

 private:
  bool add(const Nx_String fields[3], bool strict, int index, Nx_String& fault);

  std::map<Nx_String, KvSSRecord> records_;
  std::vector<Nx_String> order_;
};
