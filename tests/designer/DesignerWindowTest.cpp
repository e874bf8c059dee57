// The designer window driven as a user would through the headless script:
// the mouse on the design, the command buttons, files, undo and redo.
#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "core/Nx_PropertiesList.h"
#include "designer/CSelectionTracker.h"
#include "designer/KvDlgDesigner.h"
#include "platform/arx/acutil.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_DLGDESIGNER.h"
#include "tests/designer/DesignerTestLibrary.h"

using namespace ui;
using namespace dlg_dlgdesigner;
using designer_test::Library;

namespace {
MouseEvent mouse(MouseAction action, Point p, bool shift = false, bool control = false) {
  MouseEvent m;
  m.action = action;
  m.point = p;
  m.shift = shift;
  m.control = control;
  return m;
}
MouseEvent down(Point p, bool shift = false, bool control = false) {
  return mouse(MouseAction::Down, p, shift, control);
}
MouseEvent move(Point p) {
  return mouse(MouseAction::Move, p);
}
MouseEvent up(Point p) {
  return mouse(MouseAction::Up, p);
}

Nx_DlgDesignerData& designOf(Dialog& d) {
  return dynamic_cast<KvDlgDesigner&>(d).design();
}
std::vector<int> selection(Dialog& d) {
  return designOf(d).getSelectedIds();
}
Rect rectOf(Dialog& d, int id) {
  return d.item(id)->rect();
}

// Four input fields on a 400 x 300 picture, at pixels
// A (40,30)-(100,60), B (200,30)-(260,60), C (40,150)-(100,180), D (200,150)-(260,180).
struct FourFields {
  FourFields() {
    Nx_PropertiesList list;
    list.setInt("nrOfControls", 4);
    const double spots[4][2] = {{0.1, 0.1}, {0.5, 0.1}, {0.1, 0.5}, {0.5, 0.5}};
    for (int i = 0; i < 4; ++i) {
      Nx_DesignerControl c;
      c.type = ctInputField;
      c.topLeftX = spots[i][0];
      c.topLeftY = spots[i][1];
      c.bottomRightX = spots[i][0] + 0.15;
      c.bottomRightY = spots[i][1] + 0.1;
      c.contents = Nx_String("Field") + Nx_String(i);
      c.setToPropList(list, i);
    }
    list.writeToFile(lib / "Four.txt");
    lib.writeBmp("Four.bmp", 400, 300);
    original = lib.read("Four.txt");
  }
  Nx_String path() const { return lib / "Four.txt"; }
  Library lib;
  std::string original;
};
constexpr int A = 33000, B = 33001, C = 33002, D = 33003;
}  // namespace

TEST(DesignerWindow, EmptyPathOpensAnEmptyDesignWithTheBareTitle) {
  test::GTestScript script;
  Library lib;
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.text(), "Dialog designer");
        EXPECT_EQ(designOf(d).getNrControls(), 0);
        EXPECT_EQ(d.listCount(IDC_TYPE_LIST), 31);
        EXPECT_FALSE(d.isItemEnabled(IDC_CONTENTS));
      })
      .cancel();
  EXPECT_FALSE(StartDlgDesigner(""));
}

TEST(DesignerWindow, OpensTheTemplateWithItsNameInTheTitle) {
  test::GTestScript script;
  FourFields f;
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.text(), "Dialog designer - <Four>");
        EXPECT_EQ(rectOf(d, A), (Rect{40, 30, 100, 60}));
        EXPECT_FALSE(dynamic_cast<KvDlgDesigner&>(d).isModified());
      })
      .ok();
  EXPECT_TRUE(StartDlgDesigner(f.path()));
}

TEST(DesignerWindow, ClicksSelectShiftAddsControlToggles) {
  test::GTestScript script;
  FourFields f;
  script.modal(kTemplateId)
      .mouse(down({50, 40}))
      .mouse(up({50, 40}))
      .check([](Dialog& d) {
        EXPECT_EQ(selection(d), std::vector<int>{A});
        EXPECT_EQ(d.itemText(IDC_CONTENTS), "Field0");
      })
      .mouse(down({210, 40}, true))
      .mouse(up({210, 40}))
      .check([](Dialog& d) {
        EXPECT_EQ(selection(d), (std::vector<int>{A, B}));
        EXPECT_EQ(designOf(d).tracker()->currentId(), -1);
        EXPECT_FALSE(d.isItemEnabled(IDC_CONTENTS));
      })
      .mouse(down({50, 40}, false, true))
      .mouse(up({50, 40}))
      .check([](Dialog& d) { EXPECT_EQ(selection(d), std::vector<int>{B}); })
      .mouse(down({210, 160}))
      .mouse(up({210, 160}))
      .check([](Dialog& d) { EXPECT_EQ(selection(d), std::vector<int>{D}); })
      // A press on empty space with a key held changes nothing.
      .mouse(down({300, 250}, true))
      .mouse(up({300, 250}))
      .check([](Dialog& d) { EXPECT_EQ(selection(d), std::vector<int>{D}); })
      .cancel();
  StartDlgDesigner(f.path());
}

