#pragma once
// One-sheet .xlsx workbooks written by hand for tests, with stored parts.
#include <string>

#include "tests/grid/StoredZip.h"

namespace gridtest {

inline const std::string kContentTypes =
    "<?xml version=\"1.0\"?><Types "
    "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "</Types>";

inline const std::string kSpreadsheetMain =
    "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// A one-sheet .xlsx written by hand: the whole sheet part, the styles' cell
// formats and, when given, the shared strings' items.
inline std::string xlsxWithSheetPart(const std::string& sheetPart, const std::string& cellXfs,
                                     const std::string& sharedStrings = "") {
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  const std::string& main = kSpreadsheetMain;
  std::vector<std::pair<std::string, std::string>> parts = {
      {"[Content_Types].xml", kContentTypes},
      {"_rels/.rels",
       "<?xml version=\"1.0\"?><Relationships "
       "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Type=\"" +
           rel +
           "/officeDocument\" "
           "Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml", "<?xml version=\"1.0\"?><workbook xmlns=\"" + main + "\" xmlns:r=\"" +
                              rel +
                              "\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/>"
                              "</sheets></workbook>"},
      {"xl/_rels/workbook.xml.rels",
       "<?xml version=\"1.0\"?><Relationships "
       "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Type=\"" +
           rel +
           "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
           "<Relationship Id=\"rId2\" Type=\"" +
           rel +
           "/styles\" Target=\"styles.xml\"/>"
           "<Relationship Id=\"rId3\" Type=\"" +
           rel +
           "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
           "</Relationships>"},
      {"xl/styles.xml",
       "<?xml version=\"1.0\"?><styleSheet xmlns=\"" + main + "\">" + cellXfs + "</styleSheet>"},
      {"xl/worksheets/sheet1.xml", sheetPart}};
  if (!sharedStrings.empty())
    parts.push_back({"xl/sharedStrings.xml", "<?xml version=\"1.0\"?><sst xmlns=\"" + main + "\">" +
                                                 sharedStrings + "</sst>"});
  return storedZip(parts);
}

// The same with the inside of the sheet part's root.
inline std::string xlsx(const std::string& sheet, const std::string& cellXfs,
                        const std::string& sharedStrings = "") {
  return xlsxWithSheetPart("<?xml version=\"1.0\"?><worksheet xmlns=\"" + kSpreadsheetMain + "\">" +
                               sheet + "</worksheet>",
                           cellXfs, sharedStrings);
}

}  // namespace gridtest
