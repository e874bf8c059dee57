// The worksheet functions added for engineering sheets, each against values
// worked out by hand.
#include <gtest/gtest.h>

#include "platform/grid/functions/DateSerial.h"
#include "tests/grid/GridTestUtil.h"

using namespace grid;
using gridtest::Case;
using gridtest::eval;
using gridtest::fill;

namespace {
// A1:A6 numbers 3 1 4 1 5 9, B1:B6 labels x y x y x z, C1:C6 10..60,
// D1 a date typed as text.
void check(std::initializer_list<Case> cases) {
  Sheet s;
  fill(s, {{"A1", "3"},
           {"A2", "1"},
           {"A3", "4"},
           {"A4", "1"},
           {"A5", "5"},
           {"A6", "9"},
           {"B1", "x"},
           {"B2", "y"},
           {"B3", "x"},
           {"B4", "y"},
           {"B5", "x"},
           {"B6", "z"},
           {"C1", "10"},
           {"C2", "20"},
           {"C3", "30"},
           {"C4", "40"},
           {"C5", "50"},
           {"C6", "60"},
           {"D1", "2024-03-15"}});
  gridtest::expectValues(s, cases);
}
}  // namespace

TEST(MoreMath, MultiplesDivisorsAndReciprocals) {
  check({{"=MROUND(10,3)", "9"},
         {"=MROUND(-10,-3)", "-9"},
         {"=MROUND(1.3,0.2)", "1.4"},
         {"=MROUND(5,-2)", "#NUM!"},
         {"=QUOTIENT(5,2)", "2"},
         {"=QUOTIENT(-10,3)", "-3"},
         {"=QUOTIENT(1,0)", "#DIV/0!"},
         {"=GCD(24,36)", "12"},
         {"=GCD(5,0)", "5"},
         {"=GCD(-1,2)", "#NUM!"},
         {"=LCM(4,6)", "12"},
         {"=LCM(2,3,4)", "12"},
         {"=LCM(3,0)", "0"},
         {"=SEC(0)", "1"},
         {"=CSC(0)", "#DIV/0!"},
         {"=ROUND(COT(PI()/4),10)", "1"},
         {"=ROUND(CSC(PI()/6),10)", "2"},
         {"=ROUND(SEC(PI()/3),10)", "2"},
         {"=SECH(0)", "1"},
         {"=CSCH(0)", "#DIV/0!"},
         {"=COTH(0)", "#DIV/0!"},
         {"=ROUND(COTH(1),6)", "1.313035"},
         {"=ISEVEN(2.5)", "TRUE"},
         {"=ISODD(-3)", "TRUE"},
         {"=ISEVEN(\"x\")", "#VALUE!"}});
}

TEST(MoreMath, CeilingAndFloorFamilies) {
  check({{"=CEILING.MATH(4.3)", "5"},
         {"=CEILING.MATH(-4.3)", "-4"},
         {"=CEILING.MATH(-4.3,1,1)", "-5"},
         {"=CEILING.MATH(24.3,5)", "25"},
         {"=FLOOR.MATH(-4.3)", "-5"},
         {"=FLOOR.MATH(-4.3,1,1)", "-4"},
         {"=FLOOR.MATH(24.3,5)", "20"},
         {"=CEILING.PRECISE(-4.3,2)", "-4"},
         {"=FLOOR.PRECISE(-3.2,-1)", "-4"},
         {"=ISO.CEILING(4.3,-2)", "6"},
         {"=CEILING.MATH(0.3,0.1)", "0.3"}});
}

TEST(MoreLogical, ChoicesAndParity) {
  check({{"=IFNA(NA(),\"x\")", "x"},
         {"=IFNA(1/0,\"x\")", "#DIV/0!"},
         {"=IFS(1>2,\"a\",2>1,\"b\")", "b"},
         {"=IFS(FALSE,1)", "#N/A"},
         {"=SWITCH(2,1,\"one\",2,\"two\")", "two"},
         {"=SWITCH(3,1,\"one\",\"none\")", "none"},
         {"=SWITCH(3,1,\"one\")", "#N/A"},
         {"=XOR(TRUE,TRUE)", "FALSE"},
         {"=XOR(TRUE,FALSE,TRUE,TRUE)", "TRUE"},
         {"=XOR(A1:A2>2)", "TRUE"}});
}

