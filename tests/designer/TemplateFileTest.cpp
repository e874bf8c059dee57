// The template file of a design: keys, names, resource ids, pictures and
// what a damaged template or picture leaves of a design.
#include <gtest/gtest.h>

#include <filesystem>

#include "designer/Nx_DlgDesignerData.h"
#include "platform/arx/acutil.h"
#include "platform/ui/Dialog.h"
#include "tests/designer/DesignerTestLibrary.h"

using designer_test::Library;

namespace {
Nx_DesignerControl control(int type, double l, double t, double r, double b,
                           const char* contents = "", const char* comboList = "") {
  Nx_DesignerControl c;
  c.type = type;
  c.topLeftX = l, c.topLeftY = t, c.bottomRightX = r, c.bottomRightY = b;
  c.contents = contents;
  c.setSplitExtComboList(comboList);
  return c;
}
}  // namespace

TEST(TemplateFile, EmptyDesignWritesOnlyTheCountAndReadsBackEmpty) {
  Library lib;
  Nx_DlgDesignerData design;
  ASSERT_TRUE(design.writeToFile(lib / "Empty.txt"));
  EXPECT_EQ(lib.read("Empty.txt"), "nrOfControls = 0\n");
  Nx_DlgDesignerData back;
  back.append(control(ctInputField, 0, 0, 0.1, 0.1));
  ASSERT_TRUE(back.readFromFile(lib / "Empty.txt", false));
  EXPECT_EQ(back.getNrControls(), 0);
  EXPECT_EQ(back.getTemplateName(), "Empty");
}

TEST(TemplateFile, ExtendedListsSplitAndMergeByType) {
  Library lib;
  Nx_DlgDesignerData design;
  design.append(control(ctFlexButton, 0.1, 0.1, 0.2, 0.2, "Thickness", "Plate;;third"));
  design.append(control(ctInputField, 0.1, 0.3, 0.2, 0.4, "Width", "a;b"));
  design.append(control(ctVariableButton, 0.1, 0.5, 0.2, 0.6, "", "v;t;f;d;rest"));
  const Nx_DesignerControl* flex = design.getControl(0);
  EXPECT_EQ(flex->flexGroup, "Plate");
  EXPECT_EQ(flex->flexExt2, "");
  EXPECT_EQ(flex->flexExt3, "third");
  EXPECT_EQ(flex->flexExt4, "");
  EXPECT_EQ(design.getControl(2)->comboList, "rest");
  EXPECT_EQ(design.getControl(2)->btnExt4, "d");

  ASSERT_TRUE(design.writeToFile(lib / "Lists.txt"));
  const std::string text = lib.read("Lists.txt");
  EXPECT_NE(text.find("comboList0 = \"Plate;;third;\""), std::string::npos);
  EXPECT_NE(text.find("comboList1 = \"a;b\""), std::string::npos);
  EXPECT_NE(text.find("comboList2 = \"v;t;f;d;rest\""), std::string::npos);

  Nx_DlgDesignerData back;
  ASSERT_TRUE(back.readFromFile(lib / "Lists.txt", false));
  ASSERT_EQ(back.getNrControls(), 3);
  EXPECT_EQ(back.getControl(0)->flexExt3, "third");
  EXPECT_EQ(back.getControl(1)->comboList, "a;b");
  EXPECT_EQ(back.getControl(2)->btnExt1, "v");
}

TEST(TemplateFile, KeysAreWrittenInOrderSevenPerControl) {
  Library lib;
  Nx_DlgDesignerData design;
  design.append(control(ctLabel, 0.25, 0.5, 0.75, 1, "Plate \"A\""));
  ASSERT_TRUE(design.writeToFile(lib / "One.txt"));
  EXPECT_EQ(lib.read("One.txt"),
            "nrOfControls = 1\ntype0 = 0\ntopLeftX0 = 0.25\ntopLeftY0 = 0.5\n"
            "bottomRightX0 = 0.75\nbottomRightY0 = 1.0\ncontents0 = \"Plate \\\"A\\\"\"\n"
            "comboList0 = \"\"\n");
}

