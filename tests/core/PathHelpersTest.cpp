#include "core/PathHelpers.h"

#include <gtest/gtest.h>

TEST(PathParts, BothSeparatorsSplit) {
  struct Case {
    const char* path;
    const char* folder;
    const char* name;
    const char* ext;
    const char* noExt;
  } cases[] = {
      {"/lib/Connection Standards/Endplate.kvs", "/lib/Connection Standards/", "Endplate.kvs",
       "kvs", "/lib/Connection Standards/Endplate"},
      {"C:\\a\\a\\test.kvs", "C:\\a\\a\\", "test.kvs", "kvs", "C:\\a\\a\\test"},
      {"User Sections\\My.Sec\\name", "User Sections\\My.Sec\\", "name", "",
       "User Sections\\My.Sec\\name"},
      {"plain", "", "plain", "", "plain"},
      {"/lib/.hidden", "/lib/", ".hidden", "", "/lib/.hidden"},
      {"Stock1.shp.buy", "", "Stock1.shp.buy", "buy", "Stock1.shp"},
      {"folder/", "folder/", "", "", "folder/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(getPath(c.path).str(), c.folder) << c.path;
    EXPECT_EQ(getFileName(c.path).str(), c.name) << c.path;
    EXPECT_EQ(getExtension(c.path).str(), c.ext) << c.path;
    EXPECT_EQ(removeExtension(c.path).str(), c.noExt) << c.path;
  }
}

TEST(PathEdits, ExtensionsAndSeparators) {
  EXPECT_EQ(changeExtension("/lib/Endplate.kvs", "map").str(), "/lib/Endplate.map");
  EXPECT_EQ(changeExtension("/lib/Endplate.kvs", ".map").str(), "/lib/Endplate.map");
  EXPECT_EQ(changeExtension("/lib/list", "shp").str(), "/lib/list.shp");
  EXPECT_EQ(changeExtension("a.b.c", "").str(), "a.b");
  EXPECT_EQ(ensureNoStartBSlash("\\Childs\\Bolts.kvs").str(), "Childs\\Bolts.kvs");
  EXPECT_EQ(ensureNoStartBSlash("//x").str(), "x");
  EXPECT_EQ(ensureEndSlash("/lib").str(), "/lib/");
  EXPECT_EQ(ensureEndSlash("/lib/").str(), "/lib/");
  EXPECT_EQ(ensureEndSlash("C:\\lib\\").str(), "C:\\lib\\");
  EXPECT_EQ(ensureEndSlash("").str(), "");
  EXPECT_EQ(toNativePath("Connection Standards\\Childs\\a.kvs").str(),
            "Connection Standards/Childs/a.kvs");
}
