#include <gtest/gtest.h>

#include "platform/grid/formula/Parser.h"
#include "tests/grid/GridTestUtil.h"

using namespace grid;
using gridtest::eval;
using gridtest::fill;

TEST(FormulaSyntax, OperatorsFollowSpreadsheetPrecedence) {
  Sheet s;
  EXPECT_EQ(eval(s, "=1+2*3"), "7");
  EXPECT_EQ(eval(s, "=(1+2)*3"), "9");
  EXPECT_EQ(eval(s, "=-2^2"), "4");    // the sign binds tighter than ^
  EXPECT_EQ(eval(s, "=2^3^2"), "64");  // left to right
  EXPECT_EQ(eval(s, "=10-4-3"), "3");
  EXPECT_EQ(eval(s, "=1+2&3"), "33");
  EXPECT_EQ(eval(s, "=1+2=3"), "TRUE");
  EXPECT_EQ(eval(s, "=50%"), "0.5");
  EXPECT_EQ(eval(s, "=200%%"), "0.02");
  EXPECT_EQ(eval(s, "=--3"), "3");
  EXPECT_EQ(eval(s, "=+\"a\""), "a");
  EXPECT_EQ(eval(s, "=3<>4"), "TRUE");
  EXPECT_EQ(eval(s, "=3<=3"), "TRUE");
  EXPECT_EQ(eval(s, "=3>=4"), "FALSE");
  EXPECT_EQ(eval(s, "1.5e2 + .5"), "150.5");  // "=" is optional
}

TEST(FormulaSyntax, TextLiteralsBooleansAndErrors) {
  Sheet s;
  EXPECT_EQ(eval(s, "=\"say \"\"hi\"\"\""), "say \"hi\"");
  EXPECT_EQ(eval(s, "=\"\""), "");
  EXPECT_EQ(eval(s, "=true"), "TRUE");
  EXPECT_EQ(eval(s, "=FALSE()"), "FALSE");
  EXPECT_EQ(eval(s, "=#N/A"), "#N/A");
  EXPECT_EQ(eval(s, "=#div/0!+1"), "#DIV/0!");
  EXPECT_EQ(eval(s, "=UnknownName"), "#NAME?");
  EXPECT_EQ(eval(s, "=NOSUCHFUNCTION(1)"), "#NAME?");
}

TEST(FormulaSyntax, ReferencesInBothStyles) {
  Sheet s;
  fill(s, {{"A1", "1"}, {"B1", "2"}, {"A2", "3"}, {"B2", "4"}, {"C3", "10"}});
  EXPECT_EQ(eval(s, "=A1+$B$1+B$2+$A2", 3, 3), "10");
  EXPECT_EQ(eval(s, "=SUM(A1:B2)", 3, 3), "10");
  EXPECT_EQ(eval(s, "=SUM(B2:A1)", 3, 3), "10");  // corners in any order
  EXPECT_EQ(eval(s, "=R1C1+R2C2", 5, 5), "5");
  EXPECT_EQ(eval(s, "=R[-2]C[-2]", 5, 5), "10");  // relative to the formula's cell E5
  EXPECT_EQ(eval(s, "=SUM(R1C1:R2C2)", 5, 5), "10");
  EXPECT_EQ(eval(s, "=rc[-2]", 5, 3), "10");
  EXPECT_EQ(eval(s, "=R[-10]C", 5, 5), "#REF!");  // above row 1
  EXPECT_EQ(eval(s, "=Z99", 5, 5), "0");          // an empty cell reads 0
}

TEST(FormulaSyntax, NamesFollowedByParenthesesAreCalls) {
  Sheet s;
  fill(s, {{"A1", "100"}});
  EXPECT_EQ(eval(s, "=LOG10(A1)"), "2");  // not the cell LOG10
  EXPECT_EQ(eval(s, "=log10 (A1)"), "2");
  EXPECT_EQ(eval(s, "=atan2(1,1)*4"), "3.14159265358979");
}

struct BadFormula {
  const char* text;
  std::size_t position;
  const char* fragment;
};

TEST(FormulaSyntax, FaultsAreRefusedWithTheirPosition) {
  const BadFormula cases[] = {
      {"=1+", 3, "ends where a value"},     {"=(1+2", 5, "\")\" expected"},
      {"=1+2)", 4, "unbalanced"},           {"=\"abc", 1, "closing quote"},
      {"=SUM(1,2", 8, "expected"},          {"=ROUND(1)", 1, "ROUND takes 2 arguments"},
      {"=IF(1)", 1, "IF takes 2 to 3"},     {"=1 2", 3, "operator expected"},
      {"=A1:", 4, "reference must follow"}, {"=$", 1, "outside a cell reference"},
      {"=1+#FOO", 3, "unknown error"},      {"=", 0, "empty"},
      {"=3@4", 2, "unexpected character"},
  };
  for (const BadFormula& c : cases) {
    FormulaParser p;
    CompiledFormula f;
    CompileError e;
    EXPECT_FALSE(p.compile(c.text, 1, 1, f, &e)) << c.text;
    EXPECT_EQ(e.position, c.position) << c.text << ": " << e.message;
    EXPECT_NE(e.message.find(c.fragment), std::string::npos) << c.text << ": " << e.message;
  }
}

