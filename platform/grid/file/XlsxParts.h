#pragma once
// The parts of an .xlsx workbook other than its sheet: the workbook with
// its relationships, the shared strings and the styles, each scanned once.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/file/NumberFormats.h"
#include "platform/grid/file/XmlScanner.h"
#include "platform/grid/file/ZipPart.h"

namespace grid {

// The parts of an .xlsx archive, unpacked one at a time into one buffer.
class XlsxParts {
 public:
  XlsxParts(std::string_view bytes, const std::vector<ZipEntry>& entries, std::string& error)
      : bytes_(bytes), entries_(entries), error_(error) {}

  bool has(std::string_view part) const { return findZipEntry(entries_, part) != nullptr; }
  // Unpacks a part into the one buffer; false with the reason.
  bool open(const std::string& part) {
    const ZipEntry* e = findZipEntry(entries_, part);
    if (!e) {
      error_ = "the part " + part + " is missing";
      return false;
    }
    part_ = part;
    return unpackZipEntry(bytes_, *e, text_, error_);
  }
  std::string_view text() const { return text_; }
  // The reason for a scanner's error in the open part.
  bool malformed(const XmlScanner& scanner) {
    error_ = "part " + part_ + ": " + scanner.error();
    return false;
  }
  bool fail(const std::string& why) {
    error_ = "part " + part_ + ": " + why;
    return false;
  }
  const std::string& part() const { return part_; }

 private:
  std::string_view bytes_;
  const std::vector<ZipEntry>& entries_;
  std::string& error_;
  std::string part_;
  std::string text_;
};

// Scans the open part to its end, calling `start` and `end` for each tag
// and `text` for character data; false on malformed XML.
template <typename Start, typename End, typename Text>
bool scanPart(XlsxParts& parts, Start&& start, End&& end, Text&& text) {
  XmlScanner x(parts.text());
  for (;;) switch (x.next()) {
      case XmlScanner::Token::Start:
        start(x);
        break;
      case XmlScanner::Token::End:
        end(x);
        break;
      case XmlScanner::Token::Text:
        text(x.text());
        break;
      case XmlScanner::Token::Done:
        return true;
      case XmlScanner::Token::Error:
        return parts.malformed(x);
    }
}

struct XlsxSheetRef {
  std::string name, id;
};

// The workbook's sheets in order and the parts it relates to.
struct XlsxWorkbook {
  std::vector<XlsxSheetRef> sheets;
  std::map<std::string, std::string, std::less<>> targets;  // relationship id to part
  std::string sharedStrings, styles;
};

// Reads xl/workbook.xml and its relationships, when there are any.
bool readXlsxWorkbook(XlsxParts& parts, XlsxWorkbook& wb);

// Shared texts kept end to end in one buffer.
class XlsxSharedStrings {
 public:
  bool at(std::size_t i, std::string_view& s) const {
    if (i >= ends_.size()) return false;
    const std::size_t begin = i ? ends_[i - 1] : 0;
    s = std::string_view(all_).substr(begin, ends_[i] - begin);
    return true;
  }
  // Reads the open part.
  bool read(XlsxParts& parts);

 private:
  std::string all_;
  std::vector<std::size_t> ends_;
};

// Reads the number formats of the cell formats (cellXfs) of the open part.
bool readXlsxStyles(XlsxParts& parts, NumberFormats& formats);

// Checks that every XML part not in `read` is well-formed.
bool checkOtherXlsxParts(XlsxParts& parts, const std::vector<ZipEntry>& entries,
                         const std::vector<std::string>& read);

// A decimal number of a whole attribute or value.
std::size_t wholeNumber(std::string_view s, bool& ok);

}  // namespace grid
