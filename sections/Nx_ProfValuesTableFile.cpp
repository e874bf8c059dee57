// The table's file in the library's prof/ folder, and the faults a file
// written by hand may have.
#include <unordered_set>

#include "core/FileHelpers.h"
#include "core/MacroLangs.h"
#include "core/Nx_Settings.h"
#include "core/PathHelpers.h"
#include "core/RowFile.h"
#include "core/StringHelpers.h"
#include "sections/Nx_ProfValuesTable.h"

namespace {
// Rows of the file before the data: the template and the header.
constexpr int kLeadingRows = 2;

std::string lowered(const Nx_String& s) {
  std::string out = s.str();
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Leaves out the rows that cannot be used and reports every fault.
void checkRows(Nx_ProfValuesTable& table, const Nx_String& file, bool hasHeader,
               Nx_StringArray& problems) {
  auto where = [&](int row, int column) {
    // Lines of the file count from 1; without a header the data start on line 2.
    Nx_String at = file + ":" + Nx_String(row + (hasHeader ? kLeadingRows : 1) + 1);
    return column > 0 ? at + ":" + Nx_String(column) : at;
  };
  if (!hasHeader) {
    problems.append(file +
                    ":2: no header row (\"SysName\", \"I/O\", the language names, the "
                    "dimension names)");
  } else {
    int languages = table.getNrLanguages();
    for (int i = 2; i < 2 + languages; ++i) {
      if (i >= table.columnNames.length() || MacroLangs::FindLanguage(table.columnNames[i]) < 0) {
        problems.append(file + ":2:" + Nx_String(i + 1) + ": the header has no language column " +
                        "here (\"" + MacroLangs::GetLanguages()[i - 2] + "\" expected)");
        break;
      }
    }
  }
  const int width = hasHeader ? table.columnNames.length() : 0;
  const int firstValue = table.getFirstValueIdx();
  std::unordered_set<std::string> seen;
  Nx_Array<Nx_StringArray> kept(8);
  for (int r = 0; r < table.rows.length(); ++r) {
    Nx_StringArray& row = table.rows[r];
    if (row.length() < std::max(width, 2)) {
      problems.append(where(r, 0) + ": the row has " + Nx_String(row.length()) +
                      " cells, the header " + Nx_String(std::max(width, 2)) + "; left out");
      continue;
    }
    if (!seen.insert(lowered(row[0])).second) {
      problems.append(where(r, 1) + ": the system name \"" + row[0] +
                      "\" is there already; left out");
      continue;
    }
    for (int c = firstValue; hasHeader && c < row.length(); ++c) {
      if (!row[c].isEmpty() && !isNumber(row[c]))
        problems.append(where(r, c + 1) + ": \"" + row[c] + "\" is not a number (" +
                        table.columnNames[c] + ")");
    }
    kept.append(std::move(row));
  }
  table.rows = std::move(kept);
}
}  // namespace

Nx_String Nx_ProfValuesTable::filePath(const Nx_String& name) {
  Nx_String path = gSettings.libDir + "prof/" + name;
  if (!endsWith(path, ".pr", false)) path += ".pr";
  return path;
}

bool Nx_ProfValuesTable::readFromFile(const Nx_String& name) {
  return readFromFile(name, nullptr);
}

bool Nx_ProfValuesTable::readFromFile(const Nx_String& name, Nx_StringArray* problems) {
  Nx_String path = filePath(name);
  Nx_String error;
  if (!readFile(path, tableName, rows, &error)) {
    if (problems) problems->append(error);
    return false;
  }
  bool hasHeader = true;
  if (rows.length() > 1) {
    // A file without a header row keeps its rows as data.
    hasHeader = !rows[1].isEmpty() && rows[1][0].equal("SysName", false);
    if (!rows[0].isEmpty()) templateName = rows[0][0];
    if (hasHeader) columnNames = rows[1];
    rows.removeAt(0);
    if (hasHeader) rows.removeAt(0);
  }
  if (problems) checkRows(*this, toNativePath(path), hasHeader, *problems);
  return true;
}

bool Nx_ProfValuesTable::writeToFile(const Nx_String& name) const {
  return writeToFile(name, nullptr);
}

bool Nx_ProfValuesTable::writeToFile(const Nx_String& name, Nx_String* error) const {
  // Line by line, without a copy of the rows: the template, the header, the sizes.
  Nx_StringArray lines;
  lines.items().reserve(static_cast<size_t>(rows.length()) + 2);
  lines.append(rowToLine(Nx_StringArray{templateName}));
  lines.append(rowToLine(columnNames));
  for (const Nx_StringArray& row : rows) lines.append(rowToLine(row));
  return ObjectExportWriteFile(filePath(name), lines, error);
}
