#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/grid/export/SheetExport.h"
#include "platform/grid/file/SheetFile.h"
#include "platform/grid/file/WorkbookFormula.h"
#include "tests/grid/GridTestUtil.h"
#include "tests/grid/StoredZip.h"
#include "tests/grid/XlsxByHand.h"

using namespace grid;
using gridtest::fill;
using gridtest::kContentTypes;
using gridtest::storedZip;
using gridtest::xlsx;
namespace fs = std::filesystem;

namespace {

class Workbooks : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("grid-workbook-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  std::string write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
    return path(name);
  }
  // Loads a file into a sheet and recalculates it.
  bool load(Sheet& s, const std::string& file) {
    error_.clear();
    bool ok = s.loadFromFile(file, error_);
    if (ok) s.reCalc();
    return ok;
  }
  bool loadsWithError(const std::string& file, const std::string& part) {
    Sheet s;
    s.setMaxCols(1);
    s.setMaxRows(1);
    s.setData(1, 1, "kept");
    if (load(s, file)) return false;
    EXPECT_EQ(s.getData(1, 1), "kept");
    EXPECT_NE(error_.find(file), std::string::npos) << error_;
    EXPECT_NE(error_.find(part), std::string::npos) << error_;
    return true;
  }
  fs::path dir_;
  std::string error_;
};

std::string odsContent(const std::string& rows) {
  return "<?xml version=\"1.0\"?><office:document-content "
         "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
         "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
         "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" office:version=\"1.2\">"
         "<office:body><office:spreadsheet><table:table table:name=\"Plate\">" +
         rows + "</table:table></office:spreadsheet></office:body></office:document-content>";
}

std::string ods(const std::string& rows) {
  return storedZip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                    {"content.xml", odsContent(rows)}});
}

}  // namespace

TEST(WorkbookFormulas, OdfReferencesAndSeparatorsBecomeTheGridSyntax) {
  EXPECT_EQ(formulaFromOdf("of:=SUM([.A1:.B3];[.$C$2])*2"), "SUM(A1:B3,$C$2)*2");
  EXPECT_EQ(formulaFromOdf("of:=IF([.A1]>1;\"a;[.b]\";[$Other.A1])"),
            "IF(A1>1,\"a;[.b]\",Other!A1)");
  EXPECT_EQ(formulaFromXlsx("_xlfn.IFS(A1>1,\"_xlfn.\",TRUE,0)"), "IFS(A1>1,\"_xlfn.\",TRUE,0)");
  EXPECT_EQ(formulaFromXlsx("=MY_FUNC(1)+_xlws.SORT(A1)&\"a\"\"_xlfn.\"&_xlfn.CONCAT(B2,\"_\")_"),
            "MY_FUNC(1)+SORT(A1)&\"a\"\"_xlfn.\"&CONCAT(B2,\"_\")_");
}

