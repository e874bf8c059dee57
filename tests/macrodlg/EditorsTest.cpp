#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "macrodlg/DlgMacroCutsData.h"
#include "macrodlg/DlgProfCutsData.h"
#include "macrodlg/DlgProfFeaturesData.h"
#include "macrodlg/DynArrayData.h"
#include "macrodlg/EditConstrData.h"
#include "macrodlg/KvConstraintsDlg.h"
#include "platform/arx/acutil.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_FIELDSET.h"
#include "resources/dialogs/DLG_SS_STRINGARRAY.h"
#include "spreadsheet/Nx_Spread.h"

using namespace ui;
using dlg_ss_stringarray::IDC_ADD;
using dlg_ss_stringarray::IDC_TABLE;
constexpr int kTable = dlg_ss_stringarray::kTemplateId;
constexpr int kFields = dlg_fieldset::kTemplateId;

namespace {
Nx_Spread& table(Dialog& d) {
  return *d.itemAs<Nx_Spread>(IDC_TABLE);
}

EditConstrData twoConstraints() {
  EditConstrData data;
  data.macroName = "EP-101";
  data.moduleName = "Endplate";
  data.constraints.append({"Top", 0, 15, true});
  data.constraints.append({"Bottom", 4, -15, false});
  return data;
}
}  // namespace

TEST(ConstraintsEditor, ModalShowsShapesByNameAndRefusesABadDistance) {
  test::GTestScript script;
  EditConstrData data = twoConstraints();
  const EditConstrData before = data;
  script.modal(kTable)
      .check([](Dialog& d) {
        EXPECT_EQ(d.itemText(dlg_ss_stringarray::IDC_HEADING),
                  "Cut constraints of Endplate in macro EP-101");
        Nx_StringArray row;
        table(d).getRowValues(2, row);
        EXPECT_EQ(row, (Nx_StringArray{"Bottom", "notch", "-15", "0"}));
        table(d).userEdit(3, 1, "fifteen");
      })
      .ok()
      .cancel();
  script.answer(IDOK, "Row 1, Distance (mm): enter a number");
  EXPECT_FALSE(StartDlgEditConstrModal(data));
  EXPECT_TRUE(data == before);

  script.modal(kTable)
      .check([](Dialog& d) {
        table(d).userEdit(2, 1, "chamfer");
        table(d).userEdit(3, 1, "22.5");
        table(d).userClickCell(4, 2);
        table(d).userMoveTo(1, 2);
      })
      .click(IDC_ADD)
      .check([](Dialog& d) { table(d).userEdit(1, 3, "Web"); })
      .ok();
  ASSERT_TRUE(StartDlgEditConstrModal(data));
  ASSERT_EQ(data.constraints.length(), 3);
  EXPECT_EQ(data.constraints[0], (EditConstrData::Constraint{"Top", 5, 22.5, true}));
  EXPECT_TRUE(data.constraints[1].active);
  EXPECT_EQ(data.constraints[2], (EditConstrData::Constraint{"Web", 0, 0, false}));
  EXPECT_EQ(data.macroName, "EP-101");
}

TEST(ConstraintsEditor, ModelessEditorIsOneAtATimeAndWritesBackOnOk) {
  test::GTestScript script;
  AcutPrintCapture printed;
  EditConstrData data = twoConstraints();
  ASSERT_TRUE(StartDlgEditConstraints(data));
  KvRecordTableDlg* editor = openConstraintsEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_FALSE(editor->isModal());

  EditConstrData other;
  EXPECT_FALSE(StartDlgEditConstraints(other));
  EXPECT_NE(printed.text().find("open already"), std::string::npos);

  script.now(*editor).check([](Dialog& d) { table(d).userEdit(1, 1, "Top edge"); }).ok();
  EXPECT_EQ(openConstraintsEditor(), nullptr);
  EXPECT_EQ(data.constraints[0].name, "Top edge");
  EndDlgEditConstraints();  // nothing left to end

  // Ended from outside, the editor leaves the record as it was.
  ASSERT_TRUE(StartDlgEditConstraints(data));
  script.now(*openConstraintsEditor()).check([](Dialog& d) { table(d).userEdit(1, 1, "x"); });
  EndDlgEditConstraints();
  EXPECT_EQ(openConstraintsEditor(), nullptr);
  EXPECT_EQ(data.constraints[0].name, "Top edge");
}

