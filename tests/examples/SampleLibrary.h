#pragma once
#include <map>
#include <string>
#include <vector>

#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"

// Paths and small readers shared by the sample-library checks.
namespace sample {

// examples/library/ of the source tree, ending in "/".
std::string libraryDir();
std::string standardsDir();  // libraryDir() + "Connection Standards/"
std::string dataDir();       // standardsDir() + "Data/"

// A section table read through the core's row files.
struct SectionTable {
  Nx_String name;
  Nx_Array<Nx_StringArray> rows;  // template row, header row, one row per size
  int column(const char* header) const;
  double value(int row, const char* header) const;  // row counts the sizes from 0
  int sizeCount() const { return rows.length() - 2; }
  const Nx_StringArray& size(int row) const { return rows[row + 2]; }
};
// Fails the calling test with the reader's error when the table cannot be read.
SectionTable readSectionTable(const char* family);

// A lookup table as GETCELL sees it: "//" comments and blank lines dropped,
// each line split at tabs. The lines keep their order.
std::vector<Nx_StringArray> readLookupTable(const char* file);
// Key to value, for tables of two fields a line.
std::map<std::string, std::string> readLookupMap(const char* file);

// A size table's lines with their comments ("//", "/* */") removed, blank
// lines dropped.
std::vector<std::string> readSizeLines(const char* file);

}  // namespace sample
