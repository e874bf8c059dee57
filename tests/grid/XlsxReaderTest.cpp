// The .xlsx reader's own handling of the XML and the zip archive it reads.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/grid/Sheet.h"
#include "platform/grid/export/SheetExport.h"
#include "tests/grid/XlsxByHand.h"

using namespace grid;
using gridtest::kContentTypes;
using gridtest::storedZip;
using gridtest::xlsx;

namespace {

// A workbook loaded and computed; its warnings one a line.
struct Loaded {
  Sheet sheet;
  std::string error, warnings;
  bool ok = false;
};

std::unique_ptr<Loaded> load(const std::string& bytes) {
  auto l = std::make_unique<Loaded>();
  l->ok = l->sheet.loadFromText(bytes, "plate.xlsx", l->error);
  if (l->ok) l->sheet.reCalc();
  for (const std::string& w : l->sheet.loadWarnings()) l->warnings += w + "\n";
  return l;
}

std::string rows(const std::string& inside) {
  return "<sheetData>" + inside + "</sheetData>";
}

// The error of a workbook that must not load: it names the file, and the
// sheet keeps what it had.
std::string refusal(const std::string& bytes) {
  Sheet s;
  s.setMaxCols(1);
  s.setMaxRows(1);
  s.setData(1, 1, "kept");
  std::string error;
  EXPECT_FALSE(s.loadFromText(bytes, "plate.xlsx", error));
  EXPECT_EQ(s.getData(1, 1), "kept");
  EXPECT_EQ(error.rfind("plate.xlsx: ", 0), 0u) << error;
  return error;
}

}  // namespace

TEST(XlsxReader, EntitiesCharacterReferencesAndCdataAreDecoded) {
  auto l =
      load(xlsx(rows("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                     "<c r=\"C1\" t=\"inlineStr\"><is><t><![CDATA[a<b & c]]></t></is></c>"
                     "<c r=\"D1\"><v><![CDATA[4]]>2</v></c>"
                     "<c r=\"E1\"><f>IF(D1&gt;40,\"x&amp;y\",\"&#60;\")</f></c></row>"),
                "",
                "<si><t>Caf&#233; &amp; &lt;bar&gt; &quot;q&quot; &apos;&#x45;</t></si>"
                "<si><r><rPr><b/></rPr><t xml:space=\"preserve\">Rich </t></r><r><t>text</t></r>"
                "<rPh sb=\"0\" eb=\"1\"><t>reading</t></rPh></si>"));
  ASSERT_TRUE(l->ok) << l->error;
  EXPECT_TRUE(l->warnings.empty()) << l->warnings;
  EXPECT_EQ(l->sheet.getValue(1, 1), "Caf\xE9 & <bar> \"q\" 'E");
  EXPECT_EQ(l->sheet.getValue(2, 1), "Rich text");  // the reading guide is no part of it
  EXPECT_EQ(l->sheet.getValue(3, 1), "a<b & c");
  EXPECT_EQ(l->sheet.value(4, 1).number, 42);
  EXPECT_EQ(l->sheet.getFormula(5, 1), "IF(D1>40,\"x&y\",\"<\")");
  EXPECT_EQ(l->sheet.getValue(5, 1), "x&y");
}

TEST(XlsxReader, AttributesInAnyOrderQuotingAndPrefixesReadAlike) {
  auto l =
      load(xlsx(rows("<row r=\"2\"><c s='0' t = 's' r='B2'><v>0</v></c>"
                     "<c t=\"n\"\n r=\"C2\"><v>5</v></c></row>"
                     "<!-- a comment --><?pi between rows?>"
                     "<x:row r=\"3\" xmlns:x=\"urn:x\"><x:c r=\"A3\"><x:v>7</x:v></x:c></x:row>"),
                "", "<si><t>two</t></si>"));
  ASSERT_TRUE(l->ok) << l->error;
  EXPECT_EQ(l->sheet.getValue(2, 2), "two");
  EXPECT_EQ(l->sheet.getValue(3, 2), "5");
  EXPECT_EQ(l->sheet.getValue(1, 3), "7");
}