TEST_F(Workbooks, XlsxExportReadsBackWithValuesFormulasAndFormats) {
  Sheet a;
  fill(a, {{"A1", "Bill caf\xE9"},
           {"A2", "Width"},
           {"B2", "1234.5"},
           {"A3", "Count"},
           {"B3", "3"},
           {"A4", "Total"},
           {"B4", "=B2*B3"},
           {"C4", "=IF(B4>100,\"big\",\"small\")"},
           {"D4", "=B3>2"}});
  a.addCellSpan(1, 1, 3, 1);  // a merged caption
  a.setTypeNumber({2, 2, 2, 2}, 2, 0, 1e9, true);
  a.setData(2, 2, "1234.5");
  a.setColWidth(1, 14.5);
  a.setFont({1, 1, 1, 1}, Font{"", 0, true});
  a.reCalc();
  std::string error;
  ASSERT_TRUE(exportSheet(a, path("a.xlsx"), {}, error)) << error;

  Sheet b;
  ASSERT_TRUE(load(b, path("a.xlsx"))) << error_;
  EXPECT_TRUE(b.loadWarnings().empty()) << b.loadWarnings().front();
  EXPECT_EQ(b.getValue(1, 1), "Bill caf\xE9");
  EXPECT_EQ(b.value(2, 2).number, 1234.5);
  EXPECT_EQ(b.getFormula(2, 4), "B2*B3");
  EXPECT_EQ(b.getValue(2, 4), "3703.5");
  EXPECT_EQ(b.getFormula(3, 4), "IF(B4>100,\"big\",\"small\")");
  EXPECT_EQ(b.getValue(3, 4), "big");
  EXPECT_EQ(b.getValue(4, 4), "TRUE");
  int ac = 0, ar = 0, nc = 0, nr = 0;
  ASSERT_TRUE(b.getCellSpan(2, 1, ac, ar, nc, nr));
  EXPECT_EQ(std::make_pair(nc, nr), std::make_pair(3, 1));
  EXPECT_NEAR(b.colWidth(1), 14.5, 0.1);  // within a pixel
  EXPECT_EQ(b.getCellType(2, 2).kind, CellKind::Number);
  EXPECT_EQ(b.getCellType(2, 2).decimals, 2);
  EXPECT_TRUE(b.getCellType(2, 2).separator);
  EXPECT_EQ(b.displayText(2, 2), "1,234.50");
}

TEST_F(Workbooks, FormulasOfTheSheetsOwnFunctionsExportAsValues) {
  Sheet a;
  a.addCustomFunctionExt("TWICE", 1, 1, [](ValueRecord& result, std::span<const ValueRecord> args) {
    result = ValueRecord::makeDouble(args[0].number * 2);
    return true;
  });
  fill(a, {{"A1", "4"}, {"A2", "=TWICE(A1)"}, {"A3", "=A1+1"}});
  a.reCalc();
  std::string error;
  ASSERT_TRUE(exportSheet(a, path("c.xlsx"), {}, error)) << error;
  Sheet b;
  ASSERT_TRUE(load(b, path("c.xlsx"))) << error_;
  EXPECT_FALSE(b.hasFormula(1, 2));
  EXPECT_EQ(b.getValue(1, 2), "8");
  EXPECT_EQ(b.getFormula(1, 3), "A1+1");
}

TEST_F(Workbooks, OdsLoadsWithTranslatedFormulasAndReportsWhatTheEngineLacks) {
  std::string file = write(
      "plate.ods",
      ods("<table:table-row>"
          "<table:table-cell office:value-type=\"string\"><text:p>Bolts</text:p></table:table-cell>"
          "<table:table-cell office:value-type=\"float\" office:value=\"4\"/>"
          "<table:table-cell table:number-columns-spanned=\"2\" office:value-type=\"string\">"
          "<text:p>Span</text:p></table:table-cell><table:covered-table-cell/>"
          "</table:table-row><table:table-row>"
          "<table:table-cell office:value-type=\"string\"><text:p>Area</text:p></table:table-cell>"
          "<table:table-cell table:formula=\"of:=SUM([.B1];2)*[.B1]\" office:value-type=\"float\" "
          "office:value=\"24\"/>"
          "<table:table-cell table:formula=\"of:=NOSUCHFUNCTION([.B1])\"/>"
          "</table:table-row>"));
  Sheet s;
  ASSERT_TRUE(load(s, file)) << error_;
  EXPECT_EQ(s.getValue(1, 1), "Bolts");
  EXPECT_EQ(s.getFormula(2, 2), "SUM(B1,2)*B1");
  EXPECT_EQ(s.getValue(2, 2), "24");
  ASSERT_EQ(s.loadWarnings().size(), 1u);
  EXPECT_NE(s.loadWarnings()[0].find("cell C2"), std::string::npos) << s.loadWarnings()[0];
  EXPECT_EQ(s.getValue(3, 2), "#NAME?");
}