TEST(TemplateFile, ResourceIdsFillTheGapsOfTheRange) {
  Nx_DlgDesignerData design;
  ui::Dialog* none = nullptr;
  EXPECT_FALSE(design.initialize(none, 33000, 33099, 0, 0, 0, 0, 0, false));
  // Ids come from the range once the design knows it; a host is not needed for that.
  Nx_DlgDesignerData ranged;
  ui::Dialog host;
  ASSERT_TRUE(ranged.initialize(&host, 33000, 33099, 0, 0, 0, 0, 0, false));
  EXPECT_EQ(ranged.append(control(ctInputField, 0, 0, 0, 0)), 33000);
  EXPECT_EQ(ranged.append(control(ctInputField, 0, 0, 0, 0)), 33001);
  EXPECT_EQ(ranged.append(control(ctInputField, 0, 0, 0, 0)), 33002);
  ranged.removeControl(1);
  EXPECT_EQ(ranged.append(control(ctInputField, 0, 0, 0, 0)), 33001);
  while (ranged.getNrControls() < 100) ranged.append(control(ctInputField, 0, 0, 0, 0));
  EXPECT_EQ(ranged.getControl(99)->resourceId, 33099);
  EXPECT_EQ(ranged.append(control(ctInputField, 0, 0, 0, 0)), 0);
}

TEST(TemplateFile, RemovingOutsideTheListIsReportedAndChangesNothing) {
  Nx_DlgDesignerData design;
  design.append(control(ctLabel, 0, 0, 0, 0));
  AcutPrintCapture capture;
  EXPECT_FALSE(design.removeControl(1));
  EXPECT_EQ(design.getNrControls(), 1);
  EXPECT_NE(capture.text().find("*Error* Invalid index passed to remove."), std::string::npos);
}

TEST(TemplateFile, NamesComeFromThePathUnderTheRootFolderOnly) {
  Library lib;
  Nx_String name;
  ASSERT_TRUE(Nx_DlgDesignerData::getNameFromFile(lib / "Sub/Name.txt", name));
  EXPECT_EQ(name, "Sub/Name");
  EXPECT_FALSE(Nx_DlgDesignerData::getNameFromFile(lib.dir() / "Name.txt", name));
  EXPECT_FALSE(Nx_DlgDesignerData::getNameFromFile(lib / "Sub/../../Name.txt", name));

  lib.write("Sub/Name.txt", "nrOfControls = 0\n");
  lib.dir().write("Name.txt", "nrOfControls = 0\n");
  Nx_DlgDesignerData design;
  EXPECT_TRUE(design.readFromFile(lib / "Sub/Name.txt", false));
  EXPECT_EQ(design.getTemplateName(), "Sub/Name");
  EXPECT_FALSE(design.readFromFile(lib.dir() / "Name.txt", false));
  EXPECT_EQ(design.getTemplateName(), "Sub/Name");  // unchanged
  EXPECT_FALSE(design.writeToFile(lib.dir() / "Other.txt"));
  EXPECT_FALSE(std::filesystem::exists(lib.dir() / "Other.txt"));
}

TEST(TemplateFile, ModuleImagesListsEveryTemplateSorted) {
  Library lib;
  lib.write("b.txt", "");
  lib.write("Sub/a.txt", "");
  lib.write("Sub/picture.bmp", "");
  Nx_StringArray names;
  getModuleImages(names);
  EXPECT_EQ(names, (Nx_StringArray{"Sub/a", "b"}));
}

TEST(TemplateFile, SavingUnderANewNameTakesThePictureAlong) {
  Library lib;
  lib.write("Old.txt", "nrOfControls = 0\n");
  lib.writeBmp("Old.bmp", 40, 30);
  Nx_DlgDesignerData design;
  ASSERT_TRUE(design.readFromFile(lib / "Old.txt", true));
  lib.write("Sub/other.txt", "");
  ASSERT_TRUE(design.writeToFile(lib / "Sub/New.txt"));
  EXPECT_EQ(lib.read("Sub/New.bmp"), lib.read("Old.bmp"));
  EXPECT_EQ(design.getTemplateName(), "Sub/New");

  lib.write("Bare.txt", "nrOfControls = 0\n");
  Nx_DlgDesignerData bare;
  ASSERT_TRUE(bare.readFromFile(lib / "Bare.txt", true));
  ASSERT_TRUE(bare.writeToFile(lib / "Bare2.txt"));
  EXPECT_FALSE(lib.exists("Bare2.bmp"));
}

