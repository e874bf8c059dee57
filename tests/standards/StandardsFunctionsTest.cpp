// The standards functions as sheet authors use them: formulas on a sheet,
// data files in a temporary library folder.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/base/FileMemo.h"
#include "tests/standards/FunctionsFixture.h"

namespace {

class StandardsFunctions : public FunctionsFixture {};

TEST_F(StandardsFunctions, RegisteredInOrderWithTheirArgumentCounts) {
  const char* expected[] = {"ROUNDTO",
                            "GETCELL",
                            "GETPROFCELL",
                            "SECTIONSIZE",
                            "GETSYSNAME",
                            "STDWIDTHWITHTOLERANCE",
                            "STDTHICKNESSWITHTOLERANCE",
                            "STDSIZEWITHTOLERANCE",
                            "GETARRAYITEM",
                            "TONUMBER",
                            "ISNULL",
                            "ISPOSITIVE"};
  auto table = standardsFunctions();
  ASSERT_EQ(table.size(), std::size(expected));
  for (std::size_t i = 0; i < table.size(); ++i) EXPECT_STREQ(table[i].name, expected[i]);
  EXPECT_EQ(sheet_.customFunctionCount(), table.size());
  // Registering again, as every calculation does, replaces rather than adds.
  EXPECT_EQ(registerStandardsFunctions(sheet_), Acad::eOk);
  EXPECT_EQ(sheet_.customFunctionCount(), table.size());

  // The counts are enforced on the sheet: one too few and one too many.
  for (const StandardsFunction& f : table) {
    std::string args;
    for (int i = 1; i < f.minArgs; ++i) args += i > 1 ? ",1" : "1";
    EXPECT_EQ(eval(std::string("=") + f.name + "(" + args + ")"), "#VALUE!") << f.name;
    std::string many;
    for (int i = 0; i <= f.maxArgs; ++i) many += i ? ",1" : "1";
    EXPECT_EQ(eval(std::string("=") + f.name + "(" + many + ")"), "#VALUE!") << f.name;
  }
  EXPECT_EQ(table[1].minArgs, 2);
  EXPECT_EQ(table[1].maxArgs, 7);
  EXPECT_EQ(table[5].minArgs, 6);
  EXPECT_EQ(table[6].maxArgs, 5);
}

TEST_F(StandardsFunctions, RoundToAndConversions) {
  EXPECT_EQ(eval("=ROUNDTO(12.4, 5)"), "10");
  EXPECT_EQ(eval("=ROUNDTO(12.5, 5)"), "15");  // halves away from zero
  EXPECT_EQ(eval("=ROUNDTO(-12.5, 5)"), "-15");
  EXPECT_EQ(eval("=ROUNDTO(0.35, 0.1)"), "0.4");
  EXPECT_EQ(eval("=ROUNDTO(7.3, 0)"), "7.3");  // no step, no rounding
  EXPECT_EQ(eval("=ROUNDTO(\"12\", 5)"), "#VALUE!");

  EXPECT_EQ(eval("=TONUMBER(\"12.5mm\")"), "12.5");
  EXPECT_EQ(eval("=TONUMBER(\"abc\")"), "0");
  EXPECT_EQ(eval("=TONUMBER(12)"), "#VALUE!");  // a number is refused
  EXPECT_EQ(eval("=TONUMBER(A1)"), "#VALUE!");  // so is an empty cell
  EXPECT_EQ(eval("=TONUMBER(\"1\"&\"0\")*2"), "20");
}

TEST_F(StandardsFunctions, IsNullAndIsPositive) {
  gridtest::fill(sheet_, {{"B1", "0"}, {"B2", "abc"}, {"B3", "-2"}});
  EXPECT_EQ(eval("=ISNULL(0)"), "1");
  EXPECT_EQ(eval("=ISNULL(B1)"), "1");
  EXPECT_EQ(eval("=ISNULL(A1)"), "1");  // empty cell
  EXPECT_EQ(eval("=ISNULL(\"\")"), "1");
  EXPECT_EQ(eval("=ISNULL(B2)"), "0");
  EXPECT_EQ(eval("=ISNULL(0.001)"), "0");
  EXPECT_EQ(eval("=ISNULL(\"0\")"), "0");  // a text is null only when empty
  EXPECT_EQ(eval("=ISNULL(B1:B2)"), "#VALUE!");

  EXPECT_EQ(eval("=ISPOSITIVE(\"0.0\")"), "0");
  EXPECT_EQ(eval("=ISPOSITIVE(\"2.5 mm\")"), "1");
  EXPECT_EQ(eval("=ISPOSITIVE(B3)"), "0");
  EXPECT_EQ(eval("=ISPOSITIVE(0.5)"), "1");
  EXPECT_EQ(eval("=ISPOSITIVE(A1)"), "0");
  EXPECT_EQ(eval("=ISPOSITIVE(\"\")"), "0");
  EXPECT_EQ(eval("=ISPOSITIVE(B2)"), "0");
  EXPECT_EQ(eval("=ISPOSITIVE(B1:B3)"), "#VALUE!");
}

TEST_F(StandardsFunctions, GetArrayItem) {
  EXPECT_EQ(eval("=GETARRAYITEM(\"a;b;c\", 2)"), "b");
  EXPECT_EQ(eval("=GETARRAYITEM(\"a;b;c\", 3.9)"), "c");  // truncated toward zero
  for (const char* outside : {"4", "0", "0.5", "-1", "1E300"}) {
    EXPECT_EQ(eval(std::string("=GETARRAYITEM(\"a;b;c\", ") + outside + ")"), "") << outside;
    EXPECT_TRUE(sheet_.value(30, 30).isEmpty());  // empty, not failed
  }
  EXPECT_EQ(eval("=GETARRAYITEM(\"a;;c\", 2)"), "");
  EXPECT_EQ(eval("=GETARRAYITEM(\"\", 1)"), "");
  EXPECT_EQ(eval("=GETARRAYITEM(\"a;b\", \"1\")"), "#VALUE!");
  EXPECT_EQ(eval("=GETARRAYITEM(12, 1)"), "#VALUE!");
}

// A GETCELL file keyed by diameter and quantity, as the sample library has.
constexpr const char* kBoltSpacing =
    "// Bolt spacing by diameter\n"
    "\n"
    "12;Hole\t13\n"
    "12.5;Hole\t14 // odd size\n"
    "20;Hole\t22\n"
    "20;Edge\t30\n"
    "20;Pitch\n"
    "S235 \t235\n"
    "Empty\t\n";

TEST_F(StandardsFunctions, GetCellKeys) {
  writeData("BoltSpacing.txt", kBoltSpacing);
  // A number key is formatted with 6 decimals and its zeros dropped.
  EXPECT_EQ(eval("=GETCELL(\"BoltSpacing.txt\", 20, \"Hole\")"), "22");
  EXPECT_EQ(eval("=GETCELL(\"BoltSpacing.txt\", 20.0000001, \"Hole\")"), "22");
  EXPECT_EQ(eval("=GETCELL(\"BoltSpacing.txt\", 12.5, \"Hole\")"), "14");
  EXPECT_EQ(eval("=GETCELL(\"BoltSpacing.txt\", \"20\", \"edge\")"), "30");  // without case
  // The result is text; a sheet may compute with it.
  EXPECT_EQ(eval("=GETCELL(\"BoltSpacing.txt\", 12, \"Hole\") + 1"), "14");
  // An empty argument ends the key: "20" alone matches nothing.
  EXPECT_EQ(eval("=GETCELL(\"BoltSpacing.txt\", 20, A1, \"Hole\")"), "#VALUE!");
  EXPECT_EQ(eval("=GETCELL(\"BoltSpacing.txt\", \"S235\")"), "235");  // blanks trimmed
  EXPECT_EQ(eval("=GETCELL(\"BoltSpacing.txt\", \"Empty\")"), "");
  // Failures: no such key, a matching line of one field, no such file, a
  // file name that is no text.
  EXPECT_EQ(eval("=GETCELL(\"BoltSpacing.txt\", 24, \"Hole\")"), "#VALUE!");
  EXPECT_EQ(eval("=GETCELL(\"BoltSpacing.txt\", 20, \"Pitch\")"), "#VALUE!");
  EXPECT_EQ(eval("=GETCELL(\"Missing.txt\", 20, \"Hole\")"), "#VALUE!");
  EXPECT_EQ(eval("=GETCELL(12, 20)"), "#VALUE!");
  writeData("Comments.txt", "// nothing but comments\n\n");
  EXPECT_EQ(eval("=GETCELL(\"Comments.txt\", 1)"), "#VALUE!");
}

TEST_F(StandardsFunctions, GetCellTakesSixKeys) {
  writeData("Six.txt", "a;b;c;1;2;3.25\tsix\n");
  EXPECT_EQ(eval("=GETCELL(\"Six.txt\", \"a\", \"b\", \"c\", 1, TRUE*2, 3.25)"), "six");
}

// Section tables of the library's prof/ folder: system name, I/O flag,
// the five display languages, then the dimensions.
constexpr const char* kIpeTable =
    "1\n"
    "SysName\tI/O\tEnglish\tDutch\tGerman\tFrench\tKorean\th\tb\ttw\n"
    "IPE80\t1\tIPE 80\tIPE 80\tIPE 80\tIPE 80\tIPE 80\t80\t46\t3.8\n"
    "IPE100\t1\tIPE 100\tIPE 100\tI 100\tIPE 100\tIPE 100\t100\t55\t4.1\n";

TEST_F(StandardsFunctions, SectionFunctions) {
  lib_.write("prof/IPE.pr", kIpeTable);
  EXPECT_EQ(eval("=GETSYSNAME(\"I 100\")"), "IPE100");
  EXPECT_EQ(eval("=GETSYSNAME(\"ipe 80\")"), "IPE80");
  EXPECT_EQ(eval("=GETSYSNAME(\"HEA 100\")"), "HEA 100");  // unknown: the name itself
  EXPECT_EQ(eval("=GETSYSNAME(100)"), "#VALUE!");

  EXPECT_EQ(eval("=SECTIONSIZE(\"IPE 100\", 1)"), "100");
  EXPECT_EQ(eval("=SECTIONSIZE(\"IPE80\", 3.7)"), "3.8");
  EXPECT_EQ(eval("=SECTIONSIZE(\"IPE80\", 4)"), "#VALUE!");  // no such dimension
  EXPECT_EQ(eval("=SECTIONSIZE(\"IPE80\", 0)"), "#VALUE!");
  EXPECT_EQ(eval("=SECTIONSIZE(\"IPE80\", -1E300)"), "#VALUE!");
  EXPECT_EQ(eval("=SECTIONSIZE(\"HEA 100\", 1)"), "#VALUE!");
}

TEST_F(StandardsFunctions, GetProfCellMatchesBySystemName) {
  lib_.write("prof/IPE.pr", kIpeTable);
  writeData("BoltByBeam.txt",
            "IPE 80\t12\n"
            "I 100;S355\t16\n"
            "HEA 100\t20\n");
  EXPECT_EQ(eval("=GETPROFCELL(\"BoltByBeam.txt\", \"IPE80\")"), "12");
  EXPECT_EQ(eval("=GETPROFCELL(\"BoltByBeam.txt\", GETSYSNAME(\"IPE 80\"))"), "12");
  // An entry no table knows keeps its own name.
  EXPECT_EQ(eval("=GETPROFCELL(\"BoltByBeam.txt\", \"HEA 100\")"), "20");
  // The whole first field is one name: with a key part it is no section.
  EXPECT_EQ(eval("=GETPROFCELL(\"BoltByBeam.txt\", \"I 100\", \"S355\")"), "16");
  // GETCELL compares the entries as written.
  EXPECT_EQ(eval("=GETCELL(\"BoltByBeam.txt\", \"IPE80\")"), "#VALUE!");
}

TEST_F(StandardsFunctions, ABatchFindsTheSameLinesThroughItsIndex) {
  // In a batch each table is indexed once; the first matching line still
  // wins, without case, by system name for GETPROFCELL.
  lib_.write("prof/IPE.pr", kIpeTable);
  writeData("Twice.txt", "a;1\tfirst\nA;1\tsecond\nB\nIPE 80\tbeam\n");
  base::FileMemoScope batch;
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(eval("=GETCELL(\"Twice.txt\", \"A\", 1)"), "first");
    EXPECT_EQ(eval("=GETCELL(\"Twice.txt\", \"b\")"), "#VALUE!");  // a line of one field
    EXPECT_EQ(eval("=GETCELL(\"Twice.txt\", \"c\")"), "#VALUE!");
    EXPECT_EQ(eval("=GETCELL(\"Twice.txt\", \"IPE80\")"), "#VALUE!");
    EXPECT_EQ(eval("=GETPROFCELL(\"Twice.txt\", \"ipe80\")"), "beam");
    EXPECT_EQ(eval("=GETPROFCELL(\"Twice.txt\", \"a;1\")"), "first");
  }
}