TEST_F(Workbooks, DamagedWorkbooksAreRefusedNamingTheFileAndPart) {
  Sheet a;
  fill(a, {{"A1", "1"}, {"A2", "=A1*2"}});
  std::string error;
  ASSERT_TRUE(exportSheet(a, path("good.xlsx"), {}, error)) << error;
  std::ifstream in(path("good.xlsx"), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_TRUE(loadsWithError(write("cut.xlsx", bytes.substr(0, bytes.size() / 2)), "truncated"));

  EXPECT_TRUE(
      loadsWithError(write("nosheet.xlsx", storedZip({{"[Content_Types].xml", kContentTypes},
                                                      {"xl/workbook.xml", "<workbook/>"}})),
                     "xl/worksheets/sheet1.xml"));
  EXPECT_TRUE(loadsWithError(
      write("badxml.ods", storedZip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                                     {"content.xml", "<office:document-content><unclosed"}})),
      "content.xml"));
  // A part that claims to unpack to 1 GB is not unpacked at all.
  EXPECT_TRUE(loadsWithError(
      write("bomb.ods", storedZip({{"content.xml", odsContent("")}}, 1u << 30)), "content.xml"));
  EXPECT_TRUE(loadsWithError(write("other.zip", storedZip({{"readme.txt", "hi"}})), "no .xlsx"));
  // A sheet framed inside another's cell ended the process in the
  // library's reader; it is refused before the library reads it.
  const std::string cell = "<table:table-cell office:value-type=\"float\" office:value=\"4\"/>";
  const std::string inner =
      "<table:table table:name=\"B\"><table:table-row>" + cell + "</table:table-row></table:table>";
  EXPECT_TRUE(
      loadsWithError(write("nested.ods", ods("<table:table-row><table:table-cell>" + inner +
                                             "</table:table-cell>" + cell + "</table:table-row>")),
                     "a <table:table> inside another"));
  EXPECT_TRUE(loadsWithError(
      write("twice.ods", ods("<table:table-row><table:table-cell>" + odsContent("").substr(21) +
                             "</table:table-cell>" + cell + "</table:table-row>")),
      "content.xml: a <office:document-content> inside another"));
  // The library reads a processing instruction's text as quoted values and
  // ran past the end of the part on an unclosed quote.
  auto withContent = [](const std::string& content) {
    return storedZip(
        {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}});
  };
  std::string content = odsContent("<table:table-row>" + cell + "</table:table-row>");
  EXPECT_TRUE(loadsWithError(
      write("declaration.ods", withContent("<?xml version='1.0\"?>" + content.substr(21))),
      "a value of the XML declaration is not closed"));
  EXPECT_TRUE(
      loadsWithError(write("instruction.ods",
                           withContent(content.substr(0, 21) + "<?l n='?>" + content.substr(21))),
                     "a processing instruction other than the XML declaration"));
}

// What loads must save in the native format and load back the same: no empty
// text cells, no sizes past the contents, no Number cell that would round its value.
TEST_F(Workbooks, LoadedWorkbooksSaveAndLoadBackUnchanged) {
  std::string file = write(
      "odd.xlsx",
      xlsx("<cols><col min=\"6\" max=\"6\" width=\"20\" customWidth=\"1\"/></cols><sheetData>"
           "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t></t></is></c>"
           "<c r=\"B1\" s=\"1\"><v>1.23456</v></c><c r=\"C1\" s=\"1\"><v>2.5</v></c></row>"
           "</sheetData>",
           "<cellXfs count=\"2\"><xf numFmtId=\"0\"/><xf numFmtId=\"2\" applyNumberFormat=\"1\"/>"
           "</cellXfs>"));
  Sheet s;
  ASSERT_TRUE(load(s, file)) << error_;
  EXPECT_EQ(s.content().cells.find(1, 1), nullptr);  // the empty text
  EXPECT_EQ(s.maxCols(), 3);
  EXPECT_EQ(s.getValue(2, 1), "1.23456");
  EXPECT_EQ(s.getCellType(2, 1).kind, CellKind::General);
  EXPECT_EQ(s.getCellType(3, 1).kind, CellKind::Number);
  ASSERT_EQ(s.loadWarnings().size(), 1u);
  EXPECT_NE(s.loadWarnings()[0].find("cell B1"), std::string::npos) << s.loadWarnings()[0];
  std::string saved = writeSheetText(s.content(), false);
  Sheet again;
  ASSERT_TRUE(again.loadFromText(saved, "saved", error_)) << error_;
  EXPECT_EQ(writeSheetText(again.content(), false), saved);
}

