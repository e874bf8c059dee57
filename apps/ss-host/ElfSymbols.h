#pragma once
#include <string>
#include <vector>

// One symbol that a shared library exports: defined in it, global or weak,
// and visible to other libraries.
struct ElfSymbol {
  enum class Kind { Function, Object, Other };
  std::string name;       // as in the symbol table (mangled)
  std::string demangled;  // the C++ name, or name when it is not mangled
  Kind kind = Kind::Other;
  bool weak = false;
};

// Reads the dynamic symbol table of a 64-bit little-endian ELF file and
// keeps the exported symbols, sorted by demangled name. False with the
// reason (naming the file) when the file cannot be read or is no such ELF.
bool readExportedSymbols(const std::string& path, std::vector<ElfSymbol>& symbols,
                         std::string& error);
