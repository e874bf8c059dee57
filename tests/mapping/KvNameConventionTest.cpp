#include <gtest/gtest.h>

#include "mapping/KvNameConvention.h"
#include "tests/mapping/ExampleMacro.h"

namespace {

class NameConvention : public ExampleMacro {
 protected:
  Acad::ErrorStatus read(const char* moduleName, const char* name, KvValueType type) {
    value = "untouched";
    return getSetVarByName(name, type, macro, module(moduleName), &data, value, true, tr.get());
  }
  Acad::ErrorStatus write(const char* moduleName, const char* name, KvValueType type,
                          const char* text) {
    value = text;
    return getSetVarByName(name, type, macro, module(moduleName), &data, value, false, tr.get());
  }
  Nx_String value;
};

TEST_F(NameConvention, GeneralVariablesOnlyForNumbers) {
  ASSERT_EQ(read("Plate", "gen.Height", kValueDouble), Acad::eOk);
  EXPECT_EQ(value, "300");
  ASSERT_EQ(write("Plate", "gen.Height", kValueInt, "301.12346"), Acad::eOk);
  EXPECT_DOUBLE_EQ(macro->generalVariableValue("gen_Height"), 301.12346);
  ASSERT_EQ(read("Plate", "gen.Height", kValueDouble), Acad::eOk);
  EXPECT_EQ(value, "301.1235");
  // Text falls through to the member-name test, which this name fails.
  EXPECT_EQ(read("Plate", "gen.Height", kValueString), Acad::eInvalidInput);
  EXPECT_EQ(read("Plate", "gen.Missing", kValueDouble), Acad::eInvalidInput);
  // The general-variable test comes first, whatever the suffix.
  EXPECT_EQ(read("Plate", "gen.Cut1.CutLength", kValueDouble), Acad::eInvalidInput);
}

TEST_F(NameConvention, ProfileNamesAndMaterialsOnlyReadAsText) {
  ASSERT_EQ(read("Members", "Column.Name", kValueString), Acad::eOk);
  EXPECT_EQ(value, "HEA200");
  ASSERT_EQ(read("Members", "Beam.Material", kValueString), Acad::eOk);
  EXPECT_EQ(value, "S355");
  // Not found: the later tests decide, and a text without .MemberName fails.
  EXPECT_EQ(read("Members", "Brace.Name", kValueString), Acad::eInvalidInput);
  EXPECT_EQ(write("Members", "Column.Name", kValueString, "HEB200"), Acad::eInvalidInput);
}

TEST_F(NameConvention, CutSuffixesNeedANumber) {
  ASSERT_EQ(read("Plate", "Cut1.CutLength", kValueDouble), Acad::eOk);
  EXPECT_EQ(value, "5");
  EXPECT_EQ(read("Plate", "Cut1.CutLength", kValueString), Acad::eInvalidInput);
  ASSERT_EQ(read("Plate", "Notch.CutInside", kValueDouble), Acad::eOk);
  EXPECT_EQ(value, "10");
  ASSERT_EQ(write("Stiffener", "Chamfer.Chamfer2", kValueDouble, "20"), Acad::eOk);
  double v = 0;
  module("Stiffener")->findCut("Chamfer")->getOffset(kCutChamferOffset2, v);
  EXPECT_DOUBLE_EQ(v, 20);
  EXPECT_EQ(read("Plate", "Cut1.CutRadius", kValueDouble), Acad::eInvalidInput);
}

TEST_F(NameConvention, BoltSuffixes) {
  ASSERT_EQ(read("BoltsTop", "Bolts.Diameter", kValueDouble), Acad::eOk);
  EXPECT_EQ(value, "20");
  ASSERT_EQ(read("BoltsTop", "Bolts.HoleOffset", kValueInt), Acad::eOk);
  EXPECT_EQ(value, "2");
  EXPECT_EQ(read("Plate", "Bolts.Diameter", kValueDouble), Acad::eInvalidInput);
  // Bolt counts for any type.
  ASSERT_EQ(read("BoltsTop", "Pattern1.NrBolts2", kValueString), Acad::eOk);
  EXPECT_EQ(value, "2");
  ASSERT_EQ(write("BoltsTop", "Pattern2.NrBolts1", kValueInt, "5"), Acad::eOk);
  EXPECT_EQ(tab("Bolts").findPatternData("Pattern2")->nrBolts1, "5");
  ASSERT_EQ(read("BoltsTop", "Pattern1.ReverseStart2", kValueInt), Acad::eOk);
  EXPECT_EQ(value, "1");  // set
  // What was read, written back, changes nothing.
  ASSERT_EQ(write("BoltsTop", "Pattern1.ReverseStart2", kValueInt, "1"), Acad::eOk);
  ASSERT_EQ(read("BoltsTop", "Pattern1.ReverseStart2", kValueInt), Acad::eOk);
  EXPECT_EQ(value, "1");
  ASSERT_EQ(read("BoltsTop", "Pattern1.ReverseStart1", kValueInt), Acad::eOk);
  EXPECT_EQ(value, "0");  // clear
  EXPECT_EQ(read("BoltsTop", "Pattern1.ReverseStart2", kValueString), Acad::eInvalidInput);
  EXPECT_EQ(read("Plate", "Pattern1.ReverseStart1", kValueInt), Acad::eInvalidInput);
  EXPECT_EQ(read("BoltsTop", "Pattern7.ReverseStart1", kValueInt), Acad::eInvalidInput);
}

TEST_F(NameConvention, OtherNumbersAreConstraintVariables) {
  ASSERT_EQ(read("Plate", "Width", kValueDouble), Acad::eOk);
  EXPECT_EQ(value, "200");
  ASSERT_EQ(write("Plate", "Width", kValueDouble, "220"), Acad::eOk);
  EXPECT_EQ(variable("Plate", "Width"), 220);
  // A numeric ".Name" is no profile name but a variable the module lacks.
  EXPECT_EQ(read("Members", "Column.Name", kValueDouble), Acad::eInvalidInput);
}

TEST_F(NameConvention, MemberNamesOfProfileGroups) {
  ASSERT_EQ(write("Members", "Beam.MemberName", kValueString, "B9"), Acad::eOk);
  ASSERT_EQ(read("Members", "Beam.MemberName", kValueString), Acad::eOk);
  EXPECT_EQ(value, "B9");
  EXPECT_EQ(read("Members", "Brace.MemberName", kValueString), Acad::eInvalidInput);
}

TEST_F(NameConvention, NeedsAModuleWithATab) {
  Nx_String v;
  EXPECT_EQ(getSetVarByName("Width", kValueDouble, macro, nullptr, &data, v, true, tr.get()),
            Acad::eInvalidInput);
  EXPECT_EQ(
      getSetVarByName("Width", kValueDouble, macro, module("Plate"), nullptr, v, true, tr.get()),
      Acad::eInvalidInput);
  MacroData noTabs;
  EXPECT_EQ(
      getSetVarByName("Width", kValueDouble, macro, module("Plate"), &noTabs, v, true, tr.get()),
      Acad::eInvalidInput);
}

}  // namespace