TEST(CutEditors, MacroCutsTellWhetherTheyChanged) {
  test::GTestScript script;
  DlgMacroCutsData data;
  data.macroName = "FP-7";
  data.cuts.append({"Beam", 0, 10, 90});
  bool changed = true;
  script.modal(kTable).ok();
  ASSERT_TRUE(StartDlgMacroCuts(data, changed));
  EXPECT_FALSE(changed);

  script.modal(kTable).check([](Dialog& d) { table(d).userEdit(4, 1, "45"); }).ok();
  ASSERT_TRUE(StartDlgMacroCuts(data, changed));
  EXPECT_TRUE(changed);
  EXPECT_DOUBLE_EQ(data.cuts[0].angle, 45);

  script.modal(kTable).check([](Dialog& d) { table(d).userEdit(4, 1, "180"); }).ok().cancel();
  script.answer(IDOK, "Angle (degrees): enter a number from 1 to 179");
  EXPECT_FALSE(StartDlgMacroCuts(data, changed));
  EXPECT_FALSE(changed);
  EXPECT_DOUBLE_EQ(data.cuts[0].angle, 45);
}

TEST(CutEditors, ProfileCutsAndFeaturesMapTheirChoices) {
  test::GTestScript script;
  DlgProfCutsData cuts;
  cuts.cuts.append({DlgProfCutsData::kStart, 0, 90, 90, 0});
  script.modal(kTable)
      .check([](Dialog& d) {
        table(d).userEdit(1, 1, "End");
        table(d).userEdit(3, 1, "60");
      })
      .ok();
  ASSERT_TRUE(StartEditProfCutsDlg(cuts));
  EXPECT_EQ(cuts.cuts[0].end, DlgProfCutsData::kEnd);
  EXPECT_DOUBLE_EQ(cuts.cuts[0].webAngle, 60);

  DlgProfFeaturesData features;
  script.modal(kTable)
      .click(IDC_ADD)
      .check([](Dialog& d) {
        Nx_StringArray row;
        table(d).getRowValues(1, row);
        EXPECT_EQ(row[0], "Hole");
        EXPECT_EQ(row[4], "1");  // a new hole starts at the smallest size
        table(d).userEdit(1, 1, "Slot");
        table(d).userEdit(2, 1, "Bottom flange");
        table(d).userEdit(3, 1, "250");
        table(d).userEdit(5, 1, "18");
        table(d).userEdit(6, 1, "40");
      })
      .ok();
  ASSERT_TRUE(StartDlgProfFeatures(features));
  ASSERT_EQ(features.features.length(), 1);
  EXPECT_EQ(features.features[0],
            (DlgProfFeaturesData::Feature{DlgProfFeaturesData::kSlot,
                                          DlgProfFeaturesData::kBottomFlange, 250, 0, 18, 40}));
}

TEST(ArrayDialog, CountsTheSelectionAndRefusesNoCopies) {
  test::GTestScript script;
  AcutPrintCapture printed;
  DynArrayData data;
  EXPECT_FALSE(StartArrayDlg(data, {}, ""));
  EXPECT_EQ(printed.text(), "Array: no objects are selected.\n");

  AcArray<AcDbObjectId> ids;
  ids.append(AcDbObjectId(7));
  ids.append(AcDbObjectId(8));
  script.modal(kFields)
      .check([](Dialog& d) {
        EXPECT_EQ(d.text(), "Copy beams");
        EXPECT_EQ(d.itemText(dlg_fieldset::IDC_HEADING),
                  "2 objects selected; counts include the original.");
        table(d).userEdit(2, 1, "0");
      })
      .ok()
      .check([](Dialog& d) {
        table(d).userEdit(2, 1, "5");
        table(d).userEdit(2, 2, "-2400");
      })
      .ok();
  script.answer(IDOK, "Count X: enter a whole number from 1 to 1000");
  ASSERT_TRUE(StartArrayDlg(data, ids, "Copy beams"));
  EXPECT_EQ(data.countX, 5);
  EXPECT_DOUBLE_EQ(data.spacingX, -2400);
  EXPECT_EQ(data.countY, 1);
}