TEST(TemplateFile, FailedSaveLeavesThePictureOfTheTargetWhole) {
  Library lib;
  lib.write("Old.txt", "nrOfControls = 0\n");
  lib.writeBmp("Old.bmp", 40, 30, 0x112233);
  lib.writeBmp("Target.bmp", 40, 30, 0x445566);
  std::filesystem::create_directories(lib / "Target.txt");  // cannot be written over
  const std::string before = lib.read("Target.bmp");
  Nx_DlgDesignerData design;
  ASSERT_TRUE(design.readFromFile(lib / "Old.txt", true));
  AcutPrintCapture capture;
  EXPECT_FALSE(design.writeToFile(lib / "Target.txt"));
  EXPECT_EQ(lib.read("Target.bmp"), before);
  EXPECT_EQ(design.getTemplateName(), "Old");
}

TEST(TemplateFile, DamagedTemplateLoadsWhatIsSoundAndReportsTheRestOnce) {
  Library lib;
  lib.write("Bad.txt",
            "nrOfControls = 5\n"
            // 0: sound
            "type0 = 2\ntopLeftX0 = 0.1\ntopLeftY0 = 0.1\nbottomRightX0 = 0.2\n"
            "bottomRightY0 = 0.2\ncontents0 = \"A\"\ncomboList0 = \"\"\n"
            // 1: type out of range, kept as a label
            "type1 = 99\ntopLeftX1 = 0.1\ntopLeftY1 = 0.3\nbottomRightX1 = 0.2\n"
            "bottomRightY1 = 0.4\ncontents1 = \"B\"\ncomboList1 = \"\"\n"
            // 2: a factor that is no number
            "type2 = 2\ntopLeftX2 = \"left\"\ntopLeftY2 = 0.5\nbottomRightX2 = 0.2\n"
            "bottomRightY2 = 0.6\ncontents2 = \"C\"\ncomboList2 = \"\"\n"
            // 3: a factor outside 0..1
            "type3 = 2\ntopLeftX3 = 0.1\ntopLeftY3 = 0.7\nbottomRightX3 = 1.5\n"
            "bottomRightY3 = 0.8\ncontents3 = \"D\"\ncomboList3 = \"\"\n"
            // 4: keys missing
            "type4 = 2\ntopLeftX4 = 0.1\ncontents4 = \"E\"\n");
  lib.write("Bad.bmp", "not a picture at all, although it has the name of one");
  Nx_DlgDesignerData design;
  AcutPrintCapture capture;
  ASSERT_TRUE(design.readFromFile(lib / "Bad.txt", true));
  ASSERT_EQ(design.getNrControls(), 2);
  EXPECT_EQ(design.getControl(0)->contents, "A");
  EXPECT_EQ(design.getControl(1)->contents, "B");
  EXPECT_EQ(design.getControl(1)->type, ctLabel);
  EXPECT_FALSE(design.picture().isLoaded());

  const Nx_StringArray& problems = design.getReadProblems();
  auto reported = [&](const char* what) {
    int n = 0;
    for (const Nx_String& p : problems)
      n += p.contains(what, true) && p.contains(lib / "Bad", true);
    return n;
  };
  EXPECT_EQ(reported("type1: outside 0 to 30"), 1);
  EXPECT_EQ(reported("topLeftX2: not a number"), 1);
  EXPECT_EQ(reported("bottomRightX3: outside 0 to 1"), 1);
  EXPECT_EQ(reported("topLeftY4: missing"), 1);
  EXPECT_EQ(reported("Bad.bmp: not a BMP picture"), 1);
  // Each once on the command line as well.
  const std::string out = capture.text();
  EXPECT_EQ(out.find("type1:"), out.rfind("type1:"));
}

TEST(TemplateFile, CountBeyondTheFileIsCappedNotLooped) {
  Library lib;
  lib.write("Huge.txt", "nrOfControls = 2000000000\n");
  Nx_DlgDesignerData design;
  AcutPrintCapture capture;
  ASSERT_TRUE(design.readFromFile(lib / "Huge.txt", false));
  EXPECT_EQ(design.getNrControls(), 0);
  ASSERT_GE(design.getReadProblems().length(), 1);
  EXPECT_TRUE(design.getReadProblems()[0].contains("nrOfControls: 2000000000", true));
}

TEST(TemplateFile, UnreadableTemplateGivesAnEmptyDesign) {
  Library lib;
  lib.write("Broken.txt", "nrOfControls = = 3\n");
  Nx_DlgDesignerData design;
  AcutPrintCapture capture;
  ASSERT_TRUE(design.readFromFile(lib / "Broken.txt", false));
  EXPECT_EQ(design.getNrControls(), 0);
  EXPECT_EQ(design.getReadProblems().length(), 1);
}