// A logical constant has no place in a sheet file: it loads as the text the
// grid holds for a typed TRUE, so the first save changes nothing.
TEST_F(Workbooks, LogicalConstantsLoadAsTheirTextAndSaveUnchanged) {
  Sheet s;
  ASSERT_TRUE(
      load(s, write("logical.xlsx", xlsx("<sheetData><row r=\"1\"><c r=\"A1\" t=\"b\"><v>1</v></c>"
                                         "<c r=\"B1\" t=\"b\"><v>0</v></c></row></sheetData>",
                                         ""))))
      << error_;
  EXPECT_EQ(s.getValue(1, 1), "TRUE");
  EXPECT_EQ(s.getValue(2, 1), "FALSE");
  ASSERT_EQ(s.loadWarnings().size(), 2u);
  EXPECT_NE(s.loadWarnings()[0].find("cell A1"), std::string::npos) << s.loadWarnings()[0];
  const std::string saved = writeSheetText(s.content(), false);
  Sheet again;
  ASSERT_TRUE(again.loadFromText(saved, "saved", error_)) << error_;
  EXPECT_EQ(writeSheetText(again.content(), false), saved);
}

// Cells the reader cannot take are reported, not dropped in silence; inline
// texts, as some writers store every text, are read.
TEST_F(Workbooks, CellsTheReaderCannotTakeAreReported) {
  Sheet s;
  ASSERT_TRUE(load(s, write("inline.xlsx",
                            xlsx("<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Plate"
                                 "</t></is></c><c r=\"B1\" t=\"e\"><v>#DIV/0!</v></c>"
                                 "<c r=\"C1\"><v>2</v></c></row></sheetData>",
                                 ""))))
      << error_;
  EXPECT_EQ(s.getValue(1, 1), "Plate");
  EXPECT_EQ(s.getValue(3, 1), "2");
  ASSERT_EQ(s.loadWarnings().size(), 1u);
  EXPECT_NE(s.loadWarnings()[0].find("sheet1.xml: 1 cells holding error values"), std::string::npos)
      << s.loadWarnings()[0];

  ASSERT_TRUE(
      load(s, write("logical.ods", ods("<table:table-row><table:table-cell "
                                       "office:value-type=\"boolean\" "
                                       "office:boolean-value=\"true\"/></table:table-row>"))))
      << error_;
  ASSERT_EQ(s.loadWarnings().size(), 1u);
  EXPECT_NE(s.loadWarnings()[0].find("content.xml: 1 cells holding logical values"),
            std::string::npos)
      << s.loadWarnings()[0];
}

// The workbook library reads 2.5e400 as 2.5: such a number reads #NUM!, as
// numbers out of range do everywhere else.
TEST_F(Workbooks, NumbersPastTheRangeOfADoubleReadNum) {
  Sheet s;
  ASSERT_TRUE(load(
      s, write("huge.xlsx", xlsx("<sheetData><row r=\"1\"><c r=\"A1\"><v>2.5e400</v></c>"
                                 "<c r=\"B1\" t=\"n\"><v>-1E+999</v></c><c r=\"C1\"><v>1e308</v>"
                                 "</c><c r=\"D1\"><v>3e-400</v></c></row></sheetData>",
                                 ""))))
      << error_;
  EXPECT_EQ(s.getValue(1, 1), "#NUM!");
  EXPECT_EQ(s.getValue(2, 1), "#NUM!");
  EXPECT_EQ(s.value(3, 1).number, 1e308);
  EXPECT_EQ(s.value(4, 1).number, 0);
  ASSERT_EQ(s.loadWarnings().size(), 2u);
  EXPECT_NE(s.loadWarnings()[0].find("cell A1: a number out of range reads #NUM!"),
            std::string::npos)
      << s.loadWarnings()[0];
}