// Writers may leave out row numbers and cell addresses: each then follows the previous one.
TEST(XlsxReader, RowsAndCellsWithoutAddressesFollowThePreviousOnes) {
  auto l = load(xlsx(rows("<row r=\"2\"><c r=\"B2\"><v>1</v></c><c><v>2</v></c></row>"
                          "<row><c><v>3</v></c><c r=\"D3\"/><c><v>4</v></c></row>"
                          "<row/><row><c r=\"A5\" s=\"1\"/><c><v>5</v></c></row>"),
                     ""));
  ASSERT_TRUE(l->ok) << l->error;
  EXPECT_EQ(l->sheet.getValue(2, 2), "1");
  EXPECT_EQ(l->sheet.getValue(3, 2), "2");
  EXPECT_EQ(l->sheet.getValue(1, 3), "3");
  EXPECT_EQ(l->sheet.getValue(5, 3), "4");  // after the self-closing D3
  EXPECT_EQ(l->sheet.content().cells.find(4, 3), nullptr);
  EXPECT_EQ(l->sheet.getValue(2, 5), "5");  // row 4 was empty and self-closing
  EXPECT_EQ(l->sheet.content().cells.find(1, 5), nullptr);
}

TEST(XlsxReader, SharedFormulasMoveToEachCellAndTypedValuesLoad) {
  auto l = load(
      xlsx(rows("<row r=\"1\"><c r=\"A1\"><v>1</v></c>"
                "<c r=\"B1\"><f t=\"shared\" ref=\"B1:B3\" si=\"0\">A1*2+$A$1</f><v>3</v></c></row>"
                "<row r=\"2\"><c r=\"A2\"><v>2</v></c><c r=\"B2\"><f t=\"shared\" si=\"0\"/></c>"
                "<c r=\"C2\"><f t=\"shared\" si=\"4\"/></c></row>"
                "<row r=\"3\"><c r=\"A3\"><v>3</v></c><c r=\"B3\"><f t=\"shared\" si=\"0\"></f></c>"
                "<c r=\"C3\" t=\"str\"><v>plain</v></c><c r=\"D3\" t=\"s\"><v>9</v></c>"
                "<c r=\"E3\"><v>1.5e2</v></c><c r=\"F3\"><v>abc</v></c></row>"),
           ""));
  ASSERT_TRUE(l->ok) << l->error;
  EXPECT_EQ(l->sheet.getFormula(2, 2), "A2*2+$A$1");
  EXPECT_EQ(l->sheet.getValue(2, 3), "7");
  EXPECT_EQ(l->sheet.getValue(3, 3), "plain");
  EXPECT_EQ(l->sheet.value(5, 3).number, 150);
  EXPECT_NE(l->warnings.find("cell C2: a shared formula whose first cell is missing"),
            std::string::npos)
      << l->warnings;
  EXPECT_NE(l->warnings.find("cell D3: no shared text numbered 9"), std::string::npos)
      << l->warnings;
  EXPECT_NE(l->warnings.find("cell F3: \"abc\" is no number"), std::string::npos) << l->warnings;
}

TEST(XlsxReader, MalformedSheetPartsAreRefusedWithThePartAndLine) {
  const std::string part = "part xl/worksheets/sheet1.xml: line 1: ";
  // A part cut short, its archive whole.
  const std::string cut = gridtest::xlsxWithSheetPart(
      "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c>", "");
  EXPECT_NE(refusal(cut).find(part + "the part ends inside an element"), std::string::npos);
  EXPECT_NE(refusal(xlsx(rows("<row><c><v>1</c></v></row>"), "")).find(part + "an end tag"),
            std::string::npos);
  EXPECT_NE(refusal(xlsx(rows("<row><c><v>&nbsp;</v></c></row>"), "")).find(part + "an unknown"),
            std::string::npos);
  EXPECT_NE(refusal(xlsx(rows("<row><c r=\"A1\"><v>&#0;</v></c></row>"), "")).find(part),
            std::string::npos);
  EXPECT_NE(refusal(xlsx(rows("<row><c r=A1><v>1</v></c></row>"), "")).find(part),
            std::string::npos);
  EXPECT_NE(refusal(xlsx(rows("<row><c r=\"A1\"><v>1</v></c></row>") + "</extra>", "")).find(part),
            std::string::npos);
  EXPECT_NE(refusal(xlsx(rows("<row><c r=\"1A\"><v>1</v></c></row>"), ""))
                .find("\"1A\" is no cell address"),
            std::string::npos);
  // An entity defined in a document type could expand without end: none is read.
  const std::string bomb =
      gridtest::storedZip({{"[Content_Types].xml", kContentTypes},
                           {"xl/workbook.xml", "<!DOCTYPE w [<!ENTITY a \"aaaa\">]><workbook/>"},
                           {"xl/worksheets/sheet1.xml", "<worksheet/>"}});
  EXPECT_NE(refusal(bomb).find("part xl/workbook.xml: line 1: document type declarations"),
            std::string::npos);
}

