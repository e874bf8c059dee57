#include "core/ArrayHelpers.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/CaseBlindKey.h"
#include "core/StringHelpers.h"

namespace {
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
unsigned char fold(unsigned char c, bool exact) {
  return exact ? c : caseblind::fold(c);
}
}  // namespace

int strToArr(const Nx_String& text, Nx_StringArray& items, const Nx_String& separator) {
  return splitStringAtSymbol(text, separator, items, false);
}

Nx_String arrToStr(const Nx_StringArray& items, const Nx_String& separator) {
  std::string out;
  for (int i = 0; i < items.length(); ++i) {
    if (i > 0) out += separator.str();
    out += items[i].str();
  }
  return Nx_String(std::move(out));
}

void arrArrToArr(const Nx_Array<Nx_StringArray>& rows, Nx_StringArray& lines,
                 const Nx_String& separator) {
  lines.removeAll();
  for (const Nx_StringArray& row : rows) lines.append(arrToStr(row, separator));
}

void arrToArrArr(const Nx_StringArray& lines, Nx_Array<Nx_StringArray>& rows,
                 const Nx_String& separator) {
  rows.removeAll();
  for (const Nx_String& line : lines) {
    Nx_StringArray row;
    strToArr(line, row, separator);
    rows.append(std::move(row));
  }
}

int findAt(const Nx_StringArray& list, const Nx_String& text, int start, bool exact) {
  return list.find(text, exact, start);
}

Nx_String findNonExistingString(const Nx_StringArray& list, const Nx_String& base, bool exact) {
  if (!list.contains(base, exact)) return base;
  const std::string& s = base.str();
  size_t digitsAt = s.size();
  while (digitsAt > 0 && isDigit(s[digitsAt - 1])) --digitsAt;
  std::string stem = s.substr(0, digitsAt);
  std::string digits = s.substr(digitsAt);
  // Long digit runs would overflow; count on from an appended number instead.
  if (digits.size() > 15) {
    stem = s;
    digits.clear();
  }
  long long next = digits.empty() ? 1 : std::stoll(digits) + 1;
  // The list is finite, so at most list.length() + 1 candidates are tried.
  for (;; ++next) {
    std::string number = std::to_string(next);
    if (number.size() < digits.size()) number.insert(0, digits.size() - number.size(), '0');
    Nx_String candidate(stem + number);
    if (!list.contains(candidate, exact)) return candidate;
  }
}

bool getDuplicates(const Nx_StringArray& list, AcArray<int>& indices, bool exact) {
  indices.removeAll();
  // A sheet's few variable names, checked on every run, are compared in
  // place; a long list goes through a set of its keys.
  constexpr int kFew = 32;
  if (list.length() <= kFew) {
    for (int i = 1; i < list.length(); ++i)
      for (int j = 0; j < i; ++j)
        if (list[j].equal(list[i], exact)) {
          indices.append(i);
          break;
        }
    return !indices.isEmpty();
  }
  auto collect = [&](auto seen) {
    seen.reserve(static_cast<size_t>(list.length()));
    for (int i = 0; i < list.length(); ++i)
      if (!seen.insert(list[i].str()).second) indices.append(i);
  };
  if (exact)
    collect(std::unordered_set<std::string>());
  else
    collect(caseblind::Set());
  return !indices.isEmpty();
}

int naturalCompare(const Nx_String& a, const Nx_String& b, bool exact) {
  const std::string& x = a.str();
  const std::string& y = b.str();
  size_t i = 0, j = 0;
  while (i < x.size() && j < y.size()) {
    if (isDigit(x[i]) && isDigit(y[j])) {
      size_t ie = i, je = j;
      while (ie < x.size() && isDigit(x[ie])) ++ie;
      while (je < y.size() && isDigit(y[je])) ++je;
      size_t iz = i, jz = j;  // skip leading zeros for the value comparison
      while (iz + 1 < ie && x[iz] == '0') ++iz;
      while (jz + 1 < je && y[jz] == '0') ++jz;
      size_t il = ie - iz, jl = je - jz;
      if (il != jl) return il < jl ? -1 : 1;
      int c = x.compare(iz, il, y, jz, jl);
      if (c != 0) return c < 0 ? -1 : 1;
      i = ie;
      j = je;
      continue;
    }
    unsigned char cx = fold(static_cast<unsigned char>(x[i]), exact);
    unsigned char cy = fold(static_cast<unsigned char>(y[j]), exact);
    if (cx != cy) return cx < cy ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < x.size() || j < y.size()) return i < x.size() ? 1 : -1;
  int c = x.compare(y);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool ObjectExportSort(AcArray<double>& values, AcArray<int>* carried) {
  if (carried && carried->length() != values.length()) return false;
  std::vector<int> order(static_cast<size_t>(values.length()));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int l, int r) { return values[l] < values[r]; });
  AcArray<double> sortedValues;
  AcArray<int> sortedCarried;
  for (int k : order) {
    sortedValues.append(values[k]);
    if (carried) sortedCarried.append((*carried)[k]);
  }
  values = std::move(sortedValues);
  if (carried) *carried = std::move(sortedCarried);
  return true;
}

void ObjectExportSort(Nx_StringArray& list, bool exact) {
  std::stable_sort(list.begin(), list.end(), [exact](const Nx_String& l, const Nx_String& r) {
    return naturalCompare(l, r, exact) < 0;
  });
}

int ObjectExportAddToSorted(Nx_StringArray& list, const Nx_String& text, bool exact) {
  ObjectExportSort(list, exact);
  auto at = std::upper_bound(
      list.begin(), list.end(), text,
      [exact](const Nx_String& l, const Nx_String& r) { return naturalCompare(l, r, exact) < 0; });
  int index = static_cast<int>(at - list.begin());
  list.insertAt(index, text);
  return index;
}