TEST(DesignerWindow, RubberBandSelectsOnlyWhatLiesWhollyInside) {
  test::GTestScript script;
  FourFields f;
  script.modal(kTemplateId)
      .mouse(down({20, 20}))
      .mouse(move({150, 100}))
      .check([](Dialog& d) {
        EXPECT_EQ(designOf(d).tracker()->gesture(), CSelectionTracker::Gesture::Band);
      })
      .mouse(up({230, 170}))  // A wholly, B, C and D only in part
      .check([](Dialog& d) { EXPECT_EQ(selection(d), std::vector<int>{A}); })
      .mouse(down({300, 250}))
      .mouse(up({10, 10}))  // dragged up and left: normalised
      .check([](Dialog& d) {
        EXPECT_EQ(selection(d), (std::vector<int>{A, B, C, D}));
      })
      .cancel();
  StartDlgDesigner(f.path());
}

TEST(DesignerWindow, DraggingOneOfThreeMovesAllThreeAlike) {
  test::GTestScript script;
  FourFields f;
  script.modal(kTemplateId)
      .mouse(down({50, 40}))
      .mouse(up({50, 40}))
      .mouse(down({210, 40}, true))
      .mouse(up({210, 40}))
      .mouse(down({50, 160}, true))
      .mouse(up({50, 160}))
      .mouse(down({215, 45}))  // inside B, already selected: the selection stays
      .mouse(move({220, 50}))
      .mouse(move({232, 38}))
      .mouse(up({232, 38}))
      .check([](Dialog& d) {
        EXPECT_EQ(selection(d), (std::vector<int>{A, B, C}));
        EXPECT_EQ(rectOf(d, A), (Rect{57, 23, 117, 53}));
        EXPECT_EQ(rectOf(d, B), (Rect{217, 23, 277, 53}));
        EXPECT_EQ(rectOf(d, C), (Rect{57, 143, 117, 173}));
        EXPECT_EQ(rectOf(d, D), (Rect{200, 150, 260, 180}));
        EXPECT_TRUE(dynamic_cast<KvDlgDesigner&>(d).isModified());
      })
      .cancel();
  StartDlgDesigner(f.path());
}

TEST(DesignerWindow, EachOfTheEightHandlesResizesItsEdges) {
  struct Case {
    Point handle;  // on A (40,30)-(100,60), handles 5 pixels outside
    Rect after;    // dragged by (+10, +10)
  };
  const Case cases[] = {
      {{37, 27}, {50, 40, 100, 60}},   // top left
      {{102, 27}, {40, 40, 110, 60}},  // top right
      {{102, 62}, {40, 30, 110, 70}},  // bottom right
      {{37, 62}, {50, 30, 100, 70}},   // bottom left
      {{70, 27}, {40, 40, 100, 60}},   // top
      {{102, 45}, {40, 30, 110, 60}},  // right
      {{70, 62}, {40, 30, 100, 70}},   // bottom
      {{37, 45}, {50, 30, 100, 60}},   // left
  };
  for (const Case& c : cases) {
    test::GTestScript script;
    FourFields f;
    script.modal(kTemplateId)
        .mouse(down({50, 40}))
        .mouse(up({50, 40}))
        .mouse(down(c.handle))
        .check([](Dialog& d) {
          EXPECT_EQ(designOf(d).tracker()->gesture(), CSelectionTracker::Gesture::Resize);
        })
        .mouse(up({c.handle.x + 10, c.handle.y + 10}))
        .check([&](Dialog& d) {
          EXPECT_EQ(rectOf(d, A), c.after) << c.handle.x << "," << c.handle.y;
          EXPECT_EQ(rectOf(d, B), (Rect{200, 30, 260, 60}));
        })
        .cancel();
    StartDlgDesigner(f.path());
  }
}

TEST(DesignerWindow, AddingMakesAnInputFieldAtTwentyPercent) {
  test::GTestScript script;
  FourFields f;
  script.modal(kTemplateId)
      .click(IDC_ADD)
      .check([](Dialog& d) {
        ASSERT_EQ(designOf(d).getNrControls(), 5);
        EXPECT_EQ(designOf(d).getControl(4)->type, ctInputField);
        EXPECT_EQ(designOf(d).getControl(4)->resourceId, 33004);
        EXPECT_EQ(rectOf(d, 33004), (Rect{80, 60, 110, 78}));
        EXPECT_EQ(selection(d), std::vector<int>{33004});
        EXPECT_EQ(d.itemText(IDC_CONTENTS), "New");
      })
      .cancel();
  StartDlgDesigner(f.path());
}

