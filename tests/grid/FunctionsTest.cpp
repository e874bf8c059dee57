#include <gtest/gtest.h>

#include "tests/grid/GridTestUtil.h"

using namespace grid;
using gridtest::Case;
using gridtest::eval;
using gridtest::fill;

namespace {
// A1:A6 numbers and text, B1:B3 a small table, C column text.
void sample(Sheet& s) {
  fill(s, {{"A1", "10"},
           {"A2", "20"},
           {"A3", "text"},
           {"A4", "30"},
           {"A6", "=TRUE"},
           {"B1", "apple"},
           {"B2", "Banana"},
           {"B3", "cherry"},
           {"C1", "1"},
           {"C2", "2"},
           {"C3", "3"},
           {"D1", "1"},
           {"D2", "3"},
           {"D3", "5"},
           {"D4", "7"},
           {"E1", "a"},
           {"E2", "b"},
           {"E3", "c"},
           {"E4", "d"}});
}

void check(std::initializer_list<Case> cases) {
  Sheet s;
  sample(s);
  gridtest::expectValues(s, cases);
}
}  // namespace

TEST(MathFunctions, UsualSemantics) {
  check({{"=ABS(-3)", "3"},
         {"=SQRT(16)", "4"},
         {"=SQRT(-1)", "#NUM!"},
         {"=MOD(-1,3)", "2"},
         {"=MOD(1,-3)", "-2"},
         {"=MOD(5.5,2)", "1.5"},
         {"=MOD(1,0)", "#DIV/0!"},
         {"=POWER(2,10)", "1024"},
         {"=PI()", "3.14159265358979"},
         {"=LN(EXP(2))", "2"},
         {"=LOG(8,2)", "3"},
         {"=LOG(100)", "2"},
         {"=LOG(0)", "#NUM!"},
         {"=FACT(5)", "120"},
         {"=FACT(-1)", "#NUM!"},
         {"=COMBIN(5,2)", "10"},
         {"=COMBIN(2,5)", "#NUM!"},
         {"=SIGN(-2)", "-1"},
         {"=DEGREES(PI())", "180"},
         {"=RADIANS(180)", "3.14159265358979"},
         {"=ACOS(2)", "#NUM!"},
         {"=ATANH(1)", "#NUM!"},
         {"=ACOSH(1)", "0"},
         {"=ROUND(SIN(PI()/2),10)", "1"},
         {"=ATAN2(0,0)", "#DIV/0!"},
         {"=COS(0)+COSH(0)+TANH(0)+SINH(0)+TAN(0)+ASIN(0)+ASINH(0)+ATAN(0)", "2"}});
}

// The ^ operator and POWER share one rule for zero bases and overflow.
TEST(MathFunctions, PowerAndTheOperatorAgree) {
  check({{"=0^0", "#NUM!"},
         {"=POWER(0,0)", "#NUM!"},
         {"=0^-1", "#DIV/0!"},
         {"=POWER(0,-1)", "#DIV/0!"},
         {"=10^400", "#NUM!"},
         {"=POWER(10,400)", "#NUM!"},
         {"=(-8)^(1/3)", "#NUM!"},
         {"=POWER(-8,1/3)", "#NUM!"},
         {"=\"2\"^3", "8"},
         {"=POWER(\"2\",3)", "8"}});
}

// The kinds of a table row: the last one repeats over further arguments, and
// a Text argument takes numbers and truth values as their texts.
TEST(TextFunctions, LastArgumentKindRepeats) {
  check({{"=CONCATENATE(1,TRUE,\"x\",2.5)", "1TRUEx2.5"},
         {"=CONCATENATE(A1,A3,1/0)", "#DIV/0!"},
         {"=SUBSTITUTE(1234,2,9)", "1934"}});
}

TEST(MathFunctions, SumsTakeNumbersFromReferences) {
  check({{"=SUM(A1:A6)", "60"},               // text and booleans in references are skipped
         {"=SUM(A1:A6, TRUE, \"2\")", "63"},  // given directly they count
         {"=SUM(\"x\")", "#VALUE!"},
         {"=SUM(A1, 1/0)", "#DIV/0!"},
         {"=PRODUCT(A1:A2)", "200"},
         {"=PRODUCT(Z1:Z3)", "0"},
         {"=SUMSQ(3,4)", "25"},
         {"=SUMPRODUCT(C1:C3,D1:D3)", "22"},
         {"=SUMPRODUCT(C1:C3,D1:D2)", "#VALUE!"},
         {"=SUMIF(A1:A4,\">15\")", "50"},
         {"=SUMIF(B1:B3,\"b*\",C1:C3)", "2"},
         {"=SUMIF(C1:C3,2,D1:D3)", "3"},
         {"=SUMIF(A1:A5,\"\",C1:C5)", "0"}});
}

