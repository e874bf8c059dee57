#include <gtest/gtest.h>

#include "designer/Nx_DesignerHistory.h"

TEST(DesignerHistory, ModifiedFollowsUndoAndRedo) {
  Nx_DesignerHistory h;
  h.reset("a");
  EXPECT_FALSE(h.record("a"));
  EXPECT_TRUE(h.record("b"));
  EXPECT_TRUE(h.isModified());
  EXPECT_EQ(*h.undo(), "a");
  EXPECT_FALSE(h.isModified());
  EXPECT_EQ(h.undo(), nullptr);
  EXPECT_EQ(*h.redo(), "b");
  h.markSaved();
  EXPECT_FALSE(h.isModified());
  EXPECT_EQ(*h.undo(), "a");
  EXPECT_TRUE(h.isModified());
}

TEST(DesignerHistory, NewChangeDropsTheRedoBranchAndMergesTyping) {
  Nx_DesignerHistory h;
  h.reset("a");
  h.record("b");
  h.undo();
  h.record("c");
  EXPECT_FALSE(h.canRedo());
  h.record("c1", 7);
  h.record("c12", 7);
  EXPECT_EQ(h.levels(), 3u);  // a, c, c12
  EXPECT_EQ(*h.undo(), "c");
}

TEST(DesignerHistory, KeepsAHundredLevels) {
  Nx_DesignerHistory h;
  h.reset("0");
  for (int i = 1; i <= 150; ++i) h.record(Nx_String(i));
  int steps = 0;
  while (h.undo()) ++steps;
  EXPECT_EQ(steps, 100);
  EXPECT_EQ(h.current(), "50");
}
