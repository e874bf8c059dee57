// A drawing cut into its macros must give back, macro by macro, what the
// whole load gives, and must not cut a file whose meaning the cut could
// change: the whole load then decides.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/macro/DrawingParts.h"
#include "core/macro/DrawingSlices.h"
#include "core/macro/Nx_Drawing.h"
#include "tests/macro/MacroTestDrawing.h"

namespace {

const Nx_String kSliced("d.json");

std::string exampleText() {
  Nx_Drawing d;
  EXPECT_TRUE(loadExampleDrawing(d));
  return d.toJson();
}

// Each slice loaded alone, written as its part: the whole file again.
std::string rejoined(const std::vector<std::string_view>& slices) {
  std::vector<drawing::DrawingPart> parts;
  for (size_t i = 0; i < slices.size(); ++i) {
    Nx_Drawing one;
    Nx_String error;
    EXPECT_TRUE(drawing::loadSlice(one, slices[i], kSliced, error)) << error.str();
    AcArray<AcDbObjectId> ids;
    one.getMacroIds(ids);
    if (ids.length() != 1) return {};
    parts.push_back(drawing::writePart(one, ids[0], static_cast<int>(i), kSliced));
  }
  std::string text;
  Nx_String error;
  EXPECT_TRUE(drawing::joinParts(parts, kSliced, text, error)) << error.str();
  return text;
}

TEST(DrawingSlices, EachMacroLoadedAloneGivesTheWholeFileBack) {
  const std::string text = exampleText();
  std::vector<std::string_view> slices;
  ASSERT_TRUE(drawing::sliceDrawing(text, slices));
  Nx_Drawing whole;
  Nx_String error;
  ASSERT_TRUE(whole.loadText(text, kSliced, error));
  EXPECT_EQ(static_cast<int>(slices.size()), whole.macroCount());
  EXPECT_EQ(rejoined(slices), text);

  // Laid out on one line, by another program, with the members in another order.
  nlohmann::ordered_json root = nlohmann::ordered_json::parse(text);
  nlohmann::ordered_json moved;
  moved["macros"] = root["macros"];
  moved["version"] = root["version"];
  moved["format"] = root["format"];
  const std::string compact = moved.dump();
  ASSERT_TRUE(drawing::sliceDrawing(compact, slices));
  EXPECT_EQ(rejoined(slices), text);

  ASSERT_TRUE(drawing::sliceDrawing(Nx_Drawing().toJson(), slices));
  EXPECT_TRUE(slices.empty());
}

TEST(DrawingSlices, StringsWithBracketsQuotesAndEscapesAreNotCutInside) {
  nlohmann::ordered_json root = nlohmann::ordered_json::parse(exampleText());
  root["macros"][0]["name"] = "a]}\"\\\"[{,";
  root["macros"][1]["name"] = "b\\\\";
  root["macros"][1]["kind"] = "\\\"}]";
  std::vector<std::string_view> slices;
  // Escapes and brackets at every place of the 16-byte blocks the cut reads.
  for (int run = 0; run < 40; ++run) {
    root["macros"][0]["kind"] = std::string(static_cast<size_t>(run), '\\') + "\"}]x";
    const std::string text = root.dump(run % 3 == 0 ? -1 : 1);
    ASSERT_TRUE(drawing::sliceDrawing(text, slices)) << run;
    ASSERT_EQ(slices.size(), root["macros"].size());
    for (size_t i = 0; i < slices.size(); ++i)
      EXPECT_EQ(nlohmann::ordered_json::parse(slices[i]), root["macros"][i]) << i;
  }
}

TEST(DrawingSlices, TextsTheCutCouldMisreadAreLeftToTheWholeLoad) {
  const std::string text = exampleText();
  const size_t list = text.find("\"macros\"");
  ASSERT_NE(list, std::string::npos);
  std::vector<std::string_view> slices;
  auto sliced = [&](const std::string& t) { return drawing::sliceDrawing(t, slices); };
  // A second list under an escaped spelling would replace the first.
  std::string twice = text;
  twice.insert(list, "\"macr\\u006fs\": [],\n  ");
  EXPECT_FALSE(sliced(twice));
  std::string again = text;
  again.insert(list, "\"macros\": [],\n  ");
  EXPECT_FALSE(sliced(again));
  EXPECT_FALSE(sliced("\xEF\xBB\xBF" + text));  // a byte order mark
  // Around the macros, whatever the whole load refuses.
  EXPECT_FALSE(sliced(text + "x"));
  std::string unknown = text;
  unknown.insert(list, "\"colour\": 1,\n  ");
  EXPECT_FALSE(sliced(unknown));
  std::string version = text;
  version.replace(version.find("\"version\": 1"), 12, "\"version\": 9");
  EXPECT_FALSE(sliced(version));
  // Cut short, inside a macro or between two.
  EXPECT_FALSE(sliced(text.substr(0, text.size() / 2)));
  std::string between = text;
  between.replace(between.find("\n    },\n    {") + 6, 1, ";");
  EXPECT_FALSE(sliced(between));
  EXPECT_FALSE(sliced("[]"));
  EXPECT_FALSE(sliced(""));
}

TEST(DrawingSlices, AMacroThatDoesNotLoadIsFoundWhenItsSliceIsLoaded) {
  std::string text = exampleText();
  text.replace(text.find("\"type\": 231"), 11, "\"type\": 239");
  std::vector<std::string_view> slices;
  ASSERT_TRUE(drawing::sliceDrawing(text, slices));
  int refused = 0;
  for (std::string_view slice : slices) {
    Nx_Drawing one;
    Nx_String error;
    if (!drawing::loadSlice(one, slice, kSliced, error)) {
      ++refused;
      EXPECT_NE(error.str().find("231 (plate)"), std::string::npos) << error.str();
    }
  }
  EXPECT_EQ(refused, 1);
}

}  // namespace
