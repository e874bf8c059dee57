#include <gtest/gtest.h>

#include "spreadsheet/KvSSDocSettings.h"
#include "spreadsheet/KvSSEditorSettings.h"
#include "spreadsheet/KvSSRecords.h"
#include "tests/spreadsheet/SettingsTestLibrary.h"
#include "tests/spreadsheet/SpreadTestHost.h"

namespace {

// "|" and ";" stand for the separator byte.
Nx_String records(std::string text) {
  for (char& c : text)
    if (c == '|' || c == ';') c = '\xA4';
  return Nx_String(text);
}

void putTag(Nx_Spread& sheet, const Nx_String& tag) {
  sheet.sheet()->setCellTag(0, 0, tag.str());
}

// --- the record format -----------------------------------------------------------

TEST(KvSSRecords, ARecordCutShortYieldsNothing) {
  KvSSRecords r;
  r.parse(records("marginTop|2|8;marginLeft|2|"));
  ASSERT_NE(r.find("marginTop"), nullptr);
  EXPECT_EQ(r.find("marginTop")->l, 8);
  EXPECT_EQ(r.find("marginLeft"), nullptr);
}

TEST(KvSSRecords, AnUnknownTypeStoresAnEmptyValue) {
  SpreadTestHost host;
  putTag(host.spread, records("marginTop|7|8;"));
  KvSSDocSettings s;
  s.readFromSheet(host.spread);
  EXPECT_EQ(s.marginTop, 5);
  EXPECT_TRUE(s.valid);
}

TEST(KvSSRecords, WritesTheWorkedExampleByteForByte) {
  SpreadTestHost host;
  KvSSDocSettings s;
  s.valid = true;
  s.marginTop = 8;
  s.varNames = {"Date"};
  s.varValues = {"1 May"};
  ASSERT_TRUE(s.writeToSheet(host.spread));
  std::string tag = host.text(0, 0, Nx_Spread::kTag).str();
  EXPECT_NE(tag.find("marginTop\xA4"
                     "2\xA4"
                     "8\xA4"),
            std::string::npos);
  EXPECT_NE(tag.find("varNames0\xA4"
                     "4\xA4"
                     "Date\xA4"),
            std::string::npos);
  EXPECT_NE(tag.find("varValues0\xA4"
                     "4\xA4"
                     "1 May\xA4"),
            std::string::npos);
  EXPECT_NE(tag.find("smartPrint\xA4"
                     "2\xA4"
                     "1\xA4"),
            std::string::npos);
}

TEST(KvSSRecords, DoublesHaveTwoDecimalsAndSeparatorsInTextsCannotBreakRecords) {
  KvSSRecords r;
  KvSSRecord d;
  d.type = KvSSRecord::kDouble;
  d.d = 2.5;
  r.set("scale", d);
  KvSSRecord t;
  t.type = KvSSRecord::kString;
  t.s = "10 \xA4";
  r.set("price", t);
  EXPECT_EQ(r.text(), records("scale|1|2.50;price|4|10 ?;"));
  KvSSRecords back;
  back.parse(r.text());
  EXPECT_EQ(back.find("price")->s, "10 ?");
  EXPECT_DOUBLE_EQ(back.find("scale")->d, 2.5);
}

// A number past 1e61 was cut to the first 63 digits of its text: another
// value, stored without a word.
TEST(KvSSRecords, AHugeDoubleIsWrittenWhole) {
  KvSSRecords r;
  KvSSRecord d;
  d.type = KvSSRecord::kDouble;
  d.d = 1.31e302;
  r.set("height", d);
  KvSSRecords back;
  back.parse(r.text());
  EXPECT_EQ(back.find("height")->d, 1.31e302);
  EXPECT_EQ(back.text(), r.text());
}

TEST(KvSSRecords, ListsRunByIndexAndValuesFollowTheNames) {
  SpreadTestHost host;
  putTag(host.spread, records("varNames0|4|A;varNames1|4|B;varValues0|4|a;"));
  KvSSDocSettings s;
  s.readFromSheet(host.spread);
  EXPECT_EQ(s.varNames, (Nx_StringArray{"A", "B"}));
  EXPECT_EQ(s.varValues, (Nx_StringArray{"a", ""}));

  putTag(host.spread, records("varNames0|4|A;varNames2|4|C;varValues0|4|a;varValues1|4|b;"));
  s.readFromSheet(host.spread);
  EXPECT_EQ(s.varNames, (Nx_StringArray{"A"}));
  EXPECT_EQ(s.varValues, (Nx_StringArray{"a"}));
}

TEST(KvSSRecords, ASheetWithoutTagReadsAsDefaults) {
  SpreadTestHost host;
  KvSSDocSettings s;
  s.marginLeft = 20;
  s.readFromSheet(host.spread);
  EXPECT_EQ(s.marginLeft, 9);
  EXPECT_EQ(s.defaultFont, "Tahoma");
  EXPECT_EQ(s.defaultTextHeight, 13);
  EXPECT_TRUE(s.border);
  EXPECT_EQ(s.sheet, &host.spread);
}

// --- documents -----------------------------------------------------------------------

TEST(KvSSDocSettingsDocument, ReadsADocumentOfTheSettingsFolder) {
  SettingsTestLibrary lib;
  lib.document("Bill",
               "defaultFont|4|Arial;defaultTextHeight|2|16;marginTop|2|12;colors|2|0;"
               "headerFile|4|head.txt;varNames0|4|Firm;varValues0|4|Korvane;\n");
  KvSSDocSettings s;
  ASSERT_TRUE(s.loadDocument("Bill")) << s.lastError().str();
  EXPECT_EQ(s.defaultFont, "Arial");
  EXPECT_EQ(s.defaultTextHeight, 16);
  EXPECT_EQ(s.marginTop, 12);
  EXPECT_FALSE(s.colors);
  EXPECT_TRUE(s.border);
  EXPECT_EQ(s.varNames, (Nx_StringArray{"Firm"}));
  EXPECT_EQ(KvSSDocSettings::documentPath("Bill"), Nx_String(lib / "Bill.kvd"));
}

TEST(KvSSDocSettingsDocument, ADamagedDocumentIsRefusedWholeWithFileAndFieldNamed) {
  SettingsTestLibrary lib;
  struct Case {
    const char* records;
    const char* names;
  };
  const Case cases[] = {
      {"marginTop|2|12;marginLeft|2", "\"marginLeft\") ends early"},
      {"marginTop|2|12;colors|9|1;", "\"colors\"): unknown type \"9\""},
      {"marginTop|2|12;marginLeft|2|1O;", "\"marginLeft\"): \"1O\" is not a whole number"},
      {"marginTop|2|12;marginLeft|4|wide;", "field \"marginLeft\" is not a whole number"},
      {"marginTop|2|12;border|2|7;", "field \"border\" is not 0 or 1"},
  };
  for (const Case& c : cases) {
    lib.document("Damaged", c.records);
    KvSSDocSettings s;
    EXPECT_FALSE(s.loadDocument("Damaged")) << c.records;
    EXPECT_NE(s.lastError().str().find(lib / "Damaged.kvd"), std::string::npos) << c.records;
    EXPECT_NE(s.lastError().str().find(c.names), std::string::npos) << s.lastError().str();
    // Nothing of it is taken, not even the good first record.
    EXPECT_EQ(s.marginTop, 5) << c.records;
  }
  KvSSDocSettings missing;
  EXPECT_FALSE(missing.loadDocument("Nowhere"));
}

TEST(KvSSDocSettingsDocument, AppliedToAFreshSheetItGivesSizeTypesFontsAndTag) {
  SettingsTestLibrary lib;
  lib.document("Bill", "defaultFont|4|Arial;defaultTextHeight|2|16;marginTop|2|12;");
  SpreadTestHost host(1, 1);
  KvSSDocSettings s;
  ASSERT_TRUE(s.applyDocument(host.spread, "Bill", true));
  grid::Sheet& sheet = *host.spread.sheet();
  EXPECT_EQ(sheet.maxCols(), 6);
  EXPECT_EQ(sheet.maxRows(), 11);
  EXPECT_TRUE(sheet.getBool(grid::kOptionAutoCalc));
  EXPECT_FALSE(sheet.settings().cellNoteIndicator);
  EXPECT_EQ(sheet.getFont(3, 4).face, "Arial");
  EXPECT_EQ(sheet.getFont(3, 4).height, 16);
  EXPECT_TRUE(sheet.getFont(3, 0).bold);
  KvSSDocSettings back;
  back.readFromSheet(host.spread);
  EXPECT_EQ(back.marginTop, 12);
}

TEST(KvSSDocSettingsDocument, AnUnusableDocumentFallsBackToTheEditorsDefault) {
  SettingsTestLibrary lib;
  lib.document("House", "marginTop|2|20;");
  lib.document("Broken", "marginTop|2|x;");
  KvSSEditorSettings editor;
  editor.defaultSettings = "House";
  ASSERT_TRUE(editor.write());
  SpreadTestHost host(1, 1);
  KvSSDocSettings s;
  s.applyDocument(host.spread, "Broken", true);
  KvSSDocSettings back;
  back.readFromSheet(host.spread);
  EXPECT_EQ(back.marginTop, 20);
}

TEST(KvSSDocSettingsDocument, ADamagedDocumentLeavesTheSheetsFontsAlone) {
  SettingsTestLibrary lib;
  lib.document("Broken", "defaultFont|4|Arial;defaultTextHeight|2|abc;");
  SpreadTestHost host(2, 2);
  host.spread.sheet()->setFont({1, 1, 2, 2}, grid::Font{"Courier", 11});
  KvSSDocSettings s;
  s.applyDocument(host.spread, "Broken", false);
  EXPECT_EQ(host.spread.sheet()->getFont(2, 2).face, "Courier");
  EXPECT_EQ(host.spread.sheet()->getFont(2, 2).height, 11);
}

// --- sheets -----------------------------------------------------------------------------

TEST(KvSSDocSettingsSheet, SetVariablesReplacesOnlyTheVariables) {
  SpreadTestHost host;
  putTag(host.spread, records("marginTop|2|8;varNames0|4|Old;varValues0|4|x;"));
  KvSSDocSettings s;
  ASSERT_TRUE(s.setVariables(host.spread, {"Date", "Title"}, {"today"}));
  KvSSDocSettings back;
  back.readFromSheet(host.spread);
  EXPECT_EQ(back.marginTop, 8);
  EXPECT_EQ(back.varNames, (Nx_StringArray{"Date", "Title"}));
  EXPECT_EQ(back.varValues, (Nx_StringArray{"today", ""}));
}

TEST(KvSSDocSettingsSheet, SavingClearsTheChangedMarkAndTheFileCarriesTheSettings) {
  SettingsTestLibrary lib;
  SpreadTestHost host;
  host.spread.sheet()->setBool(ui::kSpreadOptionChanged, true);
  KvSSDocSettings s;
  s.valid = true;
  s.marginBottom = 17;
  s.writeToSheet(host.spread);
  ASSERT_TRUE(s.saveSheet(host.spread, (lib / "saved.kvs").c_str()));
  EXPECT_FALSE(host.spread.sheet()->getBool(ui::kSpreadOptionChanged));

  SpreadTestHost other;
  std::string error;
  ASSERT_TRUE(other.spread.sheet()->loadFromFile(lib / "saved.kvs", error)) << error;
  KvSSDocSettings back;
  back.readFromSheet(other.spread);
  EXPECT_EQ(back.marginBottom, 17);
}

TEST(KvSSDocSettingsSheet, AFailedSaveIsReportedAndKeepsTheChangedMark) {
  SettingsTestLibrary lib;
  SpreadTestHost host;
  host.spread.sheet()->setBool(ui::kSpreadOptionChanged, true);
  KvSSDocSettings s;
  EXPECT_FALSE(s.saveSheet(host.spread, (lib / "no folder/saved.kvs").c_str()));
  EXPECT_FALSE(s.lastError().isEmpty());
  EXPECT_TRUE(host.spread.sheet()->getBool(ui::kSpreadOptionChanged));
}

TEST(KvSSDocSettingsSheet, PrintLayoutCarriesMarginsTextsSwitchesAndVariables) {
  SettingsTestLibrary lib;
  lib.write("head.txt", "Bill {Title}\n");
  KvSSDocSettings s;
  s.marginLeft = 12;
  s.headerFile = "head.txt";
  s.footerFile = "missing.txt";
  s.rowHeader = false;
  s.cellSeperators = false;
  s.varNames = {"Title"};
  s.varValues = {"Hall"};
  grid::PrintLayout p = s.printLayout();
  EXPECT_DOUBLE_EQ(p.marginLeft, 12);
  EXPECT_DOUBLE_EQ(p.paperWidth, 210);
  EXPECT_FALSE(p.landscape);
  EXPECT_EQ(p.header, "Bill {Title}");
  EXPECT_EQ(p.footer, "");
  EXPECT_FALSE(p.rowHeader);
  EXPECT_FALSE(p.cellSeparators);
  EXPECT_TRUE(p.colHeader);
  ASSERT_EQ(p.variables.size(), 1u);
  EXPECT_EQ(p.variables[0].second, "Hall");
}

}  // namespace
