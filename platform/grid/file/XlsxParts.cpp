#include "platform/grid/file/XlsxParts.h"

#include <algorithm>
#include <charconv>

namespace grid {
namespace {

std::string partPath(std::string_view target) {
  if (target.starts_with('/')) return std::string(target.substr(1));
  if (target.starts_with("./")) target.remove_prefix(2);
  return "xl/" + std::string(target);
}

}  // namespace

std::size_t wholeNumber(std::string_view s, bool& ok) {
  std::size_t v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  ok = ec == std::errc{} && end == s.data() + s.size();
  return v;
}

bool readXlsxWorkbook(XlsxParts& parts, XlsxWorkbook& wb) {
  if (!parts.open("xl/workbook.xml")) return false;
  auto none = [](const XmlScanner&) {};
  if (!scanPart(
          parts,
          [&](const XmlScanner& x) {
            if (localName(x.name()) == "sheet")
              wb.sheets.push_back(
                  {std::string(x.attribute("name")), std::string(x.attribute("id"))});
          },
          none, [](std::string_view) {}))
    return false;
  const std::string rels = "xl/_rels/workbook.xml.rels";
  if (!parts.has(rels)) return true;
  if (!parts.open(rels)) return false;
  return scanPart(
      parts,
      [&](const XmlScanner& x) {
        if (localName(x.name()) != "Relationship") return;
        const std::string target = partPath(x.attribute("Target"));
        const std::string_view type = x.attribute("Type");
        if (type.ends_with("/sharedStrings")) wb.sharedStrings = target;
        if (type.ends_with("/styles")) wb.styles = target;
        wb.targets[std::string(x.attribute("Id"))] = target;
      },
      none, [](std::string_view) {});
}

bool XlsxSharedStrings::read(XlsxParts& parts) {
  int phonetic = 0;  // inside a reading guide, whose text is no part of the string
  bool inItem = false, inText = false;
  return scanPart(
      parts,
      [&](const XmlScanner& x) {
        const std::string_view n = localName(x.name());
        if (n == "si") inItem = true;
        if (n == "rPh") ++phonetic;
        if (n == "t") inText = inItem && !phonetic;
      },
      [&](const XmlScanner& x) {
        const std::string_view n = localName(x.name());
        if (n == "t") inText = false;
        if (n == "rPh") --phonetic;
        if (n == "si") {
          inItem = false;
          ends_.push_back(all_.size());
        }
      },
      [&](std::string_view s) {
        if (inText) all_ += s;
      });
}

bool readXlsxStyles(XlsxParts& parts, NumberFormats& formats) {
  int depth = 0, cellXfsAt = -1;
  bool inNumFmts = false;
  return scanPart(
      parts,
      [&](const XmlScanner& x) {
        const std::string_view n = localName(x.name());
        ++depth;
        if (n == "numFmts" && depth == 2) inNumFmts = true;
        if (n == "cellXfs" && depth == 2) cellXfsAt = depth;
        bool ok = false;
        if (n == "numFmt" && inNumFmts) {
          const std::size_t id = wholeNumber(x.attribute("numFmtId"), ok);
          if (ok) formats.addCode(id, x.attribute("formatCode"));
        }
        if (n == "xf" && cellXfsAt > 0 && depth == cellXfsAt + 1) {
          const std::size_t id = wholeNumber(x.attribute("numFmtId"), ok);
          formats.addCellFormat(ok ? id : 0);
        }
      },
      [&](const XmlScanner& x) {
        const std::string_view n = localName(x.name());
        if (n == "numFmts") inNumFmts = false;
        if (n == "cellXfs" && depth == cellXfsAt) cellXfsAt = -1;
        --depth;
      },
      [](std::string_view) {});
}

bool checkOtherXlsxParts(XlsxParts& parts, const std::vector<ZipEntry>& entries,
                         const std::vector<std::string>& read) {
  for (const ZipEntry& e : entries) {
    if (!e.name.ends_with(".xml") && !e.name.ends_with(".rels")) continue;
    if (std::find(read.begin(), read.end(), e.name) != read.end()) continue;
    if (!parts.open(e.name)) return false;
    auto none = [](const XmlScanner&) {};
    if (!scanPart(parts, none, none, [](std::string_view) {})) return false;
  }
  return true;
}

}  // namespace grid
