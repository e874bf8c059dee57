#pragma once
#include <string>
#include <vector>

#include "apps/ss-host/ElfSymbols.h"

// What a module exports, by role, read from its exported symbols. The C++
// runtime's template instances and the linker's own symbols are left out.
struct ModuleExports {
  std::vector<std::string> entryPoints;  // free functions with their parameters
  std::vector<std::string> dataObjects;  // module-wide objects
  std::vector<std::string> dataClasses;  // classes with exported members
  std::vector<std::string> others;       // anything else
  // Weak symbols: template instances and inline members emitted here that
  // every user of them carries a copy of; they belong to whoever declares them.
  std::vector<std::string> copies;
};

ModuleExports classifyExports(const std::vector<ElfSymbol>& symbols);

// The class part of a qualified C++ name ("A::B::f" gives "A::B"), or empty.
std::string classOfName(const std::string& qualified);
// The qualified name of a demangled function ("A::f(int) const" gives "A::f").
std::string functionName(const std::string& demangled);