TEST_F(StandardsFunctions, DataFileSearchOrder) {
  lib_.write("Top.txt", "k\tlibrary\n");
  lib_.write("Connection Standards/Top.txt", "k\tstandards\n");
  EXPECT_EQ(eval("=GETCELL(\"Top.txt\", \"k\")"), "standards");
  writeData("Top.txt", "k\tdata\n");
  // Within a calculation a name is searched once; the next one searches anew.
  EXPECT_EQ(eval("=GETCELL(\"Top.txt\", \"k\")"), "standards");
  registerStandardsFunctions(sheet_);
  EXPECT_EQ(eval("=GETCELL(\"Top.txt\", \"k\")"), "data");
  // A found file that goes away is searched for at once.
  std::filesystem::remove(lib_ / "Connection Standards/Data/Top.txt");
  EXPECT_EQ(eval("=GETCELL(\"Top.txt\", \"k\")"), "standards");
  // A full path is taken as it is.
  lib_.write("elsewhere/Top.txt", "k\tfull path\n");
  EXPECT_EQ(eval("=GETCELL(\"" + lib_.path() + "/elsewhere/Top.txt\", \"k\")"), "full path");
  // The name may carry quotes of its own, and a sub-folder.
  lib_.write("Connection Standards/Data/Sub/Deep.txt", "k\tdeep\n");
  EXPECT_EQ(eval("=GETCELL(\"\"\"Sub/Deep.txt\"\"\", \"k\")"), "deep");
}

