// Section pictures: names by shape number, drawing or user section, and the
// copies made of user sections' pictures.
#include "dialogs/KvProfImage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "core/Nx_Settings.h"
#include "tests/core/TempDir.h"

namespace fs = std::filesystem;

class ProfImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = gSettings;
    gSettings.setLibDir(dir_.path().c_str());
    gSettings.setDataDir("");
    dir_.write("icons/ProfSectionCuttedI-big.bmp", "BM");
    dir_.write("icons/Beam-small.bmp", "BM");
  }
  void TearDown() override { gSettings = saved_; }
  // Sets a file's modification time, seconds from now.
  void age(const std::string& name, int seconds) {
    fs::last_write_time(dir_ / name,
                        fs::file_time_type::clock::now() + std::chrono::seconds(seconds));
  }
  TempDir dir_;
  Nx_Settings saved_;
};

TEST_F(ProfImageTest, ShapeNumbersNameTheirPictures) {
  EXPECT_EQ(profSectionName(1), "ProfSectionI");
  EXPECT_EQ(profSectionName(17), "ProfSectionCuttedI");
  EXPECT_EQ(profSectionName(24), "ProfSectionDouble Cleat");
  EXPECT_EQ(profSectionName(0), "");
  EXPECT_EQ(profSectionName(25), "");
  EXPECT_TRUE(isShapeNumber("12"));
  EXPECT_FALSE(isShapeNumber("Beam.DWG"));

  KvProfImageRequest big{"17", "", true};
  EXPECT_EQ(getProfImage(big), "ProfSectionCuttedI-big.bmp");
  EXPECT_FALSE(big.missing);
  KvProfImageRequest unknown{"99", "", false};
  EXPECT_EQ(getProfImage(unknown), "Unknown-small.bmp");  // "-small.bmp" alone is missing
  EXPECT_TRUE(unknown.missing);
  KvProfImageRequest padded{" 017", "", true};
  getProfImage(padded);
  EXPECT_EQ(padded.shape, "17");  // the number is stored back
}

TEST_F(ProfImageTest, DrawingNamesTheirPictureWithoutExtension) {
  KvProfImageRequest drawing{"Prof\\Beam.dwg", "", false};
  EXPECT_EQ(getProfImage(drawing), "Beam-small.bmp");
  EXPECT_FALSE(drawing.missing);
  EXPECT_EQ(getProfImagePath(drawing), dir_ / "icons/Beam-small.bmp");
}

TEST_F(ProfImageTest, UserSectionPictureIsCopiedWhenNewer) {
  dir_.write("User Sections/Strip.bmp", "new");
  KvProfImageRequest user{"", "User Sections\\Strip.sec", false};
  EXPECT_EQ(getProfImage(user), "Strip-automated.bmp");
  EXPECT_TRUE(user.missing);  // "Strip-small.bmp" is not there
  EXPECT_EQ(dir_.read("icons/Strip-automated.bmp"), "new");

  // An older or equal source is not copied again.
  dir_.write("icons/Strip-automated.bmp", "kept");
  age("User Sections/Strip.bmp", -60);
  Nx_String made;
  ASSERT_TRUE(makeUserSectionImage("Strip", made));
  EXPECT_EQ(dir_.read("icons/Strip-automated.bmp"), "kept");
  // A newer one is.
  age("User Sections/Strip.bmp", 60);
  ASSERT_TRUE(makeUserSectionImage("Strip", made));
  EXPECT_EQ(made, "Strip-automated.bmp");
  EXPECT_EQ(dir_.read("icons/Strip-automated.bmp"), "new");
  EXPECT_FALSE(makeUserSectionImage("Nothing", made));
}

TEST_F(ProfImageTest, BigUserSectionPictureIsNeverMade) {
  dir_.write("User Sections/Strip.bmp", "new");
  KvProfImageRequest user{"", "Strip", true};
  EXPECT_EQ(getProfImage(user), "Unknown-big.bmp");
  EXPECT_FALSE(fs::exists(dir_ / "icons/Strip-automated.bmp"));
}

TEST_F(ProfImageTest, IconFolderFollowsTheDataFolder) {
  EXPECT_EQ(profIconFolder(), dir_.path() + "/icons/");
  gSettings.setDataDir("/data");
  EXPECT_EQ(profIconFolder(), "/data/icons/");
  EXPECT_EQ(userSectionFolder(), dir_.path() + "/User Sections/");
}
