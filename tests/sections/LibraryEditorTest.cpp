// The section-library editor on a copy of the sample library: tables,
// sizes added, deleted and sorted, the cross-section and its properties,
// saving (and a failed save), driven through the headless script.
#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "platform/base/AtomicFile.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/RecordingPaintContext.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_EDITLIBSECTIONS.h"
#include "resources/dialogs/DLG_EDITLIBSIMPLE.h"
#include "sections/KvDlgEditLibSections.h"
#include "tests/sections/SectionsTestLibrary.h"

using namespace ui;
using namespace dlg_editlibsections;

namespace {
KvDlgEditLibSections& editor(Dialog& d) {
  return static_cast<KvDlgEditLibSections&>(d);
}

std::vector<std::string> texts(ui::RecordingPaintContext& dc) {
  std::vector<std::string> out;
  for (const std::string& call : dc.calls("text")) out.push_back(call);
  return out;
}

bool drew(ui::RecordingPaintContext& dc, const std::string& part) {
  for (const std::string& t : texts(dc))
    if (t.find(part) != std::string::npos) return true;
  return false;
}
}  // namespace

class LibraryEditorTest : public ::testing::Test {
 protected:
  SectionsTestLibrary library_;
  test::GTestScript script_;
};

TEST_F(LibraryEditorTest, ShowsTheTablesAndTheSelectedSection) {
  script_.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.listCount(IDC_TABLES), 3);
        EXPECT_EQ(editor(d).currentName(), "IPE");
        Nx_Spread& sizes = editor(d).sizes();
        EXPECT_EQ(sizes.getMaxRows(), 18);
        Nx_String cell;
        sizes.getCellText(1, 5, cell);
        EXPECT_EQ(cell, "IPE160");
        EXPECT_EQ(sizes.getCellType(2, 5), sizes.getCellType(2, 1));  // check boxes
        ASSERT_TRUE(editor(d).selectSize(10));                        // IPE270
        RecordingPaintContext dc;
        editor(d).view().paint(dc);
        EXPECT_TRUE(drew(dc, "IPE 270"));
        EXPECT_TRUE(drew(dc, "h = 270"));
        EXPECT_TRUE(drew(dc, "b = 135"));
        EXPECT_TRUE(drew(dc, "tw = 6.6"));
        EXPECT_TRUE(drew(dc, "tf = 10.2"));
        EXPECT_TRUE(drew(dc, "r = 15"));
        EXPECT_GT(dc.calls("line").size(), 100u);  // outline and hatching
        // Every property of the row computed, none off by more than 1%.
        Nx_Spread& props = editor(d).properties();
        EXPECT_EQ(props.getMaxRows(), 14);
        for (int r = 1; r <= props.getMaxRows(); ++r) {
          Nx_String diff;
          props.getCellText(4, r, diff);
          EXPECT_EQ(diff.find('!'), -1) << diff.c_str();
        }
      })
      .ok();
  DlgEditLibData data;
  ASSERT_TRUE(StartDlgEditLibSections(data, "IPE"));
  EXPECT_EQ(data.currentTable, "IPE");
  EXPECT_TRUE(data.savedTables.isEmpty());
}

TEST_F(LibraryEditorTest, WrongTableValueIsMarked) {
  script_.modal(kTemplateId)
      .check([](Dialog& d) {
        Nx_Spread& sizes = editor(d).sizes();
        int iy = 0;
        Nx_StringArray headers;
        sizes.getColumnHeaders(headers);
        iy = headers.find("Iy", true) + 1;
        ASSERT_GT(iy, 1);
        sizes.setCellText(iy, 3, "400");                     // IPE120's Iy is 317.8
        sizes.sheet()->setBool(kSpreadOptionChanged, true);  // as the control marks a user's edit
        editor(d).selectSize(3);
        Nx_Spread& props = editor(d).properties();
        bool marked = false;
        for (int r = 1; r <= props.getMaxRows(); ++r) {
          Nx_String name, diff;
          props.getCellText(1, r, name);
          props.getCellText(4, r, diff);
          if (name == "Iy") marked = diff.find('!') >= 0;
        }
        EXPECT_TRUE(marked);
      })
      .cancel();
  script_.answer(IDYES, "Discard");
  DlgEditLibData data;
  EXPECT_FALSE(StartDlgEditLibSections(data, "IPE"));
}

TEST_F(LibraryEditorTest, AddsASizeThroughTheSizeEditorAndSavesIt) {
  script_.modal(kTemplateId)
      .check([](Dialog& d) {
        ASSERT_TRUE(editor(d).openTable("HEA"));
        ASSERT_TRUE(editor(d).selectSize(19));  // HEA600
      })
      .click(IDC_ADD_SIZE)
      .check([](Dialog& d) {
        EXPECT_TRUE(editor(d).isModified("HEA"));
        EXPECT_EQ(editor(d).sizes().getMaxRows(), 20);
        EXPECT_EQ(editor(d).selectedSize(), 20);
      })
      .ok();
  script_.modal(dlg_editlibsimple::kTemplateId)
      .click(dlg_editlibsimple::IDC_OWN_NAME)
      .type(dlg_editlibsimple::IDC_NAME, "HEA650")
      .type(dlg_editlibsimple::IDC_VALUE1, "640")
      .ok();
  DlgEditLibData data;
  ASSERT_TRUE(StartDlgEditLibSections(data, ""));
  EXPECT_EQ(data.savedTables, (Nx_StringArray{"HEA"}));
  Nx_ProfValuesTable saved;
  ASSERT_TRUE(saved.readFromFile("HEA"));
  ASSERT_EQ(saved.rows.length(), 20);
  EXPECT_EQ(saved.rows[19][0], "HEA650");
  EXPECT_EQ(saved.rows[19][7], "640");
  Nx_String value;
  EXPECT_EQ(gSectionTables.getSectionValue("HEA650", 0, value), Acad::eOk);
  EXPECT_EQ(value, "640");
}

