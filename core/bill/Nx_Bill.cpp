#include "core/bill/Nx_Bill.h"

#include <cerrno>
#include <cstdlib>

#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "core/bill/BillImage.h"
#include "core/bill/Nx_ListOutputCallback.h"

namespace {

constexpr char kSubtotalMarker = '*';

// Comma-separated fields; a field in double quotes may hold the separator,
// and "" inside it stands for one quote.
Nx_StringArray splitFields(const Nx_String& line, char separator) {
  Nx_StringArray fields;
  Nx_String field;
  bool quoted = false;
  const std::string& s = line.str();
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (quoted) {
      if (c == '"' && i + 1 < s.size() && s[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == separator) {
      fields.append(field.trimmed());
      field.setEmpty();
    } else {
      field += c;
    }
  }
  fields.append(field.trimmed());
  return fields;
}

bool isNumber(const Nx_String& text) {
  if (text.isEmpty()) return true;  // an empty cell is no fault
  char* end = nullptr;
  errno = 0;
  std::strtod(text.c_str(), &end);
  return errno == 0 && *end == '\0';
}

struct Column {
  Nx_String caption;
  int kind = Nx_Bill::kPlain;
  bool number = false;
  bool section = false, length = false, picture = false;
};

bool parseKind(const Nx_String& name, Column& c) {
  Nx_String k = name.lower();
  if (k == "whole") {
    c.kind = Nx_Bill::kWhole;
    c.number = true;
  } else if (k == "decimal") {
    c.kind = Nx_Bill::kDecimal;
    c.number = true;
  } else if (k == "text") {
    c.kind = Nx_Bill::kText;
  } else if (k == "section") {
    c.kind = Nx_Bill::kText;
    c.section = true;
  } else if (k == "length") {
    c.kind = Nx_Bill::kDecimal;
    c.number = c.length = true;
  } else if (k == "picture") {
    c.picture = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool Nx_Bill::readList(const Nx_String& path, Nx_StringArray& faults) {
  listFile = path;
  captions.removeAll();
  kinds.removeAll();
  lines.clear();
  sectionColumn = lengthColumn = -1;
  Nx_StringArray text;
  Nx_String error;
  if (!ObjectExportReadFile(path, text, &error)) {
    faults.append(error);
    return false;
  }
  auto fault = [&](int lineNumber, const Nx_String& what) {
    faults.append(path + ":" + Nx_String(lineNumber) + ": " + what);
  };
  std::vector<Column> columns;
  char separator = ',';
  int pictureField = -1;
  for (int n = 0; n < text.length(); ++n) {
    Nx_String raw = text[n];
    if (n == 0 && raw.startsWith("\xEF\xBB\xBF", true)) raw = raw.mid(3);
    if (raw.trimmed().isEmpty() || raw.trimmed()[0] == '#') continue;
    int lineNumber = n + 1;
    if (columns.empty()) {
      if (raw.find(';') >= 0 && raw.find(',') < 0) separator = ';';
      Nx_StringArray fields = splitFields(raw, separator);
      for (int f = 0; f < fields.length(); ++f) {
        Column c;
        c.caption = fields[f];
        int colon = fields[f].reverseFind(':');
        if (colon > 0 && parseKind(fields[f].mid(colon + 1).trimmed(), c))
          c.caption = fields[f].left(colon).trimmed();
        if (c.picture) {
          pictureField = f;
        } else {
          if (c.section) sectionColumn = captions.length();
          if (c.length) lengthColumn = captions.length();
          captions.append(c.caption);
          kinds.append(c.kind);
        }
        columns.push_back(c);
      }
      continue;
    }
    Line line;
    line.lineNumber = lineNumber;
    line.subtotal = raw.trimmed()[0] == kSubtotalMarker;
    if (line.subtotal) raw = raw.mid(raw.find(kSubtotalMarker) + 1);
    Nx_StringArray fields = splitFields(raw, separator);
    if (!line.subtotal && fields.length() < static_cast<int>(columns.size()))
      fault(lineNumber, "the line has " + Nx_String(fields.length()) + " fields, the captions " +
                            Nx_String(static_cast<int>(columns.size())));
    for (int f = 0; f < fields.length(); ++f) {
      const Column* c = f < static_cast<int>(columns.size()) ? &columns[f] : nullptr;
      Nx_String cell = fields[f];
      if (c && c->number && !isNumber(cell)) {
        fault(lineNumber, "\"" + cell + "\" in column \"" + c->caption + "\" is not a number");
        cell.setEmpty();
      }
      if (f == pictureField) {
        if (cell.isEmpty()) continue;
        Nx_String picture =
            cell[0] == '/' ? toNativePath(cell) : getPath(path) + toNativePath(cell);
        if (isPictureFile(picture))
          line.picture = picture;
        else
          fault(lineNumber, "the picture \"" + cell + "\" cannot be read");
        continue;
      }
      line.cells.append(cell);
    }
    lines.push_back(std::move(line));
  }
  if (columns.empty()) {
    faults.append(path + ": no caption line");
    return false;
  }
  return true;
}

Acad::ErrorStatus Nx_Bill::feed(Nx_ListOutputCallback& output) {
  Acad::ErrorStatus es = output.onStartFeed();
  if (es != Acad::eOk) return es;
  for (currentLine = 0; currentLine < static_cast<int>(lines.size()); ++currentLine) {
    const Line& line = lines[static_cast<size_t>(currentLine)];
    if (line.subtotal)
      output.onAddSubTotals(line.cells, captions, false, 0);
    else
      output.onAddRow(line.cells);
  }
  currentLine = -1;
  return output.onEndFeed();
}

Nx_ListOutputCallback::~Nx_ListOutputCallback() = default;
