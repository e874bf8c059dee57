// `ss-host bill` on the sample library's bill list, as `make run` runs it.
#include "tests/e2e/HostRun.h"

namespace e2e {
namespace {

const fs::path kList = kLibrary / "Bills" / "Frames.csv";

class BillCommand : public HostTest {};

TEST_F(BillCommand, BuildsTheSampleBillWithPicturesAndItReloads) {
  fs::path bill = temp / "Frames.kvb";
  Outcome o = inLibrary(kLibrary, {"bill", kList.string(), "--output", bill.string()});
  ASSERT_EQ(o.code, 0) << o.err << o.out;
  EXPECT_TRUE(contains(o.out, "Bill saved: " + bill.string() + " (5 lines, 3 subtotals)")) << o.out;
  int pictures = 0;
  for (const auto& entry : fs::directory_iterator(temp / "Frames pictures")) {
    EXPECT_EQ(slurp(entry.path()).substr(0, 2), "BM");
    ++pictures;
  }
  EXPECT_EQ(pictures, 5);
  std::string sheet = slurp(bill);
  EXPECT_TRUE(contains(sheet, "Frames pictures/line-4.bmp")) << "the first part's picture";

  // Reloaded, the sheet holds the list's values in order, a picture row under each part.
  Outcome back = inLibrary(kLibrary, {"calc", bill.string()});
  ASSERT_EQ(back.code, 0) << back.err;
  EXPECT_TRUE(contains(back.out, "A1,C1\n")) << back.out;
  EXPECT_TRUE(contains(back.out, "B1,2\n"));
  EXPECT_TRUE(contains(back.out, "F1,506.5\n"));
  EXPECT_TRUE(contains(back.out, "A3,C2\n"));
  EXPECT_TRUE(contains(back.out, "C5,Columns\n"));
  EXPECT_TRUE(contains(back.out, "F13,2563.8\n")) << back.out;
}

TEST_F(BillCommand, ExportsTheBillAsAWorkbookOrPages) {
  fs::path bill = temp / "Frames.kvb";
  for (const char* name : {"Frames.pdf", "Frames.xlsx", "Frames.csv"}) {
    fs::path out = temp / name;
    Outcome o = inLibrary(kLibrary, {"bill", kList.string(), "--no-pictures", "--output",
                                     bill.string(), "--export", out.string()});
    ASSERT_EQ(o.code, 0) << o.err << o.out;
    EXPECT_TRUE(contains(o.out, "Bill exported: " + out.string())) << o.out;
  }
  EXPECT_EQ(slurp(temp / "Frames.pdf").substr(0, 5), "%PDF-");
  EXPECT_EQ(slurp(temp / "Frames.xlsx").substr(0, 2), "PK");
  std::string csv = slurp(temp / "Frames.csv");
  EXPECT_TRUE(contains(csv, "Columns")) << csv;
  EXPECT_TRUE(contains(csv, "2563.8")) << csv;

  Outcome bad = inLibrary(kLibrary, {"bill", kList.string(), "--export", "x.doc"});
  EXPECT_EQ(bad.code, 2);
  EXPECT_TRUE(contains(bad.err, "--export takes a .csv, .xlsx or .pdf file")) << bad.err;
}

TEST_F(BillCommand, FaultsOfTheListNameFileAndLineAndTheBillGoesOn) {
  fs::path list = temp / "faulty.csv";
  spit(list, "Pos:text,Qty:whole,Length:length\nP1,2,100\nP2,x,200\nP3\n*,,300\n");
  Outcome o = inLibrary(kLibrary, {"bill", list.string(), "--no-pictures"});
  EXPECT_EQ(o.code, 4) << o.err;
  EXPECT_TRUE(contains(o.err, list.string() + ":3: \"x\" in column \"Qty\" is not a number"))
      << o.err;
  EXPECT_TRUE(contains(o.err, list.string() + ":4: the line has 1 fields, the captions 3"));
  EXPECT_TRUE(fs::exists(temp / "faulty.kvb"));
  Outcome back = inLibrary(kLibrary, {"calc", (temp / "faulty.kvb").string()});
  EXPECT_TRUE(contains(back.out, "A2,P2\nC2,200\n")) << back.out;
}

TEST_F(BillCommand, ADamagedSettingsDocumentIsNamedAndTheDefaultsServe) {
  fs::path library = libraryCopy();
  spit(library / "Bill.kvd",
       "marginTop\xA4"
       "2\xA4"
       "12\xA4"
       "colors\xA4"
       "9\xA4"
       "1\xA4");
  Outcome o = inLibrary(
      library, {"bill", kList.string(), "--no-pictures", "--output", (temp / "b.kvb").string()});
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_TRUE(contains(o.out + o.err, (library / "Bill.kvd").string() +
                                          ": record 2 (\"colors\"): unknown type \"9\""))
      << o.out << o.err;
  EXPECT_TRUE(fs::exists(temp / "b.kvb"));
}

TEST_F(BillCommand, AFailedSaveIsAFailureAndBadUsageIsNamed) {
  Outcome o = inLibrary(kLibrary, {"bill", kList.string(), "--no-pictures", "--output",
                                   (temp / "missing" / "b.kvb").string()});
  EXPECT_EQ(o.code, 1);
  EXPECT_FALSE(o.err.empty());
  EXPECT_EQ(inLibrary(kLibrary, {"bill"}).code, 2);
  EXPECT_EQ(inLibrary(kLibrary, {"bill", kList.string(), "--bogus"}).code, 2);
  EXPECT_EQ(inLibrary(kLibrary, {"bill", (temp / "none.csv").string()}).code, 1);
  // --gui after the command word is the command's own option, not a misplaced global one.
  Outcome gui = inLibrary(kLibrary, {"bill", (temp / "none.csv").string(), "--gui"});
  EXPECT_FALSE(contains(gui.err, "belongs before")) << gui.err;
  EXPECT_EQ(gui.code, 1);
}

}  // namespace
}  // namespace e2e