TEST(DesignerWindow, ChangingTheTypeRebuildsTheWindowInPlace) {
  test::GTestScript script;
  FourFields f;
  script.modal(kTemplateId)
      .mouse(down({50, 40}))
      .mouse(up({50, 40}))
      .pick(IDC_TYPE_LIST, ctLabel)
      .check([](Dialog& d) {
        EXPECT_EQ(d.item(A)->className(), "STATIC");
        EXPECT_EQ(rectOf(d, A), (Rect{40, 30, 100, 60}));
        EXPECT_EQ(selection(d), std::vector<int>{A});
      })
      .pick(IDC_TYPE_LIST, ctProfile)
      .check([](Dialog& d) { EXPECT_EQ(d.item(A)->className(), "COMBOBOX"); })
      .type(IDC_CONTENTS, "Column")
      .check([](Dialog& d) { EXPECT_EQ(designOf(d).getControl(0)->contents, "Column"); })
      .cancel();
  StartDlgDesigner(f.path());
}

TEST(DesignerWindow, EscapeIsSwallowedAndClosingAsksFirst) {
  test::GTestScript script;
  FourFields f;
  script.modal(kTemplateId)
      .key(VK_ESCAPE)
      .check([](Dialog& d) { EXPECT_FALSE(d.hasEnded()); })
      .click(IDC_ADD)
      .close()
      .check([](Dialog& d) { EXPECT_FALSE(d.hasEnded()); })
      .close();
  script.answer(IDCANCEL, "save the changes");
  script.answer(IDNO, "<Four>");
  EXPECT_FALSE(StartDlgDesigner(f.path()));
  EXPECT_TRUE(script.done());
  EXPECT_EQ(f.lib.read("Four.txt"), f.original);
}

TEST(DesignerWindow, OkSavesWhenAskedTo) {
  test::GTestScript script;
  FourFields f;
  script.modal(kTemplateId).click(IDC_ADD).ok();
  script.answer(IDYES);
  EXPECT_TRUE(StartDlgDesigner(f.path()));
  EXPECT_NE(f.lib.read("Four.txt").find("nrOfControls = 5"), std::string::npos);
}

TEST(DesignerWindow, UndoAndRedoRestoreTheTemplateByteForByte) {
  test::GTestScript script;
  FourFields f;
  std::string edited;
  script.modal(kTemplateId)
      .mouse(down({50, 40}))
      .mouse(move({80, 70}))
      .mouse(up({80, 70}))
      .mouse(down({132, 92}))  // the bottom right handle of A where it went
      .mouse(up({150, 110}))
      .click(IDC_COPY)
      .key(VK_RIGHT)
      .key(VK_DOWN, true)
      .mouse(down({210, 40}, true))
      .mouse(up({210, 40}))
      .click(IDC_DELETE)
      .mouse(down({50, 160}))
      .mouse(up({50, 160}))
      .type(IDC_CONTENTS, "X")
      .type(IDC_CONTENTS, "XY")
      .check([&](Dialog& d) { edited = designOf(d).getTemplateText().str(); })
      .key('Z', false, true)  // typing was one step
      .key('Z', false, true)
      .key('Z', false, true)
      .key('Z', false, true)
      .key('Z', false, true)
      .key('Z', false, true)
      .key('Z', false, true)
      .check([&](Dialog& d) {
        auto& w = dynamic_cast<KvDlgDesigner&>(d);
        EXPECT_EQ(designOf(d).getTemplateText().str(), f.original);
        EXPECT_FALSE(w.isModified());
        EXPECT_FALSE(w.undo());
      })
      .key('Y', false, true)
      .check([&](Dialog& d) { EXPECT_TRUE(dynamic_cast<KvDlgDesigner&>(d).isModified()); })
      .key('Y', false, true)
      .key('Y', false, true)
      .key('Y', false, true)
      .key('Y', false, true)
      .key('Y', false, true)
      .key('Y', false, true)
      .check([&](Dialog& d) { EXPECT_EQ(designOf(d).getTemplateText().str(), edited); })
      .cancel();
  StartDlgDesigner(f.path());
}

