#include "tests/examples/SampleLibrary.h"

#include <gtest/gtest.h>

#include "core/FileHelpers.h"
#include "core/RowFile.h"
#include "core/StringHelpers.h"

namespace sample {

std::string libraryDir() {
  return std::string(SS_SOURCE_DIR) + "/examples/library/";
}
std::string standardsDir() {
  return libraryDir() + "Connection Standards/";
}
std::string dataDir() {
  return standardsDir() + "Data/";
}

int SectionTable::column(const char* header) const {
  return rows.length() > 1 ? rows[1].find(header, true) : -1;
}

double SectionTable::value(int row, const char* header) const {
  int c = column(header);
  double v = 0;
  EXPECT_TRUE(c >= 0 && c < size(row).length() && size(row)[c].toDouble(v))
      << name.str() << " row " << row << " column " << header;
  return v;
}

SectionTable readSectionTable(const char* family) {
  SectionTable table;
  Nx_String error;
  EXPECT_TRUE(readFile(libraryDir() + "prof/" + family + ".pr", table.name, table.rows, &error))
      << error.str();
  return table;
}

namespace {
Nx_StringArray readLines(const std::string& path) {
  Nx_StringArray lines;
  Nx_String error;
  EXPECT_TRUE(ObjectExportReadFile(path, lines, &error)) << error.str();
  return lines;
}
}  // namespace

std::vector<Nx_StringArray> readLookupTable(const char* file) {
  std::vector<Nx_StringArray> table;
  for (const Nx_String& line : readLines(dataDir() + file)) {
    Nx_String text = line;
    int comment = text.find("//", true);
    if (comment >= 0) text = text.left(comment);
    if (text.trimmed().isEmpty()) continue;
    Nx_StringArray fields;
    splitStringAtSymbol(text, '\t', fields, false);
    table.push_back(fields);
  }
  return table;
}

std::map<std::string, std::string> readLookupMap(const char* file) {
  std::map<std::string, std::string> map;
  for (const Nx_StringArray& fields : readLookupTable(file)) {
    EXPECT_EQ(fields.length(), 2) << file << ": " << fields[0].str();
    if (fields.length() < 2) continue;
    EXPECT_TRUE(map.emplace(fields[0].str(), fields[1].str()).second)
        << file << ": key " << fields[0].str() << " twice";
  }
  return map;
}

std::vector<std::string> readSizeLines(const char* file) {
  std::vector<std::string> out;
  for (const Nx_String& line : readLines(dataDir() + file)) {
    std::string text = line.str();
    for (size_t open; (open = text.find("/*")) != std::string::npos;) {
      size_t close = text.find("*/", open + 2);
      text.erase(open, close == std::string::npos ? std::string::npos : close + 2 - open);
    }
    if (size_t comment = text.find("//"); comment != std::string::npos) text.erase(comment);
    Nx_String trimmed = Nx_String(text).trimmed();
    if (!trimmed.isEmpty()) out.push_back(trimmed.str());
  }
  return out;
}

}  // namespace sample
