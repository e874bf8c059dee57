#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/FileHelpers.h"
#include "core/StringHelpers.h"
#include "platform/grid/Sheet.h"
#include "tests/examples/SampleLibrary.h"
#include "tests/examples/StandardsSheet.h"

namespace {

const char* const kSheets[] = {"EndPlate.kvs", "FinPlate.kvs", "BasePlate.kvs",
                               "Childs/BoltGroup.kvs"};

using sample::replaceWord;
using sample::StandardsSheet;
using sample::Variable;

TEST(SampleSheets, LoadWithLabelsAndUniqueDeclarations) {
  for (const char* name : kSheets) {
    SCOPED_TRACE(name);
    StandardsSheet s;
    ASSERT_TRUE(s.load(sample::standardsDir() + name));
    EXPECT_LT(s.labelRows["Input"], s.labelRows["Output"]);
    EXPECT_LT(s.labelRows["Output"], s.labelRows["Calc"]);
    ASSERT_FALSE(s.variables.empty());
    for (size_t i = 0; i < s.variables.size(); ++i) {
      EXPECT_FALSE(s.variables[i].name.empty()) << "row " << s.variables[i].row;
      EXPECT_EQ(s.find(s.variables[i].name), &s.variables[i]) << s.variables[i].name << " twice";
      // A name inside another as a whole word would be replaced within it.
      for (const Variable& other : s.variables)
        if (&other != &s.variables[i]) {
          EXPECT_EQ(replaceWord(other.name, s.variables[i].name, "#"), other.name)
              << s.variables[i].name << " inside " << other.name;
        }
    }
  }
}

// Every Calc cell names a declared variable and becomes a formula that the
// spreadsheet accepts once its variables are cell references; a CallChild
// cell binds one argument per Input and Output of an existing child and gets
// the child's results back into Output variables.
TEST(SampleSheets, EveryEquationBecomesAFormula) {
  for (const char* name : kSheets) {
    SCOPED_TRACE(name);
    StandardsSheet s;
    ASSERT_TRUE(s.load(sample::standardsDir() + name));
    int equations = 0;
    for (int r = s.labelRows["Calc"] + 1; r <= s.sheet.maxRows(); ++r) {
      for (int c = 2; c <= s.sheet.maxCols(); ++c)
        EXPECT_EQ(s.sheet.getValue(c, r), "") << "Calc row " << r << " has a note";
      std::string text = s.sheet.getValue(1, r);
      if (text.empty()) continue;
      SCOPED_TRACE(text);
      ++equations;
      if (text.find("CallChild") != std::string::npos) {
        Nx_String inside = getSubstrBefore(getSubstrAfter(text, "("), ")");
        Nx_StringArray args;
        splitStringAtSymbol(inside, ',', args, true);
        ASSERT_GE(args.length(), 2);
        Nx_String childName = args[0];
        childName.replace("\"", "");
        StandardsSheet child;
        ASSERT_TRUE(fileExists(sample::standardsDir() + "Childs/" + childName.str()));
        ASSERT_TRUE(child.load(sample::standardsDir() + "Childs/" + childName.str()));
        std::vector<const Variable*> bound;
        for (const Variable& v : child.variables)
          if (v.kind != 2) bound.push_back(&v);
        ASSERT_EQ(static_cast<size_t>(args.length() - 1), bound.size());
        for (size_t a = 0; a < bound.size(); ++a) {
          const Variable* own = s.find(args[static_cast<int>(a) + 1].str());
          ASSERT_NE(own, nullptr) << args[static_cast<int>(a) + 1].str();
          if (bound[a]->kind == 1) {
            EXPECT_EQ(own->kind, 1) << own->name << " receives a result";
          }
        }
        continue;
      }
      ASSERT_EQ(std::count(text.begin(), text.end(), '='), 1);
      Nx_String target, expression;
      splitStringAtSymbol(text, '=', target, expression, true);
      EXPECT_NE(s.find(target.str()), nullptr) << target.str() << " is not declared";
      std::string formula = expression.str();
      for (const Variable& v : s.variables)
        formula = replaceWord(formula, v.name, getAlfabet(v.col).str() + std::to_string(v.row));
      // General variables are numbers by the time the equations run.
      for (size_t at; (at = formula.find("gen_")) != std::string::npos;) {
        size_t end = at;
        while (end < formula.size() && sample::isWordByte(formula[end])) ++end;
        formula.replace(at, end - at, "5");
      }
      EXPECT_TRUE(s.sheet.setFormula(1, r, formula))
          << formula << ": " << s.sheet.lastError().message;
    }
    EXPECT_GT(equations, 0);
  }
}

}  // namespace
