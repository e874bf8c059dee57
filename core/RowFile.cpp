#include "core/RowFile.h"

#include <algorithm>
#include <string>

#include "core/FileHelpers.h"
#include "core/PathHelpers.h"

Nx_String rowToLine(const Nx_StringArray& row) {
  std::string out;
  for (int c = 0; c < row.length(); ++c) {
    if (c > 0) out += '\t';
    for (char ch : row[c].str()) {
      switch (ch) {
        case '\\':
          out += "\\\\";
          break;
        case '\t':
          out += "\\t";
          break;
        case '\n':
          out += "\\n";
          break;
        case '\r':
          out += "\\r";
          break;
        default:
          out += ch;
          break;
      }
    }
  }
  return Nx_String(std::move(out));
}

bool lineToRow(const Nx_String& line, Nx_StringArray& row, Nx_String* reason) {
  Nx_StringArray cells;
  const std::string& s = line.str();
  if (!s.empty()) {
    cells.items().reserve(static_cast<size_t>(std::count(s.begin(), s.end(), '\t')) + 1);
    std::string cell;
    for (size_t i = 0; i < s.size(); ++i) {
      char ch = s[i];
      if (ch == '\t') {
        cells.append(Nx_String(std::move(cell)));
        cell.clear();
      } else if (ch != '\\') {
        cell += ch;
      } else if (i + 1 == s.size()) {
        if (reason) *reason = "a backslash ends the line (write \\\\ for a backslash)";
        return false;
      } else {
        switch (s[++i]) {
          case '\\':
            cell += '\\';
            break;
          case 't':
            cell += '\t';
            break;
          case 'n':
            cell += '\n';
            break;
          case 'r':
            cell += '\r';
            break;
          default:
            if (reason)
              *reason = std::string("unknown escape \\") + s[i] + " in cell " +
                        std::to_string(cells.length() + 1) + " (write \\\\ for a backslash)";
            return false;
        }
      }
    }
    cells.append(Nx_String(std::move(cell)));
  }
  row = std::move(cells);
  return true;
}

bool readFile(const Nx_String& path, Nx_String& tableName, Nx_Array<Nx_StringArray>& rows,
              Nx_String* error) {
  Nx_StringArray lines;
  if (!ObjectExportReadFile(path, lines, error)) return false;
  Nx_Array<Nx_StringArray> read(lines.length());  // one step holds every row
  for (int i = 0; i < lines.length(); ++i) {
    Nx_StringArray row;
    Nx_String reason;
    if (!lineToRow(lines[i], row, &reason)) {
      if (error) *error = toNativePath(path) + ":" + Nx_String(i + 1) + ": " + reason;
      return false;
    }
    read.append(std::move(row));
  }
  tableName = removeExtension(getFileName(path));
  rows = std::move(read);
  return true;
}

bool writeFile(const Nx_String& path, const Nx_Array<Nx_StringArray>& rows, Nx_String* error) {
  Nx_StringArray lines;
  for (const Nx_StringArray& row : rows) lines.append(rowToLine(row));
  return ObjectExportWriteFile(path, lines, error);
}