TEST_F(StandardsFunctions, ChangedFileIsReadAgain) {
  writeData("Grades.txt", "S235\t235\n");
  EXPECT_EQ(eval("=GETCELL(\"Grades.txt\", \"S235\")"), "235");
  writeData("Grades.txt", "S235\t240\n");  // same size, maybe the same second
  EXPECT_EQ(eval("=GETCELL(\"Grades.txt\", \"S235\")"), "240");
  std::filesystem::remove(lib_ / "Connection Standards/Data/Grades.txt");
  EXPECT_EQ(eval("=GETCELL(\"Grades.txt\", \"S235\")"), "#VALUE!");
}

// Flat bars in two thicknesses, one width in every thickness.
constexpr const char* kFlatBars =
    "/* width x thickness */\n"
    "60x6\n"
    "100 x 6 // wide\n"
    "80x8\n"
    "120x8\n"
    "\n"
    "90\n";

TEST_F(StandardsFunctions, SizeFunctionsPickFromTheirColumn) {
  writeData("FlatBars.txt", kFlatBars);
  // Thickness from the second numbers (the lone width adds 0).
  EXPECT_EQ(eval("=STDTHICKNESSWITHTOLERANCE(\"FlatBars.txt\", 1, 7.2, 1, 1)"), "8");
  EXPECT_EQ(eval("=STDTHICKNESSWITHTOLERANCE(\"FlatBars.txt\", 1, 6.4, 1, 1)"), "6");
  // Width among those stocked in that thickness or in every thickness.
  EXPECT_EQ(eval("=STDWIDTHWITHTOLERANCE(\"FlatBars.txt\", 5, 6, 97, 10, 10)"), "100");
  EXPECT_EQ(eval("=STDWIDTHWITHTOLERANCE(\"FlatBars.txt\", 5, 8, 95, 10, 10)"), "90");
  EXPECT_EQ(eval("=STDWIDTHWITHTOLERANCE(\"FlatBars.txt\", 5, 8, 115, 10, 10)"), "120");
  // Size from the first numbers of every line.
  EXPECT_EQ(eval("=STDSIZEWITHTOLERANCE(\"FlatBars.txt\", 5, 84, 5, 5)"), "80");
  // Nothing within the tolerances: rounded to the step instead.
  EXPECT_EQ(eval("=STDSIZEWITHTOLERANCE(\"FlatBars.txt\", 5, 142, 5, 5)"), "140");
  // A missing file leaves only rounding.
  EXPECT_EQ(eval("=STDSIZEWITHTOLERANCE(\"NoSuchFile.txt\", 5, 142, 5, 5)"), "140");
  // Wrong kinds of arguments fail.
  EXPECT_EQ(eval("=STDSIZEWITHTOLERANCE(1, 5, 142, 5, 5)"), "#VALUE!");
  EXPECT_EQ(eval("=STDTHICKNESSWITHTOLERANCE(\"FlatBars.txt\", 1, \"7\", 1, 1)"), "#VALUE!");
  EXPECT_EQ(eval("=STDWIDTHWITHTOLERANCE(\"FlatBars.txt\", 5, 8, A1, 10, 10)"), "#VALUE!");
}

