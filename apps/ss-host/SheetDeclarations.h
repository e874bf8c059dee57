#pragma once
#include <string>
#include <vector>

namespace grid {
class Sheet;
}

// The variables a standards sheet declares, read from its cells the way a
// run lays them out: the cells below the "Input", "Output" and "Local"
// labels (up to the next label) that begin with "Int", "Double" or
// "String", in that order of sections. `ss-host calc` binds a child run's
// arguments by it.
struct SheetDeclaration {
  std::string name;  // as the sheet has it (Windows-1252)
  std::string kind;  // "Input", "Output" or "Local"
  std::string type;  // "Int", "Double" or "String"
};

std::vector<SheetDeclaration> readSheetDeclarations(const grid::Sheet& sheet);
