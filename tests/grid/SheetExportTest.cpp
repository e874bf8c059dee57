#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/base/AtomicFile.h"
#include "platform/grid/export/PagePlan.h"
#include "platform/grid/export/SheetExport.h"
#include "tests/grid/GridTestUtil.h"

using namespace grid;
using gridtest::fill;
namespace fs = std::filesystem;

namespace {

class SheetExports : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("grid-export-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string slurp(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Runs a poppler tool on a file; its standard output.
  std::string tool(const std::string& command) const {
    std::string out = path("tool.out");
    EXPECT_EQ(std::system((command + " > '" + out + "' 2>/dev/null").c_str()), 0) << command;
    return slurp(out);
  }
  int pageCount(const std::string& pdf) const {
    std::string info = tool("pdfinfo '" + pdf + "'");
    std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
  }
  std::string exported(const Sheet& s, const std::string& name, const PrintLayout& layout = {}) {
    std::string error;
    EXPECT_TRUE(exportSheet(s, path(name), layout, error)) << error;
    return path(name);
  }
  fs::path dir_;
};

// A binary PPM page as pdftoppm renders it.
struct Picture {
  int width = 0, height = 0;
  std::string rgb;
  bool has(auto&& pixel) const {
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
      if (pixel(static_cast<unsigned char>(rgb[i]), static_cast<unsigned char>(rgb[i + 1]),
                static_cast<unsigned char>(rgb[i + 2])))
        return true;
    return false;
  }
};

Picture readPpm(const std::string& bytes) {
  Picture p;
  std::istringstream in(bytes);
  std::string magic;
  int maxValue = 0;
  in >> magic >> p.width >> p.height >> maxValue;
  in.get();
  p.rgb.assign(std::istreambuf_iterator<char>(in), {});
  return p;
}

constexpr auto kRed = [](unsigned r, unsigned g, unsigned b) {
  return r > 200 && g < 60 && b < 60;
};

}  // namespace

TEST(ExportFormats, ChosenByExtensionInAnyCase) {
  EXPECT_EQ(exportFormatFor("bill.CSV"), ExportFormat::Csv);
  EXPECT_EQ(exportFormatFor("/a.b/bill.xlsx"), ExportFormat::Xlsx);
  EXPECT_EQ(exportFormatFor("bill.Pdf"), ExportFormat::Pdf);
  EXPECT_EQ(exportFormatFor("bill.xls"), std::nullopt);
  EXPECT_EQ(exportFormatFor("csv"), std::nullopt);
  Sheet s;
  std::string error;
  EXPECT_FALSE(exportSheet(s, "bill.ods", {}, error));
  EXPECT_NE(error.find("bill.ods"), std::string::npos) << error;
}

TEST_F(SheetExports, CsvHoldsValuesAsNumbersWithQuotingAndUtf8) {
  Sheet s;
  fill(s, {{"A1", "Part"},
           {"B1", "Length"},
           {"A2", "plate, 10"},
           {"B2", "1234.5"},
           {"C2", "=B2*2"},
           {"A3", "say \"hi\"\nthere"},
           {"B3", "caf\xE9"}});
  s.setTypeNumber({2, 2, 2, 2}, 2, 0, 1e9, true);  // shown "1,234.50"
  s.setData(2, 2, "1234.5");
  s.reCalc();
  EXPECT_EQ(slurp(exported(s, "a.csv")),
            "Part,Length,\r\n"
            "\"plate, 10\",1234.5,2469\r\n"
            "\"say \"\"hi\"\"\nthere\",caf\xC3\xA9,\r\n");
}

TEST_F(SheetExports, CsvKeepsFormulaLikeTextFromRunning) {
  Sheet s;
  s.setMaxCols(2);
  s.setMaxRows(3);
  s.setTypeEdit({1, 1, 1, 3}, 0, 0);
  s.setData(1, 1, "=HYPERLINK(\"x\")");
  s.setData(1, 2, "-5");  // a number stays a number
  s.setData(1, 3, "-");
  EXPECT_EQ(slurp(exported(s, "f.csv")), "\"'=HYPERLINK(\"\"x\"\")\"\r\n-5\r\n-\r\n");
}

