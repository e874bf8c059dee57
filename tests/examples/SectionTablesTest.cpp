#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "core/MacroLangs.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "tests/examples/SampleLibrary.h"

using sample::readSectionTable;
using sample::SectionTable;

namespace {

const char* const kFamilies[] = {"IPE", "HEA", "HEB"};
const char* const kValueColumns[] = {"h",  "b",    "tw",   "tf",   "r",    "A",  "G",
                                     "hi", "d",    "Iy",   "Wely", "Wply", "iy", "Avz",
                                     "Iz", "Welz", "Wplz", "iz",   "AL"};

TEST(SectionTables, TemplateHeaderAndEveryRowComplete) {
  const Nx_StringArray& languages = MacroLangs::GetLanguages();
  for (const char* family : kFamilies) {
    SCOPED_TRACE(family);
    SectionTable t = readSectionTable(family);
    ASSERT_GE(t.rows.length(), 3);
    EXPECT_EQ(t.name, Nx_String(family));
    ASSERT_EQ(t.rows[0].length(), 1);
    EXPECT_EQ(t.rows[0][0], "1") << "template: the built-in I section";

    const Nx_StringArray& header = t.rows[1];
    ASSERT_EQ(header.length(), 2 + languages.length() + static_cast<int>(std::size(kValueColumns)));
    EXPECT_EQ(header[0], "SysName");
    EXPECT_EQ(header[1], "I/O");
    for (int l = 0; l < languages.length(); ++l) EXPECT_EQ(header[2 + l], languages[l]);
    for (size_t c = 0; c < std::size(kValueColumns); ++c)
      EXPECT_EQ(header[2 + languages.length() + static_cast<int>(c)], kValueColumns[c]);

    std::set<std::string> sysNames;
    for (int r = 0; r < t.sizeCount(); ++r) {
      const Nx_StringArray& row = t.size(r);
      ASSERT_EQ(row.length(), header.length()) << "row " << r;
      EXPECT_TRUE(sysNames.insert(row[0].str()).second) << row[0].str() << " twice";
      EXPECT_TRUE(row[0].startsWith(family, true)) << row[0].str();
      EXPECT_EQ(row[1], "1") << row[0].str() << " is included";
      // Display names: the family, a blank, the size of the system name.
      Nx_String display = Nx_String(family) + " " + row[0].mid(Nx_String(family).length());
      for (int l = 0; l < languages.length(); ++l) EXPECT_EQ(row[2 + l], display);
      for (int c = 2 + languages.length(); c < row.length(); ++c) {
        double v = 0;
        EXPECT_TRUE(row[c].toDouble(v) && v > 0) << row[0].str() << " " << header[c].str();
      }
    }
  }
}

// Hand edits break the link between the dimensions and what is derived from
// them; every derived column must still follow from h, b, tw, tf and r.
TEST(SectionTables, DerivedColumnsFollowFromTheDimensions) {
  for (const char* family : kFamilies) {
    SectionTable t = readSectionTable(family);
    double previousDepth = 0;
    for (int r = 0; r < t.sizeCount(); ++r) {
      SCOPED_TRACE(t.size(r)[0].str());
      double h = t.value(r, "h"), b = t.value(r, "b"), tw = t.value(r, "tw"), tf = t.value(r, "tf"),
             rr = t.value(r, "r");
      EXPECT_GT(h, previousDepth) << "sizes ascend";
      previousDepth = h;
      double area = (2 * b * tf + (h - 2 * tf) * tw + (4 - M_PI) * rr * rr) / 100;
      // Printed to four significant digits, as the makers' tables print them.
      EXPECT_NEAR(t.value(r, "A"), area, std::max(0.0051, area * 5e-4));
      EXPECT_NEAR(t.value(r, "G"), area * 0.785, 0.051);
      EXPECT_DOUBLE_EQ(t.value(r, "hi"), h - 2 * tf);
      EXPECT_DOUBLE_EQ(t.value(r, "d"), h - 2 * tf - 2 * rr);
      double iy = t.value(r, "Iy"), iz = t.value(r, "Iz"), a = t.value(r, "A");
      EXPECT_NEAR(t.value(r, "Wely"), iy / (h / 20), iy / (h / 20) * 2e-3);
      EXPECT_NEAR(t.value(r, "Welz"), iz / (b / 20), iz / (b / 20) * 2e-3);
      EXPECT_NEAR(t.value(r, "iy"), std::sqrt(iy / a), std::sqrt(iy / a) * 5e-4 + 0.005);
      EXPECT_NEAR(t.value(r, "iz"), std::sqrt(iz / a), std::sqrt(iz / a) * 5e-4 + 0.005);
      EXPECT_GT(t.value(r, "Wply"), t.value(r, "Wely"));
      EXPECT_GT(t.value(r, "Wplz"), t.value(r, "Welz"));
      EXPECT_GT(t.value(r, "Avz"), (h - 2 * tf) * tw / 100 - 0.006);
    }
  }
}

TEST(SectionTables, AgreeWithPublishedValues) {
  struct Published {
    const char* family;
    const char* sysName;
    const char* column;
    double value;
  };
  const Published published[] = {
      {"IPE", "IPE80", "A", 7.64},     {"IPE", "IPE300", "A", 53.81},
      {"IPE", "IPE300", "Iy", 8356},   {"IPE", "IPE300", "Wply", 628.4},
      {"IPE", "IPE300", "Avz", 25.68}, {"IPE", "IPE300", "Iz", 603.8},
      {"IPE", "IPE600", "Iy", 92080},  {"IPE", "IPE600", "G", 122.4},
      {"HEA", "HEA100", "Iy", 349.2},  {"HEA", "HEA200", "A", 53.83},
      {"HEA", "HEA300", "Wely", 1260}, {"HEA", "HEA600", "Iy", 141200},
      {"HEB", "HEB200", "Iy", 5696},   {"HEB", "HEB200", "Iz", 2003},
      {"HEB", "HEB300", "Wply", 1869}, {"HEB", "HEB600", "A", 270.0},
  };
  for (const Published& p : published) {
    SectionTable t = readSectionTable(p.family);
    int row = -1;
    for (int r = 0; r < t.sizeCount(); ++r)
      if (t.size(r)[0] == p.sysName) row = r;
    ASSERT_GE(row, 0) << p.sysName;
    EXPECT_NEAR(t.value(row, p.column), p.value, p.value * 1e-3) << p.sysName << " " << p.column;
  }
}

// The sheets read h, b, tw, tf and r as SECTIONSIZE 1 to 5 and the mapping
// reads b as MemberSectionSize column 1; lookups name sections by display name.
TEST(SectionTables, ManagerAnswersWhatTheSheetsAsk) {
  Nx_SectionTableManager tables;
  Nx_StringArray errors;
  ASSERT_TRUE(tables.loadFolder(sample::libraryDir() + "prof/", &errors));
  EXPECT_TRUE(errors.isEmpty());
  EXPECT_EQ(tables.tableCount(), 3);

  Nx_String sysName;
  ASSERT_TRUE(tables.getSystemName("IPE 300", sysName));
  EXPECT_EQ(sysName, "IPE300");
  ASSERT_TRUE(tables.getSystemName("heb 200", sysName));
  EXPECT_EQ(sysName, "HEB200");

  Nx_StringArray names;
  ASSERT_EQ(tables.getSectionColumnNames("HEA300", names), Acad::eOk);
  ASSERT_GE(names.length(), 5);
  const char* const dims[] = {"h", "b", "tw", "tf", "r"};
  const char* const hea300[] = {"290", "300", "8.5", "14", "27"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(names[i], dims[i]);
    Nx_String value;
    ASSERT_EQ(tables.getSectionValue("HEA 300", i, value), Acad::eOk);
    EXPECT_EQ(value, hea300[i]) << dims[i];
  }
}

}  // namespace
