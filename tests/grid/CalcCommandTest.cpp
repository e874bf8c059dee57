#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "apps/ss-host/HostCommand.h"
#include "apps/ss-host/commands/CalcListing.h"

namespace fs = std::filesystem;

namespace {
int run(std::vector<std::string> args, std::string& out, std::string& err) {
  const HostCommand* calc = HostCommands::find("calc");
  if (!calc) return -1;
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  int code = calc->run(args);
  out = testing::internal::GetCapturedStdout();
  err = testing::internal::GetCapturedStderr();
  return code;
}

std::string sheetFile(const std::string& name, const std::string& text) {
  fs::path p = fs::temp_directory_path() / ("calc-" + std::to_string(::getpid()) + "-" + name);
  std::ofstream(p, std::ios::binary) << text;
  return p.string();
}
}  // namespace

TEST(CalcCommand, PrintsValuesAsCsvOrJson) {
  std::string f = sheetFile("a.csv", "Width,10\nHeight,\"=B1*2.5\"\nLabel,\"=A1&\"\", \"\"&B2\"\n");
  std::string out, err;
  ASSERT_EQ(run({f}, out, err), 0) << err;
  EXPECT_EQ(out, "A1,Width\nB1,10\nA2,Height\nB2,25\nA3,Label\nB3,\"Width, 25\"\n");
  ASSERT_EQ(run({f, "--json"}, out, err), 0) << err;
  auto j = nlohmann::json::parse(out);
  ASSERT_EQ(j.size(), 6u);
  EXPECT_EQ(j[3]["cell"], "B2");
  EXPECT_EQ(j[3]["formula"], "B1*2.5");
  EXPECT_EQ(j[3]["value"], "25");
  EXPECT_FALSE(j[0].contains("formula"));
  fs::remove(f);
}

TEST(CalcCommand, HelpUsageAndBadFiles) {
  std::string out, err;
  EXPECT_EQ(run({"--help"}, out, err), 0);
  EXPECT_NE(out.find("Usage: ss-host [--library DIR] calc FILE [--json]"), std::string::npos);
  EXPECT_EQ(run({}, out, err), 2);
  EXPECT_EQ(run({"--bogus"}, out, err), 2);
  EXPECT_EQ(run({"/nonexistent/sheet.json"}, out, err), 1);
  EXPECT_NE(err.find("/nonexistent/sheet.json"), std::string::npos);
  std::string f = sheetFile("bad.csv", "1,\"open\n");
  EXPECT_EQ(run({f}, out, err), 1);
  EXPECT_NE(err.find("line 1: a quoted field is not closed"), std::string::npos) << err;
  EXPECT_TRUE(out.empty());
  fs::remove(f);
  // A formula the engine cannot compile spoils its cell, not the run.
  f = sheetFile("formula.csv", "1,\"=SUM(\"\n");
  EXPECT_EQ(run({f}, out, err), 0);
  EXPECT_NE(err.find("calc: warning: "), std::string::npos) << err;
  EXPECT_NE(err.find("line 1, cell B1"), std::string::npos) << err;
  EXPECT_EQ(out, "A1,1\nB1,#NAME?\n");
  fs::remove(f);
}

TEST(CalcCommand, ListingKeepsEveryKindOfValueAndLine) {
  std::string f = sheetFile("kinds.csv",
                            "\"1.50\",\"caf\xC3\xA9\",\"say \"\"hi\"\"\",=1/0,=1=1,\"=\"\"\"\"\","
                            "\"=\"\"a,b\"\"\",\"\"\n"
                            "\"two\nlines\",x\n"
                            "=SUM(\n");
  std::string out, err;
  ASSERT_EQ(run({f}, out, err), 0) << err;
  EXPECT_EQ(out,
            "A1,1.5\nB1,caf\xC3\xA9\nC1,\"say \"\"hi\"\"\"\nD1,#DIV/0!\nE1,TRUE\nF1,\n"
            "G1,\"a,b\"\nA2,\"two\nlines\"\nB2,x\nA3,#NAME?\n");
  // Line numbers count the line breaks inside quoted fields.
  EXPECT_NE(err.find("line 4, cell A3"), std::string::npos) << err;
  fs::remove(f);
}

TEST(CalcCommand, ListingInBlocksIsTheListingInOnePiece) {
  // Rows of varying width with gaps, blank cells and a value that needs quotes.
  grid::CellStore cells;
  std::string expected;
  for (int row = 1; row <= 3000; ++row) {
    if (row % 97 == 0) continue;
    for (int col = 1; col <= 1 + row % 9; ++col) {
      grid::Cell& c = cells.obtain(col, row);
      if ((row + col) % 11 == 0) continue;  // stored, shows nothing
      c.value = (row + col) % 13 == 0 ? grid::Value::makeText("a,b")
                                      : grid::Value::makeNumber(row * 0.5 + col);
      appendListingLine(expected, col, row, c.value);
    }
  }
  cells.obtain(0, 5).value = grid::Value::makeText("caption");  // header captions are not listed
  for (std::size_t blockCells : {std::size_t{1}, std::size_t{7}, std::size_t{500},
                                 kListingBlockCells, std::size_t{1} << 30}) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    writeListing(cells, file, blockCells);
    std::string written(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    ASSERT_EQ(std::fread(written.data(), 1, written.size(), file), written.size());
    std::fclose(file);
    EXPECT_EQ(written, expected) << "blocks of " << blockCells << " cells";
  }
}