TEST_F(SheetExports, UsedRangeIgnoresEmptyRowsButKeepsColouredCellsAndSpans) {
  Sheet s;
  s.setMaxCols(10);
  s.setMaxRows(150);  // a bill grown past its lines
  fill(s, {{"A1", "x"}});
  s.setColor({2, 3, 2, 3}, 0x0000FF, kDefaultColor);
  s.addCellSpan(1, 4, 3, 1);
  EXPECT_EQ(slurp(exported(s, "u.csv")), "x,,\r\n,,\r\n,,\r\n,,\r\n");
  Sheet empty;
  EXPECT_EQ(slurp(exported(empty, "e.csv")), "");
}

TEST_F(SheetExports, FailedWriteLeavesThePreviousFile) {
  Sheet s;
  fill(s, {{"A1", "new"}});
  std::string file = path("keep.csv");
  std::ofstream(file) << "old";
  base::setAtomicWriteFailureAfter(2);
  std::string error;
  bool ok = exportSheet(s, file, {}, error);
  base::setAtomicWriteFailureAfter(-1);
  EXPECT_FALSE(ok);
  EXPECT_NE(error.find(file), std::string::npos) << error;
  EXPECT_EQ(slurp(file), "old");
  EXPECT_FALSE(exportSheet(s, path("no/such/folder/x.pdf"), {}, error));
  EXPECT_NE(error.find("no/such/folder/x.pdf"), std::string::npos) << error;
}

// --- pages ---------------------------------------------------------------------

namespace {
PageMeasures uniform(int cols, double width, int rows, double height) {
  PageMeasures m;
  m.colWidths.assign(static_cast<std::size_t>(cols) + 1, width);
  m.rowHeights.assign(static_cast<std::size_t>(rows) + 1, height);
  return m;
}
PrintLayout noMargins(double w, double h) {
  PrintLayout l;
  l.paperWidth = w / kPointsPerMm;
  l.paperHeight = h / kPointsPerMm;
  l.marginLeft = l.marginRight = l.marginTop = l.marginBottom = 0;
  return l;
}
}  // namespace

TEST(PagePlans, RowsBreakWhereThePageIsFullAndPagesRunDownFirst) {
  // 100 rows of 10 points under a 10-point header row on 500-point pages: 49 rows a page.
  PagePlan p = planPages(noMargins(400, 500), uniform(3, 100, 100, 10), 3, 100);
  ASSERT_EQ(p.rowBands.size(), 3u);
  EXPECT_EQ(p.rowBands[0], std::make_pair(1, 49));
  EXPECT_EQ(p.rowBands[1], std::make_pair(50, 98));
  EXPECT_EQ(p.rowBands[2], std::make_pair(99, 100));
  ASSERT_EQ(p.colBands.size(), 1u);
  EXPECT_EQ(p.pageCount(), 3);
  EXPECT_EQ(p.bandsOf(2), std::make_pair(0, 2));
}

TEST(PagePlans, WideSheetsGoAcrossOrScaleWhenALittleTooWide) {
  PrintLayout l = noMargins(400, 500);
  // Header 96 + 4 x 96 = 480: a fifth too wide, so scaled to fit.
  PagePlan a = planPages(l, uniform(4, 96, 10, 10), 4, 10);
  EXPECT_NEAR(a.scale, 400.0 / 480, 1e-9);
  EXPECT_EQ(a.colBands.size(), 1u);
  l.smartPrint = false;
  PagePlan b = planPages(l, uniform(4, 100, 10, 10), 4, 10);
  EXPECT_EQ(b.scale, 1);
  ASSERT_EQ(b.colBands.size(), 2u);
  EXPECT_EQ(b.colBands[0], std::make_pair(1, 3));
  EXPECT_EQ(b.pageCount(), 2);
  // A column wider than the page gets a page of its own.
  PageMeasures m = uniform(3, 100, 1, 10);
  m.colWidths[2] = 900;
  PagePlan c = planPages(l, m, 3, 1);
  ASSERT_EQ(c.colBands.size(), 3u);
  EXPECT_EQ(c.colBands[1], std::make_pair(2, 2));
}