TEST(RoundingFunctions, UsualSemantics) {
  check({{"=ROUND(2.5,0)", "3"},
         {"=ROUND(-2.5,0)", "-3"},
         {"=ROUND(2.675,2)", "2.68"},
         {"=ROUND(1234.5,-2)", "1200"},
         {"=ROUNDUP(3.2,0)", "4"},
         {"=ROUNDUP(-3.2,0)", "-4"},
         {"=ROUNDDOWN(-3.7,0)", "-3"},
         {"=TRUNC(8.9)", "8"},
         {"=TRUNC(-8.9)", "-8"},
         {"=TRUNC(3.14159,3)", "3.141"},
         {"=INT(-8.9)", "-9"},
         {"=INT(8.9)", "8"},
         {"=CEILING(2.5,1)", "3"},
         {"=CEILING(-2.5,-2)", "-4"},
         {"=CEILING(-2.5,2)", "-2"},
         {"=CEILING(2.5,-2)", "#NUM!"},
         {"=CEILING(1.1,0.1)", "1.1"},
         {"=CEILING(0,5)", "0"},
         {"=FLOOR(2.5,1)", "2"},
         {"=FLOOR(-2.5,-2)", "-2"},
         {"=FLOOR(-2.5,2)", "-4"},
         {"=FLOOR(2.5,0)", "#DIV/0!"},
         {"=FLOOR(0.3,0.1)", "0.3"},
         {"=EVEN(1.5)", "2"},
         {"=EVEN(3)", "4"},
         {"=EVEN(-1)", "-2"},
         {"=EVEN(0)", "0"},
         {"=ODD(2)", "3"},
         {"=ODD(0)", "1"},
         {"=ODD(-1.5)", "-3"}});
}

TEST(TextFunctions, UsualSemantics) {
  check({{"=LEFT(\"abc\",2)", "ab"},
         {"=LEFT(\"abc\")", "a"},
         {"=RIGHT(\"abc\",5)", "abc"},
         {"=LEFT(\"abc\",-1)", "#VALUE!"},
         {"=MID(\"abcdef\",2,3)", "bcd"},
         {"=MID(\"abc\",5,2)", ""},
         {"=MID(\"abc\",0,2)", "#VALUE!"},
         {"=LEN(\"abc\")", "3"},
         {"=LEN(12.5)", "4"},
         {"=LOWER(\"AbC\")", "abc"},
         {"=UPPER(\"abc\")", "ABC"},
         {"=PROPER(\"hello wORLD-x\")", "Hello World-X"},
         {"=TRIM(\"  a   b  \")", "a b"},
         {"=CONCATENATE(\"a\",1,TRUE)", "a1TRUE"},
         {"=EXACT(\"a\",\"A\")", "FALSE"},
         {"=EXACT(\"a\",\"a\")", "TRUE"},
         {"=FIND(\"b\",\"abcb\")", "2"},
         {"=FIND(\"b\",\"abcb\",3)", "4"},
         {"=FIND(\"B\",\"abc\")", "#VALUE!"},
         {"=SEARCH(\"B\",\"abc\")", "2"},
         {"=SEARCH(\"b?d\",\"abcd\")", "2"},
         {"=SEARCH(\"a*d\",\"xxabcd\")", "3"},
         {"=SEARCH(\"~*\",\"a*b\")", "2"},
         {"=SEARCH(\"z\",\"abc\")", "#VALUE!"},
         {"=REPLACE(\"abcdef\",2,3,\"X\")", "aXef"},
         {"=SUBSTITUTE(\"a-b-c\",\"-\",\"+\")", "a+b+c"},
         {"=SUBSTITUTE(\"a-b-c\",\"-\",\"+\",2)", "a-b+c"},
         {"=REPT(\"ab\",3)", "ababab"},
         {"=REPT(\"x\",-1)", "#VALUE!"},
         {"=LEN(REPT(\"x\",40000))", "#VALUE!"},
         {"=LEN(REPT(\"\",4E+110))", "0"},
         {"=CHAR(65)", "A"},
         {"=CHAR(0)", "#VALUE!"},
         {"=CODE(\"A\")", "65"},
         {"=CLEAN(CHAR(7)&\"a\")", "a"},
         {"=T(\"a\")&T(1)", "a"},
         {"=VALUE(\"1.5\")", "1.5"},
         {"=VALUE(\"x\")", "#VALUE!"},
         {"=FIXED(1234.567)", "1,234.57"},
         {"=FIXED(1234.567,1,TRUE)", "1234.6"},
         {"=FIXED(1234.5,-2)", "1,200"},
         {"=FIXED(-0.5,0)", "-1"}});
}