TEST_F(LibraryEditorTest, DeletesAndSortsSizes) {
  script_.modal(kTemplateId)
      .check([](Dialog& d) {
        ASSERT_TRUE(editor(d).selectSize(1));
        ASSERT_TRUE(editor(d).deleteSize());
        EXPECT_EQ(editor(d).sizes().getMaxRows(), 17);
        // A click on the header of b sorts by it, a second click the other way round.
        ASSERT_TRUE(editor(d).sizes().userSelectHeader(8, 0));
        Nx_String first;
        editor(d).sizes().getCellText(1, 1, first);
        EXPECT_EQ(first, "IPE100");  // b = 55, IPE80 is gone
        ASSERT_TRUE(editor(d).sizes().userSelectHeader(8, 0));
        // A row's header selects the row and leaves the order.
        ASSERT_TRUE(editor(d).sizes().userSelectHeader(0, 3));
        editor(d).sizes().getCellText(1, 1, first);
        EXPECT_EQ(first, "IPE600");
        editor(d).sizes().setCellBool(2, 2, false);  // IPE550 excluded
        ASSERT_TRUE(editor(d).saveTable());
        EXPECT_FALSE(editor(d).isModified("IPE"));
      })
      .cancel();
  DlgEditLibData data;
  EXPECT_FALSE(StartDlgEditLibSections(data, "IPE"));
  Nx_ProfValuesTable saved;
  ASSERT_TRUE(saved.readFromFile("IPE"));
  EXPECT_EQ(saved.rows.length(), 17);
  EXPECT_EQ(saved.rows[0][0], "IPE600");
  EXPECT_EQ(saved.rows[0][1], "1");
  EXPECT_EQ(saved.rows[1][1], "0");  // the check box read back as the flag
  EXPECT_EQ(saved.rows[1][2], "IPE 550");
}

TEST_F(LibraryEditorTest, FailedSaveLeavesTheOldFile) {
  std::string before = library_.dir().read("prof/HEB.pr");
  script_.modal(kTemplateId)
      .check([&](Dialog& d) {
        ASSERT_TRUE(editor(d).openTable("HEB"));
        editor(d).selectSize(1);
        ASSERT_TRUE(editor(d).deleteSize());
        base::setAtomicWriteFailureAfter(100);  // the disk fills up during the write
        EXPECT_FALSE(editor(d).saveTable());
        base::setAtomicWriteFailureAfter(-1);
        EXPECT_TRUE(editor(d).isModified("HEB"));
      })
      .cancel();
  script_.answer(IDOK, "could not be saved");
  script_.answer(IDYES, "Discard");
  DlgEditLibData data;
  EXPECT_FALSE(StartDlgEditLibSections(data, "IPE"));
  EXPECT_EQ(library_.dir().read("prof/HEB.pr"), before);
}

TEST_F(LibraryEditorTest, RefusesToSaveRepeatedSystemNames) {
  script_.modal(kTemplateId)
      .check([](Dialog& d) {
        editor(d).sizes().setCellText(1, 2, "ipe80");
        editor(d).sizes().sheet()->setBool(kSpreadOptionChanged, true);
        EXPECT_FALSE(editor(d).saveTable());
      })
      .cancel();
  script_.answer(IDOK, "occurs twice");
  script_.answer(IDYES, "Discard");
  DlgEditLibData data;
  EXPECT_FALSE(StartDlgEditLibSections(data, "IPE"));
  Nx_ProfValuesTable t;
  ASSERT_TRUE(t.readFromFile("IPE"));
  EXPECT_EQ(t.rows[1][0], "IPE100");
}

TEST_F(LibraryEditorTest, ReportsTheFaultsOfABadTable) {
  library_.dir().write("prof/Bad.pr",
                       "1\nSysName\tI/O\tEnglish\tDutch\tGerman\tFrench\th\n"
                       "A\t1\tA\tA\tA\tA\t10\nB\t1\n");
  // The faults are shown as the table opens, before the user can act.
  script_.answer(IDOK, "Bad.pr:4");
  script_.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(editor(d).sizes().getMaxRows(), 1);
        EXPECT_NE(d.itemText(IDC_STATUS).find("1 faults"), std::string::npos);
      })
      .ok();
  DlgEditLibData data;
  ASSERT_TRUE(StartDlgEditLibSections(data, "Bad"));
}

TEST(SectionViewTest, DrawsEveryShapeWithItsDimensions) {
  for (int shape = 1; shape <= 24; ++shape) {
    KvSectionView view;
    view.setRect({0, 0, 360, 360});
    view.setSection(shape, typicalDimensions(shape), "S");
    ASSERT_FALSE(view.outline().isEmpty()) << shape;
    RecordingPaintContext dc;
    view.paint(dc);
    EXPECT_GT(dc.calls("line").size(), 20u) << shape;
    EXPECT_GE(texts(dc).size(), 2u) << shape;  // the title and at least one dimension
  }
  KvSectionView view;
  view.setSection(1, {100, 50, 5, 60, 5}, "Bad");  // flanges deeper than half the height
  RecordingPaintContext dc;
  view.paint(dc);
  EXPECT_TRUE(drew(dc, "make no section"));
}
