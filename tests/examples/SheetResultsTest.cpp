// The sample standards computed with the real spreadsheet and the real
// standards functions, by a small stand-in of the evaluation driver: values
// into the variable cells, general variables replaced, each Calc equation
// turned into a formula with cell references and its result stored back,
// CallChild running the child on the bound arguments. The results are the
// ones docs/sample-library.md promises for the sample macros.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/Nx_Settings.h"
#include "core/StringHelpers.h"
#include "standards/KvSSFunctions.h"
#include "tests/examples/SampleLibrary.h"
#include "tests/examples/StandardsSheet.h"

namespace {

using Values = std::map<std::string, std::string>;

constexpr double kNumberRange = 99999999999999;

class SheetRun {
 public:
  SheetRun(const std::string& path, const Values& genVars) : genVars_(genVars) {
    loaded_ = s_.load(path);
  }

  // Writes the values, computes the Calc section; false on the first
  // equation that does not give a value.
  bool run(const Values& values) {
    if (!loaded_ || registerStandardsFunctions(s_.sheet) != Acad::eOk) return false;
    for (const sample::Variable& v : s_.variables)
      if (!set(v, v.kind == 2 ? "" : values.count(v.name) ? values.at(v.name) : "0")) return false;
    for (int r = s_.labelRows["Calc"] + 1; r <= s_.sheet.maxRows(); ++r) {
      std::string text = s_.sheet.getValue(1, r);
      if (text.empty()) continue;
      for (const auto& [name, value] : genVars_) text = sample::replaceWord(text, name, value);
      if (!(text.find("CallChild") != std::string::npos ? callChild(text) : equation(text, r))) {
        ADD_FAILURE() << "row " << r << ": " << text;
        return false;
      }
    }
    return true;
  }

  std::string value(const std::string& name) const {
    const sample::Variable* v = s_.find(name);
    return v ? s_.sheet.getValue(v->col, v->row) : "<no " + name + ">";
  }

 private:
  bool set(const sample::Variable& v, const std::string& text) {
    grid::Area cell{v.col, v.row, v.col, v.row};
    bool typed = v.type == "String" ? s_.sheet.setTypeEdit(cell, 0, 9999)
                                    : s_.sheet.setTypeNumber(cell, v.type == "Int" ? 0 : 7,
                                                             -kNumberRange, kNumberRange, false);
    return typed && (text.empty() ? s_.sheet.setData(v.col, v.row, "")
                                  : s_.sheet.setValue(v.col, v.row, text));
  }

  bool equation(const std::string& text, int row) {
    Nx_String target, expression;
    const sample::Variable* v = nullptr;
    if (!splitStringAtSymbol(text, '=', target, expression, true) || !(v = s_.find(target.str())))
      return false;
    std::string formula = expression.str();
    for (const sample::Variable& other : s_.variables)
      formula = sample::replaceWord(formula, other.name,
                                    getAlfabet(other.col).str() + std::to_string(other.row));
    if (!s_.sheet.setFormula(1, row, formula)) return false;
    std::string result = s_.sheet.getValue(1, row);
    return !result.empty() && result[0] != '#' && set(*v, result);
  }

  bool callChild(const std::string& text) {
    Nx_StringArray args;
    splitStringAtSymbol(getSubstrBefore(getSubstrAfter(text, "("), ")"), ',', args, true);
    Nx_String child = args[0];
    child.replace("\"", "");
    SheetRun run(sample::standardsDir() + "Childs/" + child.str(), genVars_);
    Values bound;
    std::map<std::string, std::string> results;  // child output -> own variable
    int a = 1;
    for (const sample::Variable& v : run.s_.variables) {
      if (v.kind == 2) continue;
      if (a >= args.length()) return false;
      bound[v.name] = value(args[a].str());
      if (v.kind == 1) results[v.name] = args[a].str();
      ++a;
    }
    if (!run.run(bound)) return false;
    for (const auto& [childName, own] : results) {
      const sample::Variable* v = s_.find(own);
      if (!v || v->kind != 1 || !set(*v, run.value(childName))) return false;
    }
    return true;
  }