TEST_F(StandardsFunctions, ToleranceExamples) {
  writeData("Plates.txt", "8\n10\n12\n");
  EXPECT_EQ(eval("=STDSIZEWITHTOLERANCE(\"Plates.txt\", 1, 10.4, 1, 1)"), "10");
  EXPECT_EQ(eval("=STDSIZEWITHTOLERANCE(\"Plates.txt\", 1, 11, 1, 1)"), "10");  // tie: below
  writeData("Wide.txt", "8\n12\n");
  EXPECT_EQ(eval("=STDSIZEWITHTOLERANCE(\"Wide.txt\", 5, 10, 0.5, 0.5)"), "10");
  // Invalid tolerances are only reported; the size is still computed.
  // (Between 11.4 and 11.4 no standard and no multiple fits: the value is
  // kept within the tolerances.)
  EXPECT_EQ(eval("=STDSIZEWITHTOLERANCE(\"Plates.txt\", 1, 10.4, -1, 1)"), "11.4");
}

}  // namespace

namespace {

// The sample library's own data files read as its sheets read them.
class SampleLibraryFunctions : public FunctionsFixture {
 protected:
  void SetUp() override {
    FunctionsFixture::SetUp();
    gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
  }
};

TEST_F(SampleLibraryFunctions, DataFilesAnswer) {
  EXPECT_EQ(eval("=GETCELL(\"BoltSpacing.txt\", 20, \"Pitch\")"), "70");
  EXPECT_EQ(eval("=GETCELL(\"SteelGrades.txt\", \"s355j2\")"), "355");
  EXPECT_EQ(eval("=GETPROFCELL(\"BoltDiameterByBeam.txt\", GETSYSNAME(\"IPE 200\"))"), "16");
  EXPECT_EQ(eval("=SECTIONSIZE(\"IPE 200\", 1)"), "200");
  EXPECT_EQ(eval("=STDTHICKNESSWITHTOLERANCE(\"FlatBars.txt\", 1, 7, 0, 5)"), "8");
  EXPECT_EQ(eval("=STDSIZEWITHTOLERANCE(\"BasePlateSizes.txt\", 10, 305, 0, 40)"), "320");
}

}  // namespace