TEST(FormulaSyntax, NumberLiteralsBeyondTheRangeOfADouble) {
  Sheet s;
  // Too small reads as 0, as the common spreadsheet programs read it.
  EXPECT_EQ(eval(s, "=1E-400"), "0");
  EXPECT_EQ(eval(s, "=1+0.00001e-320"), "1");
  // Too large cannot be held: the formula is refused, naming the literal's place.
  FormulaParser p;
  CompiledFormula f;
  CompileError e;
  EXPECT_FALSE(p.compile("=2*1E400", 1, 1, f, &e));
  EXPECT_EQ(e.position, std::size_t{3});
  EXPECT_NE(e.message.find("out of range"), std::string::npos) << e.message;
}

TEST(FormulaSyntax, NestingAndLengthAreBounded) {
  FormulaParser p;
  CompiledFormula f;
  CompileError e;
  std::string deep = "=" + std::string(100, '(') + "1" + std::string(100, ')');
  EXPECT_FALSE(p.compile(deep, 1, 1, f, &e));
  EXPECT_NE(e.message.find("nests deeper"), std::string::npos);
  std::string ok = "=" + std::string(90, '(') + "1" + std::string(90, ')');
  EXPECT_TRUE(p.compile(ok, 1, 1, f, &e)) << e.message;
  EXPECT_FALSE(p.compile("=" + std::string(100000, '-') + "1", 1, 1, f, &e));
  EXPECT_FALSE(p.compile("=1" + std::string(9000, '+'), 1, 1, f, &e));
  EXPECT_NE(e.message.find("longer than"), std::string::npos);
  std::string calls = "=";
  for (int i = 0; i < 200; ++i) calls += "ABS(";
  calls += "1" + std::string(200, ')');
  EXPECT_FALSE(p.compile(calls, 1, 1, f, &e));
}

TEST(FormulaSyntax, TextIsKeptAsWritten) {
  Sheet s;
  s.setMaxCols(3);
  s.setMaxRows(3);
  ASSERT_TRUE(s.setFormula(1, 1, "  = sum( B1 , 2 ) "));
  EXPECT_EQ(s.getFormula(1, 1), "sum( B1 , 2 )");
  EXPECT_FALSE(s.setFormula(1, 2, "=1+"));
  EXPECT_EQ(s.lastError().position, 3u);
  EXPECT_FALSE(s.setFormula(0, 1, "=1"));  // no formulas in headers
}

TEST(Coercion, ValuesChangeKindAsInSpreadsheets) {
  Sheet s;
  fill(s, {{"A1", "5"}, {"A2", "text"}, {"A3", "TRUE"}, {"A5", "=1=1"}});
  EXPECT_EQ(eval(s, "=\"1\"+1"), "2");
  EXPECT_EQ(eval(s, "=TRUE+1"), "2");
  EXPECT_EQ(eval(s, "=A4+1"), "1");      // empty is 0
  EXPECT_EQ(eval(s, "=A4&\"x\""), "x");  // and ""
  EXPECT_EQ(eval(s, "=A2+1"), "#VALUE!");
  EXPECT_EQ(eval(s, "=\" 2.5 \"*2"), "5");
  EXPECT_EQ(eval(s, "=A1&A5"), "5TRUE");
  EXPECT_EQ(eval(s, "=1/0"), "#DIV/0!");
  EXPECT_EQ(eval(s, "=0^0"), "#NUM!");
  EXPECT_EQ(eval(s, "=10^400"), "#NUM!");
  EXPECT_EQ(eval(s, "=(1/0)+\"x\""), "#DIV/0!");  // the left error wins
}

TEST(Coercion, ComparisonsOrderNumbersTextAndBooleans) {
  Sheet s;
  EXPECT_EQ(eval(s, "=\"abc\"=\"ABC\""), "TRUE");
  EXPECT_EQ(eval(s, "=\"a\"<\"B\""), "TRUE");
  EXPECT_EQ(eval(s, "=1<\"0\""), "TRUE");  // numbers sort before text
  EXPECT_EQ(eval(s, "=\"z\"<TRUE"), "TRUE");
  EXPECT_EQ(eval(s, "=Q1=0"), "TRUE");
  EXPECT_EQ(eval(s, "=Q1=\"\""), "TRUE");
  EXPECT_EQ(eval(s, "=Q1=FALSE"), "TRUE");
  EXPECT_EQ(eval(s, "=1=\"1\""), "FALSE");
}

TEST(Evaluation, OnlyTheBranchTakenRuns) {
  Sheet s;
  s.setMaxCols(1);
  s.setMaxRows(1);
  int calls = 0;
  s.addCustomFunctionExt("COUNTED", 0, 0, [&](ValueRecord& r, std::span<const ValueRecord>) {
    ++calls;
    r = ValueRecord::makeDouble(1);
    return true;
  });
  auto once = [&](const char* f) {  // setFormula computes the cell once
    EXPECT_TRUE(s.setFormula(1, 1, f)) << f;
    return s.getValue(1, 1);
  };
  EXPECT_EQ(once("=IF(1>0, 5, COUNTED())"), "5");
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(once("=IF(1<0, 5, COUNTED()+1)"), "2");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(once("=IF(1<0, 5)"), "FALSE");
  EXPECT_EQ(once("=IF(TRUE,,5)"), "0");
  EXPECT_EQ(once("=IF(1/0, 1, 2)"), "#DIV/0!");
  EXPECT_EQ(once("=IF(\"x\", 1, 2)"), "#VALUE!");
  EXPECT_EQ(once("=IFERROR(1/0, \"none\")"), "none");
  EXPECT_EQ(once("=IFERROR(7, COUNTED())"), "7");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(once("=IF(IF(1,0,1), \"a\", IF(0, \"b\", \"c\"))"), "c");
}