TEST(LookupFunctions, UsualSemantics) {
  check({{"=VLOOKUP(2,C1:D3,2,FALSE)", "3"},
         {"=VLOOKUP(2.5,C1:D3,2)", "3"},
         {"=VLOOKUP(0,C1:D3,2)", "#N/A"},
         {"=VLOOKUP(9,C1:D3,2,FALSE)", "#N/A"},
         {"=VLOOKUP(2,C1:D3,3,FALSE)", "#REF!"},
         {"=VLOOKUP(2,C1:D3,0)", "#VALUE!"},
         {"=VLOOKUP(\"BANANA\",B1:C3,2,FALSE)", "2"},
         {"=VLOOKUP(\"ch*\",B1:C3,2,FALSE)", "3"},
         {"=HLOOKUP(1,D1:E4,2)", "3"},
         {"=MATCH(5,D1:D4,0)", "3"},
         {"=MATCH(6,D1:D4)", "3"},
         {"=MATCH(0,D1:D4)", "#N/A"},
         {"=MATCH(\"c\",E1:E4,0)", "3"},
         {"=MATCH(4,D4:D1,-1)", "#N/A"},
         {"=INDEX(C1:D3,2,2)", "3"},
         {"=INDEX(E1:E4,4)", "d"},
         {"=INDEX(C1:D3,4,1)", "#REF!"},
         {"=SUM(INDEX(C1:D3,0,2))", "9"},
         {"=LOOKUP(4,D1:D4,E1:E4)", "b"},
         {"=LOOKUP(7,D1:D4)", "7"},
         {"=CHOOSE(2,\"a\",\"b\",\"c\")", "b"},
         {"=CHOOSE(4,1,2,3)", "#VALUE!"},
         {"=SUM(CHOOSE(1,C1:C3,D1:D3))", "6"},
         {"=ROW(C7)", "7"},
         {"=COLUMN(C7)", "3"},
         {"=ROWS(C1:D3)", "3"},
         {"=COLUMNS(C1:D3)", "2"},
         {"=ROW()", "30"},
         {"=COLUMNS(5)", "#VALUE!"}});
}

TEST(InformationFunctions, UsualSemantics) {
  check({{"=ISBLANK(A5)", "TRUE"},
         {"=ISBLANK(A1)", "FALSE"},
         {"=ISERR(NA())", "FALSE"},
         {"=ISERR(1/0)", "TRUE"},
         {"=ISERROR(NA())", "TRUE"},
         {"=ISNA(NA())", "TRUE"},
         {"=ISLOGICAL(A6)", "TRUE"},
         {"=ISNONTEXT(A5)", "TRUE"},
         {"=ISNUMBER(A1)", "TRUE"},
         {"=ISNUMBER(\"1\")", "FALSE"},
         {"=ISTEXT(A3)", "TRUE"},
         {"=N(A6)", "1"},
         {"=N(\"7\")", "0"},
         {"=TYPE(1)", "1"},
         {"=TYPE(\"a\")", "2"},
         {"=TYPE(TRUE)", "4"},
         {"=TYPE(1/0)", "16"},
         {"=TYPE(A1:A2)", "64"},
         {"=NA()", "#N/A"}});
}

TEST(StatisticsFunctions, UsualSemantics) {
  check({{"=AVERAGE(A1:A6)", "20"},
         {"=AVERAGE(Z1:Z2)", "#DIV/0!"},
         {"=COUNT(A1:A6)", "3"},
         {"=COUNT(1,\"2\",\"x\",TRUE)", "3"},
         {"=COUNTA(A1:A6)", "5"},
         {"=COUNTA(1,\"\")", "2"},
         {"=COUNTBLANK(A1:A6)", "1"},
         {"=COUNTIF(A1:A6,\">=20\")", "2"},
         {"=COUNTIF(B1:B3,\"*an*\")", "1"},
         {"=COUNTIF(A1:A6,\"\")", "1"},
         {"=COUNTIF(A1:A6,\"<>\")", "5"},
         {"=COUNTIF(E1:E4,\"B\")", "1"},
         {"=MAX(A1:A6)", "30"},
         {"=MIN(A1:A6,5)", "5"},
         {"=MAX(Z1:Z3)", "0"},
         {"=MEDIAN(1,3,2,4)", "2.5"},
         {"=MEDIAN(Z1)", "#NUM!"},
         {"=VAR(1,2,3,4)", "1.66666666666667"},
         {"=STDEV(2,4,4,4,5,5,7,9)", "2.1380899352994"},
         {"=STDEV(1)", "#DIV/0!"}});
}

TEST(LogicalFunctions, UsualSemantics) {
  check({{"=AND(TRUE,1)", "TRUE"},
         {"=AND(TRUE,0)", "FALSE"},
         {"=AND(A1:A6)", "TRUE"},
         {"=AND(B1:B3)", "#VALUE!"},
         {"=OR(FALSE,0)", "FALSE"},
         {"=OR(\"true\")", "TRUE"},
         {"=OR(\"x\")", "#VALUE!"},
         {"=NOT(0)", "TRUE"},
         {"=NOT(\"x\")", "#VALUE!"},
         {"=TRUE()", "TRUE"},
         {"=IF(A1>5,\"big\",\"small\")", "big"},
         {"=IFERROR(A3*2,-1)", "-1"}});
}
