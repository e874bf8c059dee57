// End-to-end: standards sheets authored as workbooks compute what their CSV twin does.
#include "tests/e2e/HostRun.h"

namespace e2e {
namespace {

class AuthoredWorkbooks : public HostTest {};

TEST_F(AuthoredWorkbooks, XlsxAndOdsTwinsGiveTheCsvSheetsResults) {
  const fs::path childs = kLibrary / "Connection Standards" / "Childs";
  auto run = [&](const std::string& name) {
    Outcome r =
        inLibrary(kLibrary, {"calc", (childs / name).string(), "--set", "Diameter=20", "--set",
                             "Zone=200", "--set", "Start=40", "--set", "MaxRows=5"});
    EXPECT_EQ(r.code, 0) << name << ": " << r.err;
    EXPECT_EQ(r.err, "") << name;
    return r.out.substr(r.out.find('\n'));  // past the line that names the file
  };
  std::string csv = run("BoltGroup.kvs");
  EXPECT_TRUE(contains(csv, "NrRows = 3")) << csv;
  EXPECT_EQ(run("BoltGroupXlsx.kvs"), csv);
  EXPECT_EQ(run("BoltGroupOds.kvs"), csv);
}

TEST_F(AuthoredWorkbooks, ADamagedWorkbookIsRefusedNamingFileAndPart) {
  std::string bytes = slurp(kLibrary / "Connection Standards" / "Childs" / "BoltGroupXlsx.kvs");
  fs::path cut = temp / "cut.xlsx";
  spit(cut, bytes.substr(0, bytes.size() - 100));
  Outcome r = ssHost({"calc", cut.string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(contains(r.err, cut.string())) << r.err;
  EXPECT_TRUE(contains(r.err, "truncated")) << r.err;
}

}  // namespace
}  // namespace e2e