TEST(MoreText, FormatsIntoLabels) {
  check({{"=TEXT(1234.567,\"#,##0.00\")", "1,234.57"},
         {"=TEXT(0.285,\"0.0%\")", "28.5%"},
         {"=TEXT(5,\"000\")", "005"},
         {"=TEXT(-5,\"0;(0)\")", "(5)"},
         {"=TEXT(-5,\"0.0\")", "-5.0"},
         {"=TEXT(0,\"0;-0;\"\"zero\"\"\")", "zero"},
         {"=TEXT(1234567,\"#,##0,\")", "1,235"},
         {"=TEXT(12345.678,\"0.00E+00\")", "1.23E+04"},
         {"=TEXT(0.5,\".00\")", ".50"},
         {"=TEXT(12.5,\".00\")", "12.50"},
         {"=TEXT(3.14159,\"#.##\")", "3.14"},
         {"=TEXT(5551234,\"000-0000\")", "555-1234"},
         {"=TEXT(1234,\"General\")", "1234"},
         {"=TEXT(\"abc\",\"0.00\")", "abc"},
         {"=TEXT(\"abc\",\"0;0;0;\"\"<\"\"@\"\">\"\"\")", "<abc>"},
         {"=TEXT(\"12.5\",\"0.00\")", "12.50"},
         {"=TEXT(45292,\"yyyy-mm-dd\")", "2024-01-01"},
         {"=TEXT(45292.75,\"dddd d mmmm yyyy h:mm AM/PM\")", "Monday 1 January 2024 6:00 PM"},
         {"=TEXT(0.75,\"h:mm:ss\")", "18:00:00"},
         {"=TEXT(0.5,\"[h]:mm\")", "12:00"},
         {"=TEXT(1.5,\"[h]\")", "36"},
         {"=TEXT(45292,\"ddd mmm d\")", "Mon Jan 1"},
         {"=TEXT(-1,\"yyyy\")", "#VALUE!"}});
}

TEST(MoreText, JoinsNumbersAndNumerals) {
  check({{"=CONCAT(B1:B3,\"-\",1)", "xyx-1"},
         {"=TEXTJOIN(\",\",TRUE,B1:B3,\"\",A1)", "x,y,x,3"},
         {"=TEXTJOIN(\"-\",FALSE,\"a\",\"\",\"b\")", "a--b"},
         {"=TEXTJOIN(\",\",FALSE,E1:E2)", ","},
         {"=NUMBERVALUE(\"2.500,27\",\",\",\".\")", "2500.27"},
         {"=NUMBERVALUE(\"3.5%\")", "0.035"},
         {"=NUMBERVALUE(\"\")", "0"},
         {"=NUMBERVALUE(\"1.2.3\")", "#VALUE!"},
         {"=DOLLAR(1234.567)", "$1,234.57"},
         {"=DOLLAR(-0.5,0)", "($1)"},
         {"=DOLLAR(1234.567,-2)", "$1,200"},
         {"=ROMAN(499)", "CDXCIX"},
         {"=ROMAN(499,1)", "LDVLIV"},
         {"=ROMAN(499,2)", "XDIX"},
         {"=ROMAN(499,3)", "VDIV"},
         {"=ROMAN(499,4)", "ID"},
         {"=ROMAN(1999,2)", "MXMIX"},
         {"=ROMAN(2024)", "MMXXIV"},
         {"=ROMAN(0)", ""},
         {"=ROMAN(4000)", "#VALUE!"},
         {"=ARABIC(\"MCMXCIV\")", "1994"},
         {"=ARABIC(\"mmxxiv\")", "2024"},
         {"=ARABIC(\"-IV\")", "-4"},
         {"=ARABIC(\"\")", "0"},
         {"=ARABIC(\"ABC\")", "#VALUE!"}});
}

