// A drawing file joined from macros written one at a time must be the file
// a whole save writes, and refuse what a whole save refuses, in its words.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "core/macro/DrawingParts.h"
#include "core/macro/Nx_Drawing.h"
#include "tests/macro/MacroTestDrawing.h"

namespace {

const Nx_String kPath("/nonexistent-folder/d.json");

std::vector<drawing::DrawingPart> partsOf(Nx_Drawing& d) {
  AcArray<AcDbObjectId> ids;
  d.getMacroIds(ids);
  std::vector<drawing::DrawingPart> parts;
  for (int i = 0; i < ids.length(); ++i) parts.push_back(drawing::writePart(d, ids[i], i, kPath));
  return parts;
}

// The example's macros, the first one a second time under a new name.
void loadThreeMacros(Nx_Drawing& d) {
  Nx_Drawing example;
  ASSERT_TRUE(loadExampleDrawing(example));
  AcArray<AcDbObjectId> ids;
  example.getMacroIds(ids);
  d.addCopyOf(example, ids[0]);
  d.addCopyOf(example, ids[1]);
  const AcDbObjectId third = d.addCopyOf(example, ids[0]);
  AcTransaction tr(d.database());
  Nx_DbMacro* m = nullptr;
  ASSERT_EQ(tr.getObject(m, third, AcDb::kForWrite), Acad::eOk);
  m->getMacroWrite()->setName("EP-3");
}

void changeMacro(Nx_Drawing& d, int index, void (*change)(Nx_Macro&)) {
  AcArray<AcDbObjectId> ids;
  d.getMacroIds(ids);
  AcTransaction tr(d.database());
  Nx_DbMacro* m = nullptr;
  ASSERT_EQ(tr.getObject(m, ids[index], AcDb::kForWrite), Acad::eOk);
  change(*m->getMacroWrite());
}

// The reason a whole save gives, or "" when it would write.
std::string saveError(const Nx_Drawing& d) {
  std::string json;
  Nx_String error;
  if (!d.toJson(json, error)) return kPath.str() + ": not saved: " + error.str();
  Nx_Drawing check;
  if (!check.loadText(json, kPath, error))
    return "Not saved, the file would not load again: " + error.str();
  return {};
}

std::string joinError(Nx_Drawing& d) {
  std::string text;
  Nx_String error;
  return drawing::joinParts(partsOf(d), kPath, text, error) ? std::string() : error.str();
}

TEST(DrawingParts, JoinedPartsAreTheFileASaveWrites) {
  Nx_Drawing d;
  loadThreeMacros(d);
  std::string joined;
  Nx_String error;
  const std::vector<drawing::DrawingPart> parts = partsOf(d);
  ASSERT_TRUE(drawing::joinParts(parts, kPath, joined, error)) << error.str();
  EXPECT_EQ(joined, d.toJson());
  EXPECT_EQ(parts[2].name, "EP-3");

  Nx_Drawing empty;
  ASSERT_TRUE(drawing::joinParts({}, kPath, joined, error));
  EXPECT_EQ(joined, empty.toJson());
}

TEST(DrawingParts, AJoinerPassesEachPartOnAtOnceAndNothingOnceTheFileIsRefused) {
  Nx_Drawing d;
  loadThreeMacros(d);
  std::vector<drawing::DrawingPart> parts = partsOf(d);
  std::string streamed;
  drawing::PartJoiner joiner(kPath, [&](std::string_view piece) { streamed += piece; });
  joiner.add(parts[0]);
  EXPECT_TRUE(d.toJson().starts_with(streamed));
  EXPECT_TRUE(streamed.ends_with(parts[0].text));
  for (size_t i = 1; i < parts.size(); ++i) joiner.add(parts[i]);
  Nx_String error;
  ASSERT_TRUE(joiner.finish(error)) << error.str();
  EXPECT_EQ(streamed, d.toJson());

  // The second macro takes the first one's name: the file is refused there.
  parts[1].name = parts[0].name;
  streamed.clear();
  drawing::PartJoiner refused(kPath, [&](std::string_view piece) { streamed += piece; });
  refused.add(parts[0]);
  const size_t before = streamed.size();
  refused.add(parts[1]);
  refused.add(parts[2]);
  EXPECT_FALSE(refused.accepted());
  EXPECT_EQ(streamed.size(), before);
  EXPECT_FALSE(refused.finish(error));
  EXPECT_NE(error.str().find("/macros/1/name"), std::string::npos) << error.str();
}

TEST(DrawingParts, ARefusalNamesThePlaceInTheWholeFile) {
  Nx_Drawing d;
  loadThreeMacros(d);
  changeMacro(d, 2, [](Nx_Macro& m) {
    m.setGeneralVariable("gen_X", std::numeric_limits<double>::quiet_NaN());
  });
  ASSERT_NE(saveError(d).find("/macros/2/generalVariables/"), std::string::npos) << saveError(d);
  EXPECT_EQ(joinError(d), saveError(d));

  // A macro without a name writes, but the loader refuses it.
  Nx_Drawing unnamed;
  loadThreeMacros(unnamed);
  changeMacro(unnamed, 1, [](Nx_Macro& m) { m.setName(""); });
  ASSERT_NE(saveError(unnamed).find("/macros/1/name"), std::string::npos) << saveError(unnamed);
  EXPECT_EQ(joinError(unnamed), saveError(unnamed));
}

TEST(DrawingParts, ANumberThatIsNotFiniteIsNamedBeforeAFileThatWouldNotLoad) {
  Nx_Drawing d;
  loadThreeMacros(d);
  changeMacro(d, 0, [](Nx_Macro& m) { m.setName(""); });
  changeMacro(d, 2, [](Nx_Macro& m) {
    m.setGeneralVariable("gen_X", std::numeric_limits<double>::infinity());
  });
  EXPECT_NE(joinError(d).find("is inf"), std::string::npos) << joinError(d);
  EXPECT_EQ(joinError(d), saveError(d));
}

TEST(DrawingParts, TwoMacrosOfOneNameAreRefusedAsTheLoaderRefusesThem) {
  // Each part loads alone; only the join sees the names side by side.
  Nx_Drawing d;
  loadThreeMacros(d);
  changeMacro(d, 2, [](Nx_Macro& m) { m.setName("ep-1"); });
  ASSERT_NE(saveError(d).find("the macro name \"ep-1\" is used twice"), std::string::npos)
      << saveError(d);
  EXPECT_EQ(joinError(d), saveError(d));
}

}  // namespace