  sample::StandardsSheet s_;
  Values genVars_;
  bool loaded_ = false;
};

void expectValues(const SheetRun& run, const Values& expected) {
  for (const auto& [name, value] : expected) EXPECT_EQ(run.value(name), value) << name;
}

class SampleResults : public ::testing::Test {
 protected:
  void SetUp() override { gSettings.setLibDir(sample::libraryDir()); }
};

TEST_F(SampleResults, EndPlatesOfTheSampleMacros) {
  const Values gen = {{"gen_PlateOverhang", "10"}, {"gen_PlateStep", "5"}};
  SheetRun ep101(sample::standardsDir() + "EndPlate.kvs", gen);
  ASSERT_TRUE(ep101.run({{"BeamSection", "IPE300"}, {"ColumnWidth", "240"}, {"Overhang", "10"}}));
  expectValues(ep101, {{"PlateThickness", "15"},
                       {"PlateWidth", "180"},
                       {"PlateHeight", "320"},
                       {"BoltDiameter", "20"},
                       {"HoleClearance", "2"},
                       {"BoltRows", "3"},
                       {"BoltLines", "2"},
                       {"BoltPitch", "100"},
                       {"BoltGauge", "80"},
                       {"FirstRow", "60"},
                       {"StartAtTop", "1"},
                       {"BeamCutBack", "15"},
                       {"FitsColumn", "1"}});

  SheetRun ep102(sample::standardsDir() + "EndPlate.kvs", gen);
  ASSERT_TRUE(ep102.run({{"BeamSection", "IPE450"}, {"ColumnWidth", "300"}, {"Overhang", "10"}}));
  expectValues(ep102, {{"PlateThickness", "20"},
                       {"PlateWidth", "220"},
                       {"PlateHeight", "470"},
                       {"BoltDiameter", "24"},
                       {"BoltRows", "5"},
                       {"BoltPitch", "85"},
                       {"BoltGauge", "90"},
                       {"FirstRow", "65"}});

  // A beam too shallow for two rows gets one, centred.
  SheetRun ipe80(sample::standardsDir() + "EndPlate.kvs", gen);
  ASSERT_TRUE(ipe80.run({{"BeamSection", "IPE 80"}, {"ColumnWidth", "100"}, {"Overhang", "10"}}));
  expectValues(ipe80, {{"BoltDiameter", "12"},
                       {"BoltRows", "1"},
                       {"BoltPitch", "0"},
                       {"FirstRow", "50"},
                       {"PlateHeight", "100"}});
}

TEST_F(SampleResults, FinPlateOfTheSampleMacro) {
  SheetRun fp(sample::standardsDir() + "FinPlate.kvs", {});
  ASSERT_TRUE(fp.run({{"BeamSection", "IPE300"},
                      {"BeamGrade", "S355"},
                      {"MainBeamSection", "IPE450"},
                      {"Shear", "120"},
                      {"Gap", "10"}}));
  expectValues(fp, {{"PlateThickness", "10"},
                    {"PlateWidth", "100"},
                    {"PlateLength", "210"},
                    {"PlateTop", "55"},
                    {"PlateMark", "FL100x10"},
                    {"BoltDiameter", "20"},
                    {"HoleClearance", "2"},
                    {"NrBolts", "3"},
                    {"BoltPitch", "70"},
                    {"FirstBolt", "35"},
                    {"BoltEndDist", "40"},
                    {"CopeDepth", "45"},
                    {"CopeLength", "95"}});
}

TEST_F(SampleResults, BasePlateOfTheSampleMacro) {
  SheetRun bp(sample::standardsDir() + "BasePlate.kvs", {});
  ASSERT_TRUE(bp.run({{"Column.Name", "HEB200"},
                      {"Plate.Material", "S235"},
                      {"gen.AxialForce", "600"},
                      {"gen.GroutThickness", "30"}}));
  expectValues(bp, {{"Length", "380"},
                    {"Width", "280"},
                    {"Thickness", "25"},
                    {"GroutGap", "30"},
                    {"Plate.MemberName", "BP380x280x25"},
                    {"Anchors.Diameter", "20"},
                    {"Anchors.HoleOffset", "6"},
                    {"AnchorPattern.NrBolts1", "2"},
                    {"AnchorPattern.NrBolts2", "2"},
                    {"GaugeLength", "300"},
                    {"GaugeWidth", "200"},
                    {"Corners.Chamfer1", "15"},
                    {"Corners.Chamfer2", "15"},
                    {"gen.BasePlateThickness", "25"}});
}

}  // namespace