TEST(MoreStatistics, OrderAndSpread) {
  check({{"=LARGE(A1:A6,2)", "5"},
         {"=SMALL(A1:A6,3)", "3"},
         {"=LARGE(A1:A6,7)", "#NUM!"},
         {"=LARGE({3,1,4},1)", "4"},
         {"=RANK(4,A1:A6)", "3"},
         {"=RANK(4,A1:A6,1)", "4"},
         {"=RANK(1,A1:A6)", "5"},
         {"=RANK(2,A1:A6)", "#N/A"},
         {"=PERCENTILE(A1:A6,0.5)", "3.5"},
         {"=PERCENTILE(A1:A6,0.3)", "2"},
         {"=PERCENTILE(A1:A6,1.5)", "#NUM!"},
         {"=QUARTILE(A1:A6,1)", "1.5"},
         {"=QUARTILE(A1:A6,4)", "9"},
         {"=QUARTILE(A1:A6,5)", "#NUM!"},
         {"=STDEVP({2,4,4,4,5,5,7,9})", "2"},
         {"=VARP({2,4,4,4,5,5,7,9})", "4"},
         {"=ROUND(STDEV.S({2,4,4,4,5,5,7,9}),6)", "2.13809"},
         {"=VARP(E1:E3)", "#DIV/0!"},
         {"=MODE(A1:A6)", "1"},
         {"=MODE({1,2,2,3,3})", "2"},
         {"=MODE({1,2,3})", "#N/A"}});
}

TEST(ConditionalFunctions, SumsCountsAveragesAndExtremes) {
  check({{"=SUMIFS(C1:C6,B1:B6,\"x\")", "90"},
         {"=SUMIFS(C1:C6,B1:B6,\"x\",A1:A6,\">3\")", "80"},
         {"=SUMIFS(C1:C6,B1:B6,\"?\")", "210"},
         {"=COUNTIFS(B1:B6,\"y\",A1:A6,1)", "2"},
         {"=COUNTIFS(B1:B6,\"x\",A1:A6,\">3\")", "2"},
         {"=COUNTIFS(E1:E4,\"\")", "4"},
         {"=COUNTIFS(B1:B6,\"x\",A1:A5,\">3\")", "#VALUE!"},
         {"=AVERAGEIF(B1:B6,\"x\",C1:C6)", "30"},
         {"=AVERAGEIF(A1:A6,\">3\")", "6"},
         {"=AVERAGEIF(A1:A6,\">100\")", "#DIV/0!"},
         {"=AVERAGEIFS(C1:C6,B1:B6,\"<>z\")", "30"},
         {"=MAXIFS(C1:C6,B1:B6,\"y\")", "40"},
         {"=MINIFS(C1:C6,B1:B6,\"x\")", "10"},
         {"=MAXIFS(C1:C6,B1:B6,\"q\")", "0"}});
}

TEST(MoreLookup, XLookupXMatchAndReferencesMadeFromText) {
  check({{"=XLOOKUP(\"z\",B1:B6,C1:C6)", "60"},
         {"=XLOOKUP(\"q\",B1:B6,C1:C6,\"none\")", "none"},
         {"=XLOOKUP(\"q\",B1:B6,C1:C6)", "#N/A"},
         {"=XLOOKUP(\"x\",B1:B6,C1:C6,,0,-1)", "50"},
         {"=XLOOKUP(6,A1:A6,C1:C6,,-1)", "50"},
         {"=XLOOKUP(6,A1:A6,C1:C6,,1)", "60"},
         {"=XLOOKUP(2,{1,2,3},{\"a\",\"b\",\"c\"})", "b"},
         {"=XLOOKUP(\"y*\",B1:B6,C1:C6,,2)", "20"},
         {"=SUM(XLOOKUP(\"y\",B1:B6,A1:C6))", "21"},
         {"=XMATCH(4,A1:A6)", "3"},
         {"=XMATCH(5,{1,3,5,7},0,2)", "3"},
         {"=XMATCH(6,{1,3,5,7},1)", "4"},
         {"=XMATCH(6,{1,3,5,7},-1)", "3"},
         {"=XMATCH(6,{1,3,5,7},-1,2)", "3"},
         {"=ADDRESS(2,3)", "$C$2"},
         {"=ADDRESS(2,3,2)", "C$2"},
         {"=ADDRESS(2,3,4,FALSE)", "R[2]C[3]"},
         {"=ADDRESS(2,3,1,FALSE)", "R2C3"},
         {"=ADDRESS(1,1,1,TRUE,\"My Sheet\")", "'My Sheet'!$A$1"},
         {"=ADDRESS(0,1)", "#VALUE!"},
         {"=INDIRECT(\"C2\")", "20"},
         {"=SUM(INDIRECT(\"A1:A3\"))", "8"},
         {"=INDIRECT(\"R3C1\",FALSE)", "4"},
         {"=INDIRECT(\"nonsense\")", "#REF!"},
         {"=SUM(INDIRECT(\"C:C\"))", "210"},
         {"=OFFSET(A1,2,2)", "30"},
         {"=SUM(OFFSET(A1,0,2,3,1))", "60"},
         {"=SUM(OFFSET(C3,0,0,-2))", "50"},
         {"=OFFSET(A1,-1,0)", "#REF!"}});
}