TEST(DesignerWindow, ArrowsNudgeByOnePixelAndShiftByTen) {
  test::GTestScript script;
  FourFields f;
  script.modal(kTemplateId)
      .mouse(down({50, 40}))
      .mouse(up({50, 40}))
      .key(VK_RIGHT)
      .key(VK_UP)
      .key(VK_LEFT, true)
      .check([](Dialog& d) {
        EXPECT_EQ(rectOf(d, A), (Rect{31, 29, 91, 59}));
      })
      .key('Z', false, true)
      .check([](Dialog& d) {
        EXPECT_EQ(rectOf(d, A), (Rect{41, 29, 101, 59}));
      })
      .cancel();
  StartDlgDesigner(f.path());
}

TEST(DesignerWindow, KeysGoToThePropertyFieldUntilTheDesignIsClicked) {
  test::GTestScript script;
  FourFields f;
  script.modal(kTemplateId)
      .mouse(down({50, 40}))
      .mouse(up({50, 40}))
      .check([](Dialog& d) { d.item(IDC_CONTENTS)->setFocus(); })
      .key(VK_DELETE)
      .key(VK_RIGHT)
      .check([](Dialog& d) {
        EXPECT_EQ(designOf(d).getNrControls(), 4);
        EXPECT_EQ(rectOf(d, A), (Rect{40, 30, 100, 60}));
      })
      .mouse(down({50, 40}))
      .mouse(up({50, 40}))
      .key(VK_RIGHT)
      .check([](Dialog& d) {
        EXPECT_EQ(rectOf(d, A), (Rect{41, 30, 101, 60}));
      })
      .key(VK_DELETE)
      .check([](Dialog& d) {
        EXPECT_EQ(designOf(d).getNrControls(), 3);
        EXPECT_EQ(d.item(A), nullptr);
        EXPECT_TRUE(selection(d).empty());
      })
      // Nothing selected: the key is the dialog's again.
      .key(VK_DELETE)
      .check([](Dialog& d) { EXPECT_EQ(designOf(d).getNrControls(), 3); })
      .key('Z', false, true)
      .check([](Dialog& d) {
        EXPECT_EQ(rectOf(d, A), (Rect{41, 30, 101, 60}));
      })
      .cancel();
  StartDlgDesigner(f.path());
}

TEST(DesignerWindow, PictureForAnUnnamedDesignAsksForANameFirst) {
  test::GTestScript script;
  Library lib;
  lib.dir().write("pic.bmp", "");
  lib.writeBmp("../pic.bmp", 60, 40);
  const std::string pic = lib.dir() / "Dialog Templates/pic.bmp";
  script.modal(kTemplateId)
      .click(IDC_PICTURE)
      .check([](Dialog& d) { EXPECT_FALSE(designOf(d).picture().isLoaded()); })
      .click(IDC_PICTURE)
      .check([](Dialog& d) {
        EXPECT_EQ(designOf(d).picture().width(), 60);
        EXPECT_EQ(d.text(), "Dialog designer - <Named>");
        EXPECT_TRUE(dynamic_cast<KvDlgDesigner&>(d).isModified());
      })
      .cancel();
  script.chooseFile(pic).cancelFileDialog();
  script.chooseFile(pic).chooseFile(lib / "Named.txt");
  StartDlgDesigner("");
  EXPECT_TRUE(script.done());
  EXPECT_EQ(lib.read("Named.bmp"), lib.read("../pic.bmp"));
}

TEST(DesignerWindow, NoPictureFileLeavesThePictureAsItWas) {
  test::GTestScript script;
  FourFields f;
  f.lib.write("fake.bmp", "BM but nothing more");
  script.modal(kTemplateId)
      .click(IDC_PICTURE)
      .check([](Dialog& d) { EXPECT_EQ(designOf(d).picture().width(), 400); })
      .cancel();
  script.chooseFile(f.lib / "fake.bmp").answer(IDOK, "not a BMP");
  StartDlgDesigner(f.path());
  EXPECT_EQ(f.lib.read("Four.bmp").size(), 54u + 400 * 300 * 3);
}

TEST(DesignerWindow, SizeOfTheSelectionThroughTheValueDialog) {
  test::GTestScript script;
  FourFields f;
  script.modal(kTemplateId)
      .mouse(down({50, 40}))
      .mouse(up({50, 40}))
      .click(IDC_WIDTH)
      .click(IDC_HEIGHT)
      .check([](Dialog& d) {
        EXPECT_EQ(rectOf(d, A), (Rect{40, 30, 120, 55}));
      })
      .cancel();
  script.modal().type(1000, "80").ok();
  script.modal().type(1000, "25").ok();
  StartDlgDesigner(f.path());
}

TEST(DesignerWindow, ControlNamesOfATemplate) {
  FourFields f;
  Nx_StringArray names;
  GetImageDlgCtrlNames("Four", names);
  EXPECT_EQ(names, (Nx_StringArray{"Field0", "Field1", "Field2", "Field3"}));
}
