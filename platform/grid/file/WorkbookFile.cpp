#include "platform/grid/file/WorkbookFile.h"

#include <orcus/orcus_ods.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <algorithm>
#include <cctype>
#include <exception>
#include <iterator>
#include <memory>

#include "platform/grid/file/WorkbookImport.h"
#include "platform/grid/file/WorkbookUnread.h"
#include "platform/grid/file/XlsxReader.h"
#include "platform/grid/file/XmlScanner.h"
#include "platform/grid/file/ZipDirectory.h"

namespace grid {
namespace {

bool has(const std::vector<ZipEntry>& entries, std::string_view name) {
  return std::any_of(entries.begin(), entries.end(),
                     [&](const ZipEntry& e) { return e.name == name; });
}

std::string megabytes(std::uint64_t bytes) {
  return std::to_string(bytes >> 20) + " MB";
}

// The elements of a document that frame its sheets. The library keeps one
// current sheet: a table opened inside a table's cell ends it on closing,
// and the library's assertions end the process at the next cell.
class OneOpenAtATime {
 public:
  // False when `name` opens while an element of its local name is open.
  bool take(XmlScanner::Token t, std::string_view name) {
    const std::string_view local = localName(name);
    for (std::size_t i = 0; i < std::size(kFrames); ++i) {
      if (local != kFrames[i]) continue;
      if (t == XmlScanner::Token::Start && open_[i]++ > 0) return false;
      if (t == XmlScanner::Token::End) --open_[i];
    }
    return true;
  }

 private:
  static constexpr std::string_view kFrames[] = {"document-content", "body", "spreadsheet",
                                                 "table"};
  int open_[std::size(kFrames)] = {};
};

// Why a part's processing instructions would mislead the library's parser,
// which reads their contents as quoted values and ran past the end of a
// part on an unclosed quote: only the XML declaration, at the start, with
// each value closed by its own quote. Empty when sound.
std::string instructionFault(std::string_view text) {
  std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
  std::size_t end = 0;
  if (text.compare(start, 5, "<?xml") == 0) {
    end = text.find("?>", start);
    if (end == std::string_view::npos) return "the XML declaration is not closed";
    char quote = 0;
    for (std::size_t i = start + 5; i < end; ++i)
      if (quote == 0 && (text[i] == '"' || text[i] == '\''))
        quote = text[i];
      else if (text[i] == quote)
        quote = 0;
    if (quote != 0) return "a value of the XML declaration is not closed";
  }
  if (text.find("<?", end) != std::string_view::npos)
    return "a processing instruction other than the XML declaration";
  return {};
}

// The first XML part of an OpenDocument workbook that does not unpack or
// parse, holds processing instructions the library misreads, or does not
// frame its sheets one at a time, with why; empty when all are sound.
std::string findBadPart(std::string_view bytes, const std::vector<ZipEntry>& entries) {
  try {
    orcus::zip_archive_stream_blob stream(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                          bytes.size());
    orcus::zip_archive archive(&stream);
    archive.load();
    std::vector<unsigned char> buffer;
    for (const ZipEntry& e : entries) {
      if (!e.name.ends_with(".xml") && !e.name.ends_with(".rels")) continue;
      try {
        if (!archive.read_file_entry(e.name, buffer))
          return "part " + e.name + ": cannot be unpacked";
        // Checked with the project's own scanner (the library's parser reads
        // past the end of a part cut off inside a tag); the unpacked buffer
        // may end in NULs past the part's text.
        std::string_view text(reinterpret_cast<const char*>(buffer.data()), buffer.size());
        while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
        if (std::string why = instructionFault(text); !why.empty())
          return "part " + e.name + ": " + why;
        XmlScanner scanner(text);
        XmlScanner::Token t;
        OneOpenAtATime structure;
        while ((t = scanner.next()) != XmlScanner::Token::Done) {
          if (t == XmlScanner::Token::Error) return "part " + e.name + ": " + scanner.error();
          if (!structure.take(t, scanner.name()))
            return "part " + e.name + ": a <" + std::string(scanner.name()) +
                   "> inside another; the document's structure is broken";
        }
      } catch (const std::exception& x) {
        return "part " + e.name + ": " + x.what();
      }
    }
  } catch (const std::exception& x) {
    return x.what();
  }
  return {};
}

// The parts each kind needs before its reader can start.
bool checkParts(const std::vector<ZipEntry>& entries, bool ods, std::string& why) {
  auto missing = [&](const std::string& part) {
    why = "the part " + part + " is missing";
    return false;
  };
  if (ods) return has(entries, "content.xml") || missing("content.xml");
  if (!has(entries, "[Content_Types].xml")) return missing("[Content_Types].xml");
  if (!has(entries, "xl/workbook.xml")) return missing("xl/workbook.xml");
  bool sheet = std::any_of(entries.begin(), entries.end(),
                           [](const ZipEntry& e) { return e.name.starts_with("xl/worksheets/"); });
  return sheet || missing("xl/worksheets/sheet1.xml");
}

}  // namespace

bool readWorkbook(std::string_view bytes, const std::string& name, SheetContent& out,
                  std::string& error, std::vector<std::string>* warnings) {
  std::vector<ZipEntry> entries;
  std::string why;
  if (!readZipDirectory(bytes, entries, why)) {
    error = name + ": " + why;
    return false;
  }
  std::uint64_t total = 0;
  for (const ZipEntry& e : entries) {
    total += e.size;
    if (e.size > kMaxUnpackedBytes || total > kMaxUnpackedBytes) {
      error = name + ": part " + e.name + " would unpack past " + megabytes(kMaxUnpackedBytes) +
              " (" + megabytes(total) + " so far); not read";
      return false;
    }
  }
  bool ods = has(entries, "content.xml") && !has(entries, "xl/workbook.xml");
  if (!has(entries, "content.xml") && !has(entries, "xl/workbook.xml")) {
    error = name + ": a zip archive that is no .xlsx or .ods workbook";
    return false;
  }
  if (!checkParts(entries, ods, why)) {
    error = name + ": " + why;
    return false;
  }
  std::vector<std::string> found;
  if (!ods) {
    SheetContent sheet;
    if (!readXlsx(bytes, entries, name, sheet, found, why)) {
      error = name + ": " + why;
      return false;
    }
    out = std::move(sheet);
    if (warnings) *warnings = std::move(found);
    return true;
  }
  // The library's own parser can run past the end of a part that is cut
  // off or badly packed, and its assertions then end the process: every XML
  // part must unpack and parse here, safely, before the library reads any.
  if (std::string bad = findBadPart(bytes, entries); !bad.empty()) {
    error = name + ": " + bad;
    return false;
  }
  out = SheetContent{};
  WorkbookImport import(WorkbookImport::Syntax::Odf, name, out, found);
  try {
    orcus::orcus_ods reader(&import.factory());
    reader.read_stream(bytes);
  } catch (const WorkbookTooLarge& x) {
    error = name + ": " + x.what();
    out = SheetContent{};
    return false;
  } catch (const std::exception& x) {
    std::string part = findBadPart(bytes, entries);
    error = name + ": " + (part.empty() ? std::string(x.what()) : part);
    out = SheetContent{};
    return false;
  }
  if (!import.finish(error)) {
    out = SheetContent{};
    return false;
  }
  checkUnreadCells(bytes, entries, name, found);
  if (warnings) *warnings = std::move(found);
  return true;
}

}  // namespace grid
