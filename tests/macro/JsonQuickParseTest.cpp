#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "core/macro/JsonQuickParse.h"
#include "platform/base/AtomicFile.h"
#include "tests/macro/MacroTestDrawing.h"

namespace {

using nlohmann::json;

// The quick parser's tree, dumped with the types kept apart (1, 1.0).
std::string quick(const std::string& text, bool& taken) {
  drawing::JsonTree tree;
  taken = tree.parseQuickly(text);
  return taken ? tree.toNlohmann(tree.root()).dump() : std::string();
}

TEST(JsonQuickParse, TakesPlainJsonAsNlohmannReadsIt) {
  std::string drawing;
  ASSERT_TRUE(base::readWholeFile(exampleDrawingPath(), drawing));
  const std::string texts[] = {
      drawing,
      R"({"b": 1, "a": [true, false, null, {}, []], "b": 2})",  // a repeated key keeps the last
      R"( [0, -0, -0.0, 1.0, 1.5e3, 2E-2, 1e+2, -7, 123456789012345678, 0.1] )",
      R"(["\"\\\/\b\f\n\r\t", "\u00c4\u20AC\ud83d\ude00\u0000", "K\u00f6pf", "Ä€😀", "\u007f"])",
      "{\"tab\":\t\"a\x7F\"\r\n}",
  };
  for (const std::string& text : texts) {
    bool taken = false;
    const std::string tree = quick(text, taken);
    EXPECT_TRUE(taken) << text;
    EXPECT_EQ(tree, json::parse(text).dump()) << text;
  }
  // Whole numbers keep their sign's type, as nlohmann's parser gives them.
  drawing::JsonTree tree;
  ASSERT_TRUE(tree.parseQuickly("[3, -3]"));
  const json j = tree.toNlohmann(tree.root());
  EXPECT_TRUE(j[0].is_number_unsigned());
  EXPECT_TRUE(j[1].is_number_integer() && !j[1].is_number_unsigned());
}

TEST(JsonQuickParse, LeavesEverythingElseToNlohmann) {
  const std::string texts[] = {
      "",
      "{",
      R"({"a" 1})",
      R"({"a": 1,})",
      R"([1 2])",
      "[01]",
      "[1.]",
      "[.5]",
      "[+1]",
      "[1e]",
      "[tru]",
      R"(["a)",
      "[\"tab\there\"]",
      R"(["\x"])",
      R"(["\u12"])",
      R"(["\udc00"])",
      R"(["\ud83d"])",
      R"(["\ud83dx"])",
      "[\"\xC3\"]",
      "[\"\xC0\xAF\"]",          // overlong
      "[\"\xED\xA0\x80\"]",      // a surrogate in UTF-8
      "[\"\xF4\x90\x80\x80\"]",  // past U+10FFFF
      "[\"\xFF\"]",
      "\xEF\xBB\xBF{}",  // byte order mark
      "[1234567890123456789]",
      "[1e999]",
      "{} x",
      std::string(300, '[') + std::string(300, ']'),
  };
  for (const std::string& text : texts) {
    bool taken = true;
    quick(text, taken);
    EXPECT_FALSE(taken) << text;
  }
}

}  // namespace
