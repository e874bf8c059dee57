#include <gtest/gtest.h>

#include "common/KvResourceScope.h"
#include "core/KvTempResourceOverride.h"
#include "platform/ui/Resources.h"

namespace {
// The dialog kit's current resource module.
std::string current() {
  return ui::Resources::currentModule();
}

class ResourceScopeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = ui::Resources::setCurrentModule("HOST");
    a.SaveDefaultResource("A");
    b.SaveDefaultResource("B");
  }
  void TearDown() override { ui::Resources::setCurrentModule(previous); }
  std::string previous;
  KvTempResourceOverride a, b;
};

TEST_F(ResourceScopeTest, SwitchesOnlyWhenAnotherModuleIsCurrent) {
  EXPECT_TRUE(a.SetDefaultResource());
  EXPECT_EQ(current(), "A");
  EXPECT_FALSE(a.SetDefaultResource());  // current already: nothing to restore later
  EXPECT_EQ(a.openSwitches(), 1);
  a.RestoreOriginalResource();
  EXPECT_EQ(current(), "HOST");
  a.RestoreOriginalResource();  // no open switch: no change
  EXPECT_EQ(current(), "HOST");
}

TEST_F(ResourceScopeTest, NothingSavedMeansNothingToSwitchTo) {
  KvTempResourceOverride unsaved;
  EXPECT_FALSE(unsaved.SetDefaultResource());
  EXPECT_EQ(current(), "HOST");
}

void leaveEarly(KvTempResourceOverride& o, bool early, std::string& seen) {
  KvResourceScope scope(o);
  seen = current();
  if (early) return;
  seen.clear();
}

TEST_F(ResourceScopeTest, ScopeRestoresOnEveryWayOut) {
  for (bool early : {true, false}) {
    std::string seen;
    leaveEarly(a, early, seen);
    if (early) {
      EXPECT_EQ(seen, "A");
    }
    EXPECT_EQ(current(), "HOST");
    EXPECT_EQ(a.openSwitches(), 0);
  }
}

TEST_F(ResourceScopeTest, NestedScopesLeaveTheRestoreToTheOuterOne) {
  {
    KvResourceScope outer(a);
    EXPECT_TRUE(outer.switched());
    {
      KvResourceScope inner(a);
      EXPECT_FALSE(inner.switched());
      EXPECT_EQ(current(), "A");
    }
    EXPECT_EQ(current(), "A");
  }
  EXPECT_EQ(current(), "HOST");
}

// A module calls another that switches to itself and calls back into the
// first: every level must get back exactly what it had.
TEST_F(ResourceScopeTest, InterleavedModulesUnwindInOrder) {
  {
    KvResourceScope first(a);
    {
      KvResourceScope other(b);
      EXPECT_EQ(current(), "B");
      {
        KvResourceScope back(a);
        EXPECT_TRUE(back.switched());
        EXPECT_EQ(current(), "A");
      }
      EXPECT_EQ(current(), "B");
    }
    EXPECT_EQ(current(), "A");
  }
  EXPECT_EQ(current(), "HOST");
  EXPECT_EQ(a.openSwitches(), 0);
  EXPECT_EQ(b.openSwitches(), 0);
}

// The scope decides whose template wins when two modules use the same id.
TEST_F(ResourceScopeTest, TheScopedModulesTemplatesAreFoundFirst) {
  auto json = [](const char* caption) {
    return std::string(R"({"id": 64999, "name": "DLG_SCOPE_TEST", "caption": ")") + caption +
           R"(", "size": [50, 20], "items": []})";
  };
  ASSERT_TRUE(ui::Resources::addTemplate("OTHER", "other.json", json("Other")));
  ASSERT_TRUE(ui::Resources::addTemplate("A", "a.json", json("Mine")));
  {
    KvResourceScope scope(a);
    ASSERT_NE(ui::Resources::findTemplate(64999), nullptr);
    EXPECT_EQ(ui::Resources::findTemplate(64999)->caption, "Mine");
  }
  EXPECT_EQ(ui::Resources::findTemplate(64999)->caption, "Other");  // first registered
  ui::Resources::removeModule("OTHER");
  ui::Resources::removeModule("A");
}
}  // namespace