TEST(PagePlans, LandscapeMarginsAndPageTextBandsShrinkTheRoom) {
  PrintLayout l;  // A4
  l.landscape = true;
  PageMeasures m = uniform(1, 10, 1, 10);
  m.headerBand = m.footerBand = 20;
  PagePlan p = planPages(l, m, 1, 1);
  EXPECT_NEAR(p.pageWidth, 841.89, 0.01);
  EXPECT_NEAR(p.pageHeight, 595.28, 0.01);
  EXPECT_NEAR(p.left, 9 * kPointsPerMm, 1e-9);
  EXPECT_NEAR(p.top, 5 * kPointsPerMm + 20, 1e-9);
  EXPECT_NEAR(p.usableHeight, 595.28 - 10 * kPointsPerMm - 40, 0.01);
  EXPECT_EQ(planPages(l, uniform(0, 10, 0, 10), 0, 0).pageCount(), 1);
}

TEST(PageTexts, VariablesAndPageNumbersFilledIn) {
  PrintLayout l;
  l.variables = {{"Title", "End plate"}, {"Date", "03 March, 2024 (14:05)"}};
  EXPECT_EQ(fillPageText("{Title} - {Date}: page {Page} of {Pages}", l, 2, 5),
            "End plate - 03 March, 2024 (14:05): page 2 of 5");
  EXPECT_EQ(fillPageText("{Unknown} {Title", l, 1, 1), "{Unknown} {Title");
  EXPECT_EQ(fillPageText("", l, 1, 1), "");
}

TEST_F(SheetExports, PdfPagesCarryCellsHeadersAndFilledPageTexts) {
  Sheet s;
  s.setMaxCols(3);
  s.setMaxRows(120);
  for (int r = 1; r <= 120; ++r) s.setData(1, r, "Line " + std::to_string(r));
  s.setFormula(2, 1, "=6*7");
  s.setColor({3, 2, 3, 2}, 0x0000FF, kDefaultColor);  // red (stored blue-green-red)
  s.addCellSpan(2, 3, 2, 1);
  s.setData(2, 3, "Spanned caption");
  s.reCalc();
  PrintLayout l;
  l.header = "{Title}";
  l.footer = "Page {Page} of {Pages}";
  l.variables = {{"Title", "Bill caf\xE9"}};
  std::string pdf = exported(s, "b.pdf", l);
  EXPECT_EQ(pageCount(pdf), 3);
  std::string first = tool("pdftotext -f 1 -l 1 -layout '" + pdf + "' -");
  EXPECT_NE(first.find("Bill caf\xC3\xA9"), std::string::npos) << first;
  EXPECT_NE(first.find("Page 1 of 3"), std::string::npos) << first;
  EXPECT_NE(first.find("Line 1 "), std::string::npos) << first;
  EXPECT_NE(first.find("42"), std::string::npos) << first;
  EXPECT_NE(first.find("Spanned caption"), std::string::npos) << first;
  EXPECT_EQ(first.find("Line 120"), std::string::npos);
  std::string last = tool("pdftotext -f 3 -l 3 -layout '" + pdf + "' -");
  EXPECT_NE(last.find("Line 120"), std::string::npos) << last;
  EXPECT_NE(last.find("Page 3 of 3"), std::string::npos) << last;

  Picture page = readPpm(tool("pdftoppm -f 1 -l 1 -r 50 '" + pdf + "'"));
  EXPECT_LT(page.width, page.height);  // portrait
  EXPECT_TRUE(page.has(kRed));
  l.colors = false;
  l.landscape = true;
  Picture plain = readPpm(tool("pdftoppm -f 1 -l 1 -r 50 '" + exported(s, "p.pdf", l) + "'"));
  EXPECT_GT(plain.width, plain.height);
  EXPECT_FALSE(plain.has(kRed));
}

TEST_F(SheetExports, PdfOfAnEmptySheetIsOnePageWithItsHeader) {
  Sheet s;
  PrintLayout l;
  l.header = "Nothing here";
  std::string pdf = exported(s, "e.pdf", l);
  EXPECT_EQ(pageCount(pdf), 1);
  EXPECT_NE(tool("pdftotext '" + pdf + "' -").find("Nothing here"), std::string::npos);
}
