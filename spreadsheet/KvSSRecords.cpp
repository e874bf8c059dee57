#include "spreadsheet/KvSSRecords.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

bool isLineBreak(char c) {
  return c == '\r' || c == '\n';
}

// The whole text as a number; strtol/strtod alone accept a number's start.
bool wholeLong(const Nx_String& text, long& value) {
  if (text.isEmpty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0';
}
bool wholeDouble(const Nx_String& text, double& value) {
  if (text.isEmpty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return errno == 0 && *end == '\0';
}

Nx_String storable(Nx_String text) {
  for (int i = 0; i < text.length(); ++i)
    if (text[i] == KvSSRecords::kSeparator) text.setAt(i, '?');
  return text;
}

}  // namespace

bool KvSSRecords::add(const Nx_String fields[3], bool strict, int index, Nx_String& fault) {
  const Nx_String& key = fields[0];
  auto named = [&](const char* what) {
    fault = "record " + Nx_String(index) + " (\"" + key + "\"): " + what;
    return false;
  };
  KvSSRecord r;
  long type = -1;
  if (!wholeLong(fields[1], type) || type < KvSSRecord::kNone || type > KvSSRecord::kString) {
    if (strict) return named(("unknown type \"" + fields[1] + "\"").c_str());
    type = KvSSRecord::kNone;
  }
  r.type = static_cast<int>(type);
  switch (r.type) {
    case KvSSRecord::kDouble:
      if (!wholeDouble(fields[2], r.d)) {
        if (strict) return named(("\"" + fields[2] + "\" is not a number").c_str());
        r.d = std::strtod(fields[2].c_str(), nullptr);
      }
      break;
    case KvSSRecord::kInt:
    case KvSSRecord::kLong:
      if (!wholeLong(fields[2], r.l)) {
        if (strict) return named(("\"" + fields[2] + "\" is not a whole number").c_str());
        r.l = std::strtol(fields[2].c_str(), nullptr, 10);
      }
      break;
    case KvSSRecord::kString:
      r.s = fields[2];
      break;
    default:
      break;
  }
  set(key, std::move(r));
  return true;
}

void KvSSRecords::parse(const Nx_String& text) {
  Nx_String fields[3];
  int counter = 0, index = 0;
  Nx_String unused;
  for (char c : text.str()) {
    if (c != kSeparator) {
      fields[counter] += c;
      continue;
    }
    if (++counter < 3) continue;
    add(fields, false, ++index, unused);
    for (Nx_String& f : fields) f.setEmpty();
    counter = 0;
  }
}

bool KvSSRecords::parseStrict(const Nx_String& text, Nx_String& fault) {
  clear();
  Nx_String fields[3];
  int counter = 0, index = 0;
  for (char c : text.str()) {
    // Line breaks between records, as an editor leaves them, are no part of a key.
    if (counter == 0 && fields[0].isEmpty() && isLineBreak(c)) continue;
    if (c != kSeparator) {
      fields[counter] += c;
      continue;
    }
    if (++counter < 3) continue;
    if (!add(fields, true, ++index, fault)) {
      clear();
      return false;
    }
    for (Nx_String& f : fields) f.setEmpty();
    counter = 0;
  }
  if (counter > 0 || !fields[0].isEmpty()) {
    fault = "record " + Nx_String(index + 1) + " (\"" + fields[0] + "\") ends early";
    clear();
    return false;
  }
  return true;
}

const KvSSRecord* KvSSRecords::find(const Nx_String& key) const {
  auto it = records_.find(key);
  return it == records_.end() ? nullptr : &it->second;
}

void KvSSRecords::set(const Nx_String& key, KvSSRecord record) {
  auto [it, added] = records_.insert_or_assign(key, std::move(record));
  if (added) order_.push_back(key);
}

Nx_String KvSSRecords::text() const {
  Nx_String out;
  for (const Nx_String& key : order_) {
    const KvSSRecord& r = records_.at(key);
    out += storable(key);
    out += kSeparator;
    out += Nx_String(r.type);
    out += kSeparator;
    switch (r.type) {
      case KvSSRecord::kDouble: {
        // Room for the largest double written out in full (309 digits): a
        // shorter buffer cut big numbers and stored another value.
        char number[352];
        std::snprintf(number, sizeof number, "%.2f", r.d);
        out += number;
        break;
      }
      case KvSSRecord::kInt:
      case KvSSRecord::kLong:
        out += Nx_String(std::to_string(r.l));
        break;
      case KvSSRecord::kString:
        out += storable(r.s);
        break;
      default:
        break;
    }
    out += kSeparator;
  }
  return out;
}
