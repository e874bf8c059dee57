#include "platform/ui/DialogTemplate.h"

#include <gtest/gtest.h>

#include "platform/ui/Resources.h"

using namespace ui;

TEST(DialogTemplate, ReadsItemsWithStatementDefaults) {
  DialogTemplate t;
  std::string error;
  ASSERT_TRUE(parseDialogTemplate(R"({"id": 7, "name": "DLG_X", "caption": "Caf\u00e9",
      "size": [100, 50], "items": [
        {"type": "EDITTEXT", "id": 10, "rect": [1, 2, 30, 12], "style": ["ES_READONLY", "NOT WS_TABSTOP"]},
        {"type": "CONTROL", "class": "fpSpread70", "id": 11, "rect": [0, 20, 100, 30], "style": 0}
      ]})",
                                  "x.json", t, error))
      << error;
  EXPECT_EQ(t.id, 7);
  EXPECT_EQ(t.caption, "Caf\xE9");  // stored as Windows-1252
  ASSERT_EQ(t.items.size(), 2u);
  const DialogItemTemplate& e = t.items[0];
  EXPECT_EQ(e.className, "EDIT");
  EXPECT_EQ(e.rect, (Rect{1, 2, 31, 14}));
  EXPECT_TRUE(e.style & ES_READONLY);
  EXPECT_TRUE(e.style & WS_BORDER);
  EXPECT_FALSE(e.style & WS_TABSTOP);
  EXPECT_TRUE(e.style & WS_VISIBLE);
  EXPECT_EQ(t.items[1].className, "fpSpread70");
}

TEST(DialogTemplate, ErrorsNameTheFileAndLineOrItem) {
  DialogTemplate t;
  std::string error;
  EXPECT_FALSE(
      parseDialogTemplate("{\n \"id\": 1,\n \"size\": [10, 10],,\n}", "bad.json", t, error));
  EXPECT_NE(error.find("bad.json: line 3"), std::string::npos) << error;

  EXPECT_FALSE(parseDialogTemplate(
      R"({"id": 1, "size": [10, 10], "items": [{"type": "LTEXT", "rect": [0,0,1,1]},
          {"type": "LTEXTX", "id": 5, "rect": [0,0,1,1]}]})",
      "t.json", t, error));
  EXPECT_NE(error.find("t.json: item 2 (id 5): unknown type \"LTEXTX\""), std::string::npos)
      << error;

  EXPECT_FALSE(parseDialogTemplate(R"({"id": 1, "size": [10, 10], "items": [
      {"type": "EDITTEXT", "id": 5, "rect": [0,0,1,1], "style": "ES_BOLD"}]})",
                                   "s.json", t, error));
  EXPECT_NE(error.find("unknown style \"ES_BOLD\""), std::string::npos) << error;

  EXPECT_FALSE(parseDialogTemplate(R"({"id": 1, "size": [10, 10], "items": [
      {"type": "EDITTEXT", "id": 5, "rect": [0,0,1,1]}, {"type": "EDITTEXT", "id": 5, "rect": [0,0,1,1]}]})",
                                   "d.json", t, error));
  EXPECT_NE(error.find("used twice"), std::string::npos) << error;

  EXPECT_FALSE(parseDialogTemplate(R"({"id": 1, "size": [0, 10]})", "z.json", t, error));
  EXPECT_FALSE(parseDialogTemplate(R"({"id": 1, "size": [10, 10], "items": [
      {"type": "EDITTEXT", "id": 5, "rect": [0,0,1,1], "colour": 3}]})",
                                   "f.json", t, error));
  EXPECT_NE(error.find("unknown field \"colour\""), std::string::npos) << error;

  // A number past every numeric type is an error, not an escaping exception.
  EXPECT_FALSE(parseDialogTemplate(R"({"id": 281e308, "size": [10, 10]})", "n.json", t, error));
  EXPECT_NE(error.find("n.json: not valid JSON"), std::string::npos) << error;
}

// An item's name is for the build's named ids; the kit takes it as a text.
TEST(DialogTemplate, ItemNamesAreTexts) {
  DialogTemplate t;
  std::string error;
  EXPECT_TRUE(parseDialogTemplate(R"({"id": 1, "size": [10, 10], "items": [
      {"type": "EDITTEXT", "id": 5, "name": "IDC_COUNT", "rect": [0,0,1,1]}]})",
                                  "n.json", t, error))
      << error;
  ASSERT_EQ(t.items.size(), 1u);
  EXPECT_EQ(t.items[0].id, 5);
  EXPECT_FALSE(parseDialogTemplate(R"({"id": 1, "size": [10, 10], "items": [
      {"type": "EDITTEXT", "id": 5, "name": 5, "rect": [0,0,1,1]}]})",
                                   "m.json", t, error));
  EXPECT_NE(error.find("m.json: item 1 (id 5): \"name\" must be a text"), std::string::npos)
      << error;
}

TEST(Resources, CurrentModuleWinsForEqualIds) {
  ASSERT_TRUE(Resources::addTemplate("modA", "a.json",
                                     R"({"id": 8800, "caption": "A", "size": [10, 10]})"));
  ASSERT_TRUE(Resources::addTemplate("modB", "b.json",
                                     R"({"id": 8800, "caption": "B", "size": [10, 10]})"));
  std::string before = Resources::setCurrentModule("modB");
  EXPECT_EQ(Resources::findTemplate(8800)->caption, "B");
  Resources::setCurrentModule("modA");
  EXPECT_EQ(Resources::findTemplate(8800)->caption, "A");
  Resources::setCurrentModule(before);
  Resources::removeModule("modA");
  Resources::removeModule("modB");
  EXPECT_EQ(Resources::findTemplate(8800), nullptr);
}

TEST(Resources, BadTemplateIsReportedNotRegistered) {
  size_t errors = Resources::errors().size();
  EXPECT_FALSE(Resources::addTemplate("modC", "broken.json", "{"));
  EXPECT_EQ(Resources::errors().size(), errors + 1);
  ASSERT_TRUE(Resources::addIcons("modC", "icons.json", R"({"212": "add", "206": "delete"})"));
  EXPECT_EQ(Resources::iconName(212), "add");
  EXPECT_FALSE(Resources::addIcons("modC", "icons.json", R"({"x": "add"})"));
  Resources::removeModule("modC");
}
