#include <gtest/gtest.h>

#include "core/Nx_Settings.h"
#include "core/bill/BillImage.h"
#include "core/bill/Nx_Bill.h"
#include "core/bill/Nx_ListOutputCallback.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "platform/arx/acutil.h"
#include "tests/core/TempDir.h"

namespace {

// What a bill output receives, in order.
struct Recorder : Nx_ListOutputCallback {
  Acad::ErrorStatus onStartFeed() override {
    log.append("start");
    return Acad::eOk;
  }
  Acad::ErrorStatus onEndFeed() override {
    log.append("end");
    return Acad::eOk;
  }
  void onAddRow(const Nx_StringArray& line) override { log.append("row " + join(line)); }
  void onAddSubTotals(const Nx_StringArray& values, const Nx_StringArray&, bool, int) override {
    log.append("sub " + join(values));
  }
  static Nx_String join(const Nx_StringArray& a) {
    Nx_String s;
    for (int i = 0; i < a.length(); ++i) s += (i ? "|" : "") + a[i];
    return s;
  }
  Nx_StringArray log;
};

TEST(BillList, ReadsCaptionsKindsLinesAndSubtotals) {
  TempDir dir;
  dir.write("list.csv",
            "# parts of hall 3\n"
            "Pos:text,Qty:whole,Name,Weight:decimal\n"
            "P1,2,\"Plate, 10\",12.5\n"
            "\n"
            "*,,Total,25\n");
  Nx_Bill bill;
  Nx_StringArray faults;
  ASSERT_TRUE(bill.readList((dir / "list.csv").c_str(), faults));
  EXPECT_TRUE(faults.isEmpty());
  EXPECT_EQ(bill.captions, (Nx_StringArray{"Pos", "Qty", "Name", "Weight"}));
  EXPECT_EQ(bill.kinds, (AcArray<int>{3, 1, 0, 2}));
  Recorder out;
  EXPECT_EQ(bill.feed(out), Acad::eOk);
  EXPECT_EQ(out.log, (Nx_StringArray{"start", "row P1|2|Plate, 10|12.5", "sub ||Total|25", "end"}));
}

TEST(BillList, SemicolonsSeparateWhenTheCaptionsUseThem) {
  TempDir dir;
  dir.write("list.csv", "Pos;Length:length\nP1;1234.5\n*;1234.5\n");
  Nx_Bill bill;
  Nx_StringArray faults;
  ASSERT_TRUE(bill.readList((dir / "list.csv").c_str(), faults));
  ASSERT_EQ(bill.lines.size(), 2u);
  EXPECT_EQ(bill.lines[0].cells, (Nx_StringArray{"P1", "1234.5"}));
  EXPECT_EQ(bill.lengthColumn, 1);
  // The marker is no cell: the subtotal values start in column 1.
  EXPECT_EQ(bill.lines[1].cells, (Nx_StringArray{"", "1234.5"}));
}

TEST(BillList, FaultsNameFileAndLineAndTheBillGoesOnWithoutTheCell) {
  TempDir dir;
  dir.write("list.csv",
            "Pos,Qty:whole,Picture:picture\n"
            "P1,two,\n"
            "P2\n"
            "P3,3,broken.bmp\n"
            "P4,4,\n");
  dir.write("broken.bmp", "not a picture");
  Nx_Bill bill;
  Nx_StringArray faults;
  ASSERT_TRUE(bill.readList((dir / "list.csv").c_str(), faults));
  ASSERT_EQ(faults.length(), 3);
  std::string list = dir / "list.csv";
  EXPECT_EQ(faults[0].str(), list + ":2: \"two\" in column \"Qty\" is not a number");
  EXPECT_EQ(faults[1].str(), list + ":3: the line has 1 fields, the captions 3");
  EXPECT_EQ(faults[2].str(), list + ":4: the picture \"broken.bmp\" cannot be read");
  ASSERT_EQ(bill.lines.size(), 4u);
  EXPECT_EQ(bill.lines[0].cells, (Nx_StringArray{"P1", ""}));
  EXPECT_EQ(bill.lines[1].cells, (Nx_StringArray{"P2"}));
  EXPECT_TRUE(bill.lines[2].picture.isEmpty());
  EXPECT_EQ(bill.lines[3].cells, (Nx_StringArray{"P4", "4"}));
}

TEST(BillList, AListWithoutCaptionsOrFileFails) {
  TempDir dir;
  dir.write("empty.csv", "# nothing\n\n");
  Nx_Bill bill;
  Nx_StringArray faults;
  EXPECT_FALSE(bill.readList((dir / "empty.csv").c_str(), faults));
  EXPECT_FALSE(bill.readList((dir / "missing.csv").c_str(), faults));
  EXPECT_EQ(faults.length(), 2);
}

TEST(BillImage, DrawsThePartAsABitmapOfTheAskedSize) {
  TempDir dir;
  Nx_String previous = gSettings.libDir;
  gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
  dir.write("list.csv", "Section:section,Length:length\nHEA200,2900\nNOSUCH,100\n");
  Nx_Bill bill;
  Nx_StringArray faults;
  ASSERT_TRUE(bill.readList((dir / "list.csv").c_str(), faults));
  bill.pictureFolder = (dir / "pictures/").c_str();
  int w = 200, h = 60, p = 0;
  bool f1 = true, f2 = true;
  Nx_String file;
  bill.currentLine = 0;
  ASSERT_TRUE(createImage(bill.lines[0].cells, file, w, h, p, f1, f2, &bill, nullptr));
  EXPECT_EQ(file.str(), dir / "pictures/line-2.bmp");
  std::string bmp = dir.read("pictures/line-2.bmp");
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  auto u32 = [&](size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(bmp[at])) |
           static_cast<unsigned>(static_cast<unsigned char>(bmp[at + 1])) << 8;
  };
  EXPECT_EQ(u32(18), 200u);
  EXPECT_EQ(u32(22), 60u);
  EXPECT_EQ(bmp.size(), 54u + 600u * 60u);
  // An unknown section cannot be drawn: no picture, no file.
  bill.currentLine = 1;
  EXPECT_FALSE(createImage(bill.lines[1].cells, file, w, h, p, f1, f2, &bill, nullptr));
  EXPECT_TRUE(file.isEmpty());
  gSettings.libDir = previous;
}

TEST(BillImage, APictureNamedByTheLineIsCopiedIntoTheBillsFolder) {
  TempDir dir;
  std::string bmp = "BM" + std::string(60, '\0');
  dir.write("parts/p1.bmp", bmp);
  dir.write("list.csv", "Pos,Picture:picture\nP1,parts/p1.bmp\n");
  Nx_Bill bill;
  Nx_StringArray faults;
  ASSERT_TRUE(bill.readList((dir / "list.csv").c_str(), faults));
  bill.pictureFolder = (dir / "out/").c_str();
  bill.currentLine = 0;
  int w = -1, h = 0, p = 0;
  bool f1 = true, f2 = true;
  Nx_String file;
  ASSERT_TRUE(createImage(bill.lines[0].cells, file, w, h, p, f1, f2, &bill, nullptr));
  EXPECT_EQ(dir.read("out/line-2.bmp"), bmp);
}

}  // namespace
