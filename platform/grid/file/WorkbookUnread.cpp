#include "platform/grid/file/WorkbookUnread.h"

#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <span>

#include "platform/grid/CellAddress.h"

namespace grid {
namespace {

struct Kind {
  std::string_view mark;
  const char* what;
};
constexpr Kind kXlsxKinds[] = {
    {" t=\"inlineStr\"", "inline text"},
    {" t=\"e\"", "error values"},
};
constexpr Kind kOdsKinds[] = {
    {"office:value-type=\"boolean\"", "logical values"},
};

// The part of the first sheet: the first table of content.xml, or the
// worksheet part the workbook's first sheet is usually kept in.
std::string_view firstSheet(std::string_view part, bool ods) {
  if (!ods) return part;
  std::size_t start = part.find("<table:table ");
  if (start == std::string_view::npos) return {};
  std::size_t end = part.find("</table:table>", start);
  return part.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// Whether the .xlsx cell whose start tag holds `at` has any text: an empty
// one would make no cell anyway.
bool holdsText(std::string_view sheet, std::size_t at) {
  std::size_t open = sheet.find('>', at);
  if (open == std::string_view::npos || sheet[open - 1] == '/') return false;
  const std::size_t close = sheet.find("</c>", open);
  bool inTag = false;
  for (std::size_t i = open + 1; i < close && i < sheet.size(); ++i) {
    if (sheet[i] == '<' || sheet[i] == '>')
      inTag = sheet[i] == '<';
    else if (!inTag && sheet[i] != ' ' && sheet[i] != '\n' && sheet[i] != '\r' && sheet[i] != '\t')
      return true;
  }
  return false;
}

// The names of the .xlsx cells (no formula, a number type) whose stored
// number overflows a double.
std::vector<std::string> overflowingNumbers(std::string_view sheet) {
  std::vector<std::string> names;
  for (std::size_t v = sheet.find("<v>"); v != std::string_view::npos;
       v = sheet.find("<v>", v + 3)) {
    const std::size_t end = sheet.find("</v>", v);
    if (end == std::string_view::npos) break;
    const std::string number(sheet.substr(v + 3, end - v - 3));
    if (number.find_first_of("eE") == std::string::npos) continue;  // no exponent: in range
    errno = 0;
    const double d = std::strtod(number.c_str(), nullptr);
    if (errno != ERANGE || std::isfinite(d)) continue;
    const std::size_t open = sheet.rfind("<c ", v);
    if (open == std::string_view::npos) continue;
    const std::string_view cell = sheet.substr(open, v - open);
    if (cell.find("<f") != std::string_view::npos) continue;  // computed again on load
    const std::size_t typed = cell.find(" t=\"");
    if (typed != std::string_view::npos && !cell.substr(typed).starts_with(" t=\"n\"")) continue;
    const std::size_t r = cell.find(" r=\"");
    if (r == std::string_view::npos) continue;
    const std::size_t close = cell.find('"', r + 4);
    if (close != std::string_view::npos) names.emplace_back(cell.substr(r + 4, close - r - 4));
  }
  return names;
}

std::string partName(const std::vector<ZipEntry>& entries, bool ods) {
  if (ods) return "content.xml";
  auto has = [&](std::string_view name) {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const ZipEntry& e) { return e.name == name; });
  };
  if (has("xl/worksheets/sheet1.xml")) return "xl/worksheets/sheet1.xml";
  for (const ZipEntry& e : entries)
    if (e.name.starts_with("xl/worksheets/") && e.name.ends_with(".xml")) return e.name;
  return {};
}

}  // namespace

void checkUnreadCells(std::string_view bytes, const std::vector<ZipEntry>& entries, bool ods,
                      const std::string& name, SheetContent& out,
                      std::vector<std::string>& warnings) {
  const std::string part = partName(entries, ods);
  if (part.empty()) return;
  std::vector<unsigned char> buffer;
  try {
    orcus::zip_archive_stream_blob stream(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                          bytes.size());
    orcus::zip_archive archive(&stream);
    archive.load();
    if (!archive.read_file_entry(part, buffer)) return;
  } catch (const std::exception&) {
    return;  // the reader itself has read the part; nothing more to say
  }
  const std::string_view sheet =
      firstSheet({reinterpret_cast<const char*>(buffer.data()), buffer.size()}, ods);
  const std::span<const Kind> kinds =
      ods ? std::span<const Kind>(kOdsKinds) : std::span<const Kind>(kXlsxKinds);
  for (const Kind& k : kinds) {
    std::size_t cells = 0;
    for (std::size_t at = sheet.find(k.mark); at != std::string_view::npos;
         at = sheet.find(k.mark, at + 1))
      if (ods || holdsText(sheet, at)) ++cells;
    if (cells)
      warnings.push_back(name + ": " + part + ": " + std::to_string(cells) + " cells holding " +
                         k.what + " are not read; they are left empty");
  }
  if (ods) return;
  for (const std::string& cell : overflowingNumbers(sheet)) {
    int col = 0, row = 0;
    if (!parseCellName(cell, col, row)) continue;
    out.cells.obtain(col, row).value = Value::makeError(ErrorCode::Num);
    warnings.push_back(name + ": cell " + cell + ": a number out of range reads #NUM!");
  }
}

}  // namespace grid
