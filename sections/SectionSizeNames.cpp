#include "sections/SectionSizeNames.h"

#include <algorithm>
#include <vector>

#include "core/ArrayHelpers.h"
#include "core/StringHelpers.h"
#include "sections/Nx_ProfValuesTable.h"

namespace {
constexpr int kMaxModelRows = 9999;
constexpr int kMaxAttempts = 99999;

bool equalFirstParts(const Nx_String& name) {
  Nx_StringArray parts;
  return splitStringAtSymbol(name, 'x', parts, false) >= 2 && parts[0].equal(parts[1], false);
}

int findValue(const Nx_String& part, const Nx_StringArray& values, int from) {
  double number = 0;
  if (!part.toDouble(number)) return findAt(values, part, from, false);
  for (int i = from; i < values.length(); ++i) {
    double v = 0;
    if (values[i].toDouble(v) && v == number) return i;
  }
  return -1;
}
}  // namespace

bool matchNamePattern(const Nx_String& sysName, const Nx_StringArray& values,
                      AcArray<int>& pattern) {
  pattern = AcArray<int>();
  Nx_StringArray parts;
  if (splitStringAtSymbol(sysName, 'x', parts, false) == 0) return false;
  std::vector<int> found;
  auto taken = [&](int at) { return std::find(found.begin(), found.end(), at) != found.end(); };
  for (const Nx_String& part : parts) {
    int at = findValue(part, values, 0);
    for (int attempt = 0; at >= 0 && taken(at) && attempt < kMaxAttempts; ++attempt)
      at = findValue(part, values, at + 1);
    if (at < 0 || taken(at)) return false;
    found.push_back(at);
  }
  for (int at : found) pattern.append(at + 1);
  return true;
}

bool findNamePattern(const Nx_ProfValuesTable& table, int start, AcArray<int>& pattern, int& row) {
  const int first = table.getFirstValueIdx();
  for (int r = std::max(start, 0), tried = 0; r < table.rows.length() && tried < kMaxModelRows;
       ++r, ++tried) {
    const Nx_StringArray& cells = table.rows[r];
    if (cells.isEmpty() || cells.length() <= first) continue;
    if (matchNamePattern(cells[0], table.valuesOf(cells), pattern)) {
      row = r;
      return true;
    }
  }
  pattern = AcArray<int>();
  return false;
}

Nx_String patternName(const AcArray<int>& pattern, const Nx_StringArray& values) {
  Nx_String name;
  for (int i = 0; i < pattern.length(); ++i) {
    int k = pattern[i] - 1;
    if (!values.isValid(k)) return "";
    if (i > 0) name += "x";
    name += values[k];
  }
  return name;
}

int sortedInsertPosition(const Nx_ProfValuesTable& table, const Nx_String& sysName) {
  // The place the name would take in the names sorted naturally (after equal
  // ones), counted rather than sorted: a table may hold thousands of sizes.
  auto notAfter = [&](const Nx_String& name) { return naturalCompare(sysName, name) >= 0; };
  if (!equalFirstParts(sysName)) {
    int count = 0;
    for (const Nx_StringArray& row : table.rows)
      count += notAfter(row.isEmpty() ? Nx_String() : row[0]);
    return count;
  }
  // Among the equal-sided names: after the last one that sorts before it, or
  // after the first of them when it sorts before them all.
  const Nx_String* before = nullptr;
  const Nx_String* first = nullptr;
  for (const Nx_StringArray& row : table.rows) {
    if (row.isEmpty() || !equalFirstParts(row[0])) continue;
    const Nx_String& n = row[0];
    if (!first || naturalCompare(n, *first) < 0) first = &n;
    if (notAfter(n) && (!before || naturalCompare(n, *before) >= 0)) before = &n;
  }
  if (!before) before = first;
  if (!before) return 1;
  for (int i = 0; i < table.rows.length(); ++i)
    if (!table.rows[i].isEmpty() && table.rows[i][0].equal(*before, true)) return i + 1;
  return 1;
}