TEST(DateFunctions, The1900DateSystem) {
  check({{"=DATE(2024,1,1)", "45292"},
         {"=DATE(1900,1,1)", "1"},
         {"=DATE(1900,2,29)", "60"},
         {"=DATE(1900,3,1)", "61"},
         {"=DATE(2023,14,1)", "45323"},
         {"=DATE(2024,3,0)", "45351"},
         {"=DATE(99,1,1)", "36161"},
         {"=DATE(-1,1,1)", "#NUM!"},
         {"=YEAR(45351)&\"-\"&MONTH(45351)&\"-\"&DAY(45351)", "2024-2-29"},
         {"=MONTH(60)&\"/\"&DAY(60)", "2/29"},
         {"=YEAR(D1)&\"/\"&DAY(D1)", "2024/15"},
         {"=TIME(12,30,0)", "0.520833333333333"},
         {"=TIME(25,0,0)", "0.0416666666666667"},
         {"=HOUR(0.75)", "18"},
         {"=MINUTE(TIME(1,2,3))&\":\"&SECOND(TIME(1,2,3))", "2:3"},
         {"=HOUR(\"14:30\")", "14"},
         {"=EDATE(DATE(2024,1,31),1)", "45351"},
         {"=EOMONTH(DATE(2024,1,15),1)", "45351"},
         {"=EOMONTH(DATE(2024,1,15),-1)", "45291"}});
}

TEST(DateFunctions, DifferencesWeekdaysAndTypedDates) {
  check({{"=DATEDIF(DATE(2020,5,15),DATE(2024,3,10),\"Y\")", "3"},
         {"=DATEDIF(DATE(2020,5,15),DATE(2024,3,10),\"M\")", "45"},
         {"=DATEDIF(DATE(2020,5,15),DATE(2024,3,10),\"D\")", "1395"},
         {"=DATEDIF(DATE(2020,5,15),DATE(2024,3,10),\"YM\")", "9"},
         {"=DATEDIF(DATE(2020,5,15),DATE(2024,3,10),\"MD\")", "24"},
         {"=DATEDIF(DATE(2020,5,15),DATE(2024,3,10),\"YD\")", "300"},
         {"=DATEDIF(DATE(2024,1,2),DATE(2024,1,1),\"D\")", "#NUM!"},
         {"=WEEKDAY(DATE(2024,1,1))", "2"},
         {"=WEEKDAY(DATE(2024,1,1),2)", "1"},
         {"=WEEKDAY(DATE(2024,1,1),3)", "0"},
         {"=WEEKDAY(DATE(2024,1,7),11)", "7"},
         {"=WEEKDAY(1)", "1"},
         {"=WEEKDAY(45292,5)", "#NUM!"},
         {"=DAYS(DATE(2024,3,1),DATE(2024,2,1))", "29"},
         {"=DAYS(\"2024-03-01\",\"2024-02-01\")", "29"},
         {"=DATEVALUE(\"2024-03-15\")", "45366"},
         {"=DATEVALUE(\"3/15/2024\")", "45366"},
         {"=DATEVALUE(\"15-Mar-2024\")", "45366"},
         {"=DATEVALUE(\"March 15, 2024\")", "45366"},
         {"=DATEVALUE(\"15 March 2024\")", "45366"},
         {"=DATEVALUE(\"1900-02-29\")", "60"},
         {"=DATEVALUE(\"2024-02-30\")", "#VALUE!"},
         {"=TODAY()=INT(TODAY())", "TRUE"},
         {"=NOW()>=TODAY()", "TRUE"}});
}

// Day numbers and dates agree both ways across the invented leap day and
// the century years.
TEST(DateFunctions, SerialsRoundTrip) {
  for (double s : {1.0, 59.0, 60.0, 61.0, 366.0, 36525.0, 36586.0, 45351.0, 2958465.0}) {
    CivilDate d = dateOf(s);
    EXPECT_EQ(serialOf(d.year, d.month, d.day), s) << s;
  }
  EXPECT_EQ(serialOf(9999, 12, 31), kLastDaySerial);
}