TEST(XlsxReader, DamagedPartsAndMissingPartsAreRefusedWithThePart) {
  std::string stored = xlsx(rows("<row r=\"1\"><c r=\"A1\"><v>12345</v></c></row>"), "");
  stored[stored.find("12345")] = '9';  // the directory's checksum no longer fits
  EXPECT_NE(refusal(stored).find("part xl/worksheets/sheet1.xml: its checksum is wrong"),
            std::string::npos);

  // Deflated data damaged in the middle of the sheet part.
  Sheet a;
  for (int r = 1; r <= 200; ++r) a.setData(1, r, std::to_string(r * 7919));
  const std::string file = ::testing::TempDir() + "xlsx-reader-deflated.xlsx";
  std::string error;
  ASSERT_TRUE(exportSheet(a, file, {}, error)) << error;
  std::string bytes;
  {
    std::ifstream in(file, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  std::remove(file.c_str());
  const std::size_t name = bytes.find("xl/worksheets/sheet1.xml");
  ASSERT_NE(name, std::string::npos);
  for (std::size_t i = name + 40; i < name + 80; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
  EXPECT_NE(refusal(bytes).find("part xl/worksheets/sheet1.xml: "), std::string::npos);

  // A directory that understates what a part unpacks to is not believed.
  const std::string understated =
      storedZip({{"[Content_Types].xml", kContentTypes},
                 {"xl/workbook.xml", "<workbook><sheets><sheet name=\"S\"/></sheets></workbook>"},
                 {"xl/worksheets/sheet1.xml", "<worksheet><sheetData/></worksheet>"}},
                20);
  EXPECT_NE(refusal(understated).find("part xl/workbook.xml: its stored size is wrong"),
            std::string::npos);

  // The workbook names a sheet part the archive holds under another name.
  std::string renamed = xlsx(rows(""), "");
  const std::string part = "xl/worksheets/sheet1.xml";
  for (std::size_t at = renamed.find(part); at != std::string::npos;
       at = renamed.find(part, at + 1))
    if (renamed[at - 1] != '/') renamed[at + part.size() - 5] = '9';  // names, not the data
  EXPECT_NE(refusal(renamed).find("the part xl/worksheets/sheet1.xml is missing"),
            std::string::npos);
}

// Values the former library reader lost or misread: a number with blanks
// around it, a date cell, a conditional format's number format taking the
// identifier of a cell format's.
TEST(XlsxReader, BlankedNumbersDatesAndCellFormatsLoadAsWritten) {
  auto l = load(xlsx(rows("<row r=\"1\"><c r=\"A1\"><v> 7 </v></c>"
                          "<c r=\"B1\" t=\"d\"><v>2024-01-15T12:00:00</v></c>"
                          "<c r=\"C1\" s=\"1\"><v>2.5</v></c></row>"),
                     "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.0\"/></numFmts>"
                     "<cellXfs count=\"2\"><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/></cellXfs>"
                     "<dxfs count=\"1\"><dxf><numFmt numFmtId=\"164\" formatCode=\"0.000\"/>"
                     "</dxf></dxfs>"));
  ASSERT_TRUE(l->ok) << l->error;
  EXPECT_EQ(l->sheet.value(1, 1).number, 7);
  EXPECT_EQ(l->sheet.value(2, 1).number, 45306.5);
  EXPECT_NE(l->warnings.find("cell B1: a date or time is kept as its day number 45306.5"),
            std::string::npos)
      << l->warnings;
  EXPECT_EQ(l->sheet.getCellType(3, 1).kind, CellKind::Number);
  EXPECT_EQ(l->sheet.getCellType(3, 1).decimals, 1);
}
