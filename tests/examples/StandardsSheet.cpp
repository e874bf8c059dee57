#include "tests/examples/StandardsSheet.h"

#include <gtest/gtest.h>

#include "core/StringHelpers.h"

namespace sample {

bool StandardsSheet::load(const std::string& path) {
  std::string error;
  EXPECT_TRUE(sheet.loadFromFile(path, error)) << error;
  if (!error.empty()) return false;
  for (const char* label : {"Input", "Output", "Local", "Calc"})
    for (int r = 1; r <= sheet.maxRows() && !labelRows.count(label); ++r)
      for (int c = 1; c <= sheet.maxCols(); ++c)
        if (sheet.getValue(c, r) == label) {
          labelRows[label] = r;
          EXPECT_EQ(c, 1) << label << " is in column A";
          break;
        }
  for (const char* label : {"Input", "Output", "Calc"})
    EXPECT_TRUE(labelRows.count(label)) << "no " << label << " label";
  if (!labelRows.count("Input") || !labelRows.count("Output") || !labelRows.count("Calc"))
    return false;
  scan("Input", 0);
  scan("Output", 1);
  scan("Local", 2);
  return true;
}

void StandardsSheet::scan(const char* label, int kind) {
  if (!labelRows.count(label)) return;
  int start = labelRows[label] + 1, end = sheet.maxRows();
  for (const auto& [other, row] : labelRows)
    if (row > labelRows[label] && row < end) end = row;
  for (int r = start; r <= end; ++r)
    for (int c = 1; c <= sheet.maxCols(); ++c) {
      Nx_String text = Nx_String(sheet.getValue(c, r)).trimmed();
      for (const char* keyword : {"Int", "Double", "String"})
        if (text.startsWith(keyword, true)) {
          EXPECT_EQ(c, 1) << "a note in column B declares " << text.str();
          variables.push_back({getSubstrAfter(text, " ").trimmed().str(), keyword, kind, c, r});
          break;
        }
    }
}

const Variable* StandardsSheet::find(const std::string& name) const {
  for (const Variable& v : variables)
    if (Nx_String(v.name).equal(name, false)) return &v;
  return nullptr;
}

bool isWordByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string replaceWord(std::string text, const std::string& name, const std::string& by) {
  for (int from = 0;;) {
    int at = Nx_String(text).find(name, false, from);
    if (at < 0) return text;
    size_t end = static_cast<size_t>(at) + name.size();
    bool whole = (at == 0 || !isWordByte(text[static_cast<size_t>(at) - 1])) &&
                 (end == text.size() || !isWordByte(text[end]));
    if (!whole) {
      from = at + 1;
      continue;
    }
    text.replace(static_cast<size_t>(at), name.size(), by);
    from = at + static_cast<int>(by.size());
  }
}

}  // namespace sample
