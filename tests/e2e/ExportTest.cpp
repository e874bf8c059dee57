// End-to-end: `ss-host calc --export` writes what the sheet computed.
#include <cstdlib>

#include "tests/e2e/HostRun.h"

namespace e2e {
namespace {

class CalcExport : public HostTest {
 protected:
  fs::path sheet() {
    fs::path file = temp / "plate.csv";
    spit(file,
         "Part,Width,Count,Total\nPlate,120.5,3,=B2*C2\nCleat,80,2,=B3*C3\nSum,,,=SUM(D2:D3)\n");
    return file;
  }
};

TEST_F(CalcExport, EachFormatHoldsTheComputedValues) {
  fs::path csv = temp / "out.csv", pdf = temp / "out.pdf", xlsx = temp / "out.xlsx";
  for (const fs::path& out : {csv, pdf, xlsx}) {
    Outcome r = ssHost({"calc", sheet().string(), "--export", out.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "D4,521.5")) << r.out;
  }
  EXPECT_EQ(slurp(csv),
            "Part,Width,Count,Total\r\nPlate,120.5,3,361.5\r\nCleat,80,2,160\r\nSum,,,521.5\r\n");
  EXPECT_EQ(slurp(xlsx).substr(0, 2), "PK");
  std::string text = (temp / "pdf.txt").string();
  ASSERT_EQ(std::system(("pdftotext '" + pdf.string() + "' '" + text + "'").c_str()), 0);
  EXPECT_TRUE(contains(slurp(text), "521.5")) << slurp(text);
}

TEST_F(CalcExport, ABadTargetIsRefusedAndNamed) {
  Outcome wrongKind = ssHost({"calc", sheet().string(), "--export", (temp / "out.ods").string()});
  EXPECT_EQ(wrongKind.code, 2);
  EXPECT_TRUE(contains(wrongKind.err, "out.ods")) << wrongKind.err;

  // A folder in the way: nothing is replaced, and the message names the target.
  fs::path out = temp / "taken.csv";
  fs::create_directories(out / "inside");
  Outcome r = ssHost({"calc", sheet().string(), "--export", out.string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(contains(r.err, out.string())) << r.err;
  EXPECT_TRUE(fs::is_directory(out / "inside"));
}

}  // namespace
}  // namespace e2e
