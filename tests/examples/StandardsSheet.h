#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/grid/Sheet.h"

namespace sample {

struct Variable {
  std::string name;
  std::string type;  // "Int", "Double" or "String"
  int kind = 0;      // 0 Input, 1 Output, 2 Local
  int col = 0, row = 0;
};

// A standards sheet read the way the evaluation driver reads it: the first
// cell whose value is a label, the declarations in the sections (scan order:
// Input, Output, Local), the Calc cells below. Failures are test failures.
struct StandardsSheet {
  grid::Sheet sheet;
  std::map<std::string, int> labelRows;  // label -> row
  std::vector<Variable> variables;

  bool load(const std::string& path);
  const Variable* find(const std::string& name) const;  // without case

 private:
  void scan(const char* label, int kind);
};

// Whole-word replacement as the driver makes it: names without case, an
// occurrence counts when no letter, digit or "_" touches it.
std::string replaceWord(std::string text, const std::string& name, const std::string& by);
bool isWordByte(char c);

}  // namespace sample
