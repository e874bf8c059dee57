#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "TempDir.h"
#include "core/MacroLangs.h"
#include "core/Nx_Settings.h"

TEST(SettingsFile, ReadsEveryKey) {
  TempDir dir;
  dir.write("ss.conf",
            "# product settings\n"
            "library = \"lib\"\n"
            "  data=/home/user/drawings  \n"
            "; switched on for testing\n"
            "standards-messages = Yes\n"
            "language = dutch\n");
  Nx_Settings settings;
  Nx_String error;
  ASSERT_TRUE(settings.readConfigFile(dir / "ss.conf", &error)) << error.str();
  EXPECT_EQ(settings.libDir.str(), dir / "lib/");  // relative to the file's folder
  EXPECT_EQ(settings.dataDir.str(), "/home/user/drawings/");
  EXPECT_TRUE(settings.showStandardsMessages);
  EXPECT_EQ(settings.language, 1);

  dir.write("home.conf", "library = ~/Library\nlanguage = 2\nstandards-messages = off\n");
  ASSERT_TRUE(settings.readConfigFile(dir / "home.conf", &error)) << error.str();
  EXPECT_EQ(settings.libDir.str(), std::string(std::getenv("HOME")) + "/Library/");
  EXPECT_EQ(settings.dataDir.str(), "/home/user/drawings/");  // keys not in the file stay
  EXPECT_EQ(settings.language, 2);
  EXPECT_FALSE(settings.showStandardsMessages);
}

TEST(SettingsFile, ErrorsNameFileAndLineAndChangeNothing) {
  using namespace std::string_view_literals;
  TempDir dir;
  struct Case {
    std::string_view content;  // may hold a NUL
    const char* error;
  } cases[] = {
      {"library = /a\nlibrary /b\n", ":2: expected key = value"},
      {"colour = red\n", ":1: unknown key \"colour\""},
      {"standards-messages = maybe\n", ":1: standards-messages takes true or false"},
      {"language = Klingon\n", ":1: unknown language \"Klingon\" (use one of English, Dutch"},
      {"language = 9\n", ":1: unknown language \"9\""},
      {"library =\n", ":1: the library folder is empty"},
      {"language = 1\nlibrary = /lib\0/other\n"sv, ":2: the line holds a NUL character"},
  };
  for (const Case& c : cases) {
    dir.write("bad.conf", std::string(c.content));
    Nx_Settings settings;
    settings.setLibDir("/old");
    Nx_String error;
    EXPECT_FALSE(settings.readConfigFile(dir / "bad.conf", &error)) << c.error;
    EXPECT_EQ(error.str(), dir / "bad.conf" + error.str().substr((dir / "bad.conf").size()));
    EXPECT_NE(error.find(c.error, true), -1) << error.str();
    EXPECT_EQ(settings.libDir.str(), "/old/");
  }
  Nx_Settings settings;
  Nx_String error;
  EXPECT_FALSE(settings.readConfigFile(dir / "none.conf", &error));
  EXPECT_NE(error.find("none.conf", true), -1) << error.str();
}

TEST(SettingsFile, ByteOrderMarkIsSkippedAndOnlyRegularFilesAreRead) {
  TempDir dir;
  dir.write("bom.conf", "\xEF\xBB\xBFlanguage = 3\n");
  Nx_Settings settings;
  Nx_String error;
  ASSERT_TRUE(settings.readConfigFile(dir / "bom.conf", &error)) << error.str();
  EXPECT_EQ(settings.language, 3);
  // A device would be read without end.
  EXPECT_FALSE(settings.readConfigFile("/dev/zero", &error));
  EXPECT_NE(error.find("not a regular file", true), -1) << error.str();
  EXPECT_EQ(settings.language, 3);
}

TEST(MacroLangs, CurrentLanguageAndTranslations) {
  int saved = gSettings.language;
  gSettings.language = 0;
  EXPECT_EQ(MacroLangs::GetCurLanguage().str(), "English");
  EXPECT_EQ(MacroLangs::GetString("Prof", "Height").str(), "Height");
  gSettings.language = 2;
  EXPECT_EQ(MacroLangs::GetCurLanguage().str(), "German");
  EXPECT_EQ(MacroLangs::GetString("prof", "height").str(), "H\xF6he");
  EXPECT_EQ(MacroLangs::GetString("Prof", "tw").str(), "tw");  // untranslated texts pass
  EXPECT_EQ(MacroLangs::GetString("Other", "Height").str(), "Height");
  gSettings.language = 4;
  EXPECT_EQ(MacroLangs::GetString("Prof", "Height").str(), "Height");  // no Korean text: English
  gSettings.language = 42;
  EXPECT_EQ(MacroLangs::GetCurLanguage().str(), "English");
  gSettings.language = saved;
  EXPECT_EQ(MacroLangs::FindLanguage(" KOREAN "), 4);
  EXPECT_EQ(MacroLangs::FindLanguage("3"), 3);
  EXPECT_EQ(MacroLangs::GetLanguages().length(), 5);
}
