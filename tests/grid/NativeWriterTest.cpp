#include <gtest/gtest.h>

#include <cstring>
#include <nlohmann/json.hpp>
#include <random>

#include "platform/base/AtomicFile.h"
#include "platform/base/Cp1252.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/file/SheetFile.h"

using namespace grid;

namespace {

std::string committed(const std::string& name) {
  std::string text;
  EXPECT_TRUE(base::readWholeFile(std::string(SS_SOURCE_DIR "/tests/grid/native/") + name, text))
      << name;
  return text;
}

// The one line of "cells" that holds the cell A1 of a saved sheet.
std::string lineOfA1(const std::string& file) {
  std::size_t at = file.find("\n  \"A1\": ");
  if (at == std::string::npos) return {};
  return file.substr(at + 3, file.find('\n', at + 1) - at - 3);
}

}  // namespace

// Files written by earlier versions (every kind of cell, format, setting,
// span, size, escape and tricky number) load and save to the same bytes,
// whole and data only.
TEST(NativeWriter, SavesTheCommittedFilesByteForByte) {
  for (const char* name : {"full", "numbers", "empty", "tall"}) {
    std::string whole = committed(std::string(name) + ".json");
    Sheet s;
    std::string error;
    ASSERT_TRUE(s.loadFromText(whole, name, error)) << error;
    EXPECT_EQ(writeSheetText(s.content(), false), whole) << name;
    EXPECT_EQ(writeSheetText(s.content(), true), committed(std::string(name) + ".data.json"))
        << name;
  }
}

// Every byte of the sheet's code page in a text is written as the JSON
// library writes the same text in UTF-8: escapes, controls, the bytes the
// code page leaves unused.
TEST(NativeWriter, TextIsEscapedAsTheJsonLibraryDoes) {
  for (int b = 1; b < 256; ++b) {
    std::string text = "a";
    text += static_cast<char>(b);
    text += "\"z\\";
    Sheet s;
    s.setMaxCols(1);
    s.setMaxRows(1);
    s.setData(1, 1, text);
    ASSERT_EQ(s.getData(1, 1), text) << b;
    EXPECT_EQ(lineOfA1(writeSheetText(s.content(), false)),
              "\"A1\": " + nlohmann::json(base::cp1252ToUtf8(text)).dump())
        << "byte " << b;
  }
}

// Numbers keep the library's shortest round-trip text ("100.0", "1e+20",
// "5e-324"), including the values where its digits are not the shortest.
TEST(NativeWriter, NumbersAreWrittenAsTheJsonLibraryWritesThem) {
  std::mt19937_64 random(20261208);
  std::string text = R"({"format":"ssgrid-sheet","version":1,"cells":{)";
  std::vector<double> values = {
      0.0, -0.0, 100, 1e15, 1e16, 1e-5, 0.1 + 0.2, 5e-324, 1.7976931348623157e308, -123.456};
  while (values.size() < 5000) {
    std::uint64_t bits = random();
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    if (std::isfinite(d)) values.push_back(d);
  }
  for (std::size_t i = 0; i < values.size(); ++i)
    text += std::string(i ? "," : "") + "\"A" + std::to_string(i + 1) +
            "\":{\"formula\":\"=1\",\"value\":" + nlohmann::json(values[i]).dump() + "}";
  text += "}}";
  Sheet s;
  std::string error;
  ASSERT_TRUE(s.loadFromText(text, "numbers", error)) << error;
  std::string saved = writeSheetText(s.content(), false);
  std::size_t at = 0;
  for (double v : values) {
    std::string expected = "\"value\":" + nlohmann::json(v).dump() + "}";
    at = saved.find("\"value\":", at);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(saved.compare(at, expected.size(), expected), 0)
        << saved.substr(at, expected.size()) << " written for " << expected;
    ++at;
  }
}
