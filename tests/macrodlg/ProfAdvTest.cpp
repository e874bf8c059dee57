#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "core/macro/MacroData.h"
#include "platform/arx/acutil.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_FIELDSET.h"
#include "resources/dialogs/DLG_SS_STRINGARRAY.h"
#include "spreadsheet/Nx_Spread.h"

using namespace ui;
using dlg_ss_stringarray::IDC_TABLE;

namespace {
Nx_Spread& table(Dialog& d) {
  return *d.itemAs<Nx_Spread>(IDC_TABLE);
}

MacroData macroWithProfiles() {
  MacroData data;
  data.names.append("EP-101");
  data.tabs.append(MacroTabData("Bolts", "Bolts", kTabGridBolts));
  MacroTabData profiles("Profiles", "Profiles", kTabProfiles);
  profiles.mergedProps.append(MacroProfData("Column", "C1"));
  profiles.mergedProps.append(MacroProfData("Beam", "B1"));
  data.tabs.append(profiles);
  return data;
}

Nx_String memberOf(const MacroData& data, const char* group) {
  MacroProfData props;
  data.getTab(data.findTab("Profiles"))->getMergedPropsOfGroup(group, props);
  return props.memberName;
}
}  // namespace

TEST(AdvancedProfiles, MacroGroupsAreEditedByMemberName) {
  test::GTestScript script;
  MacroData data = macroWithProfiles();
  script.modal(dlg_ss_stringarray::kTemplateId)
      .check([](Dialog& d) {
        ASSERT_EQ(table(d).getMaxRows(), 2);
        EXPECT_FALSE(d.isItemShown(dlg_ss_stringarray::IDC_ADD));
        EXPECT_FALSE(table(d).userEdit(2, 1, "Stanchion"));  // the group names stay
        EXPECT_TRUE(table(d).userEdit(3, 2, "B7"));
      })
      .ok();
  StartDlgMacroProfAdv(data, "", "", false);
  EXPECT_EQ(memberOf(data, "Beam"), "B7");
  EXPECT_EQ(memberOf(data, "Column"), "C1");

  // Narrowed to one group; shown only, or cancelled: nothing changes.
  const MacroData before = data;
  script.modal(dlg_ss_stringarray::kTemplateId)
      .check([](Dialog& d) {
        ASSERT_EQ(table(d).getMaxRows(), 1);
        EXPECT_FALSE(table(d).userEdit(3, 1, "C9"));
      })
      .ok();
  StartDlgMacroProfAdv(data, "profiles", "column", true);
  script.modal(dlg_ss_stringarray::kTemplateId)
      .check([](Dialog& d) { table(d).userEdit(3, 1, "C9"); })
      .cancel();
  StartDlgMacroProfAdv(data, "", "Column", false);
  EXPECT_TRUE(data == before);

  AcutPrintCapture printed;
  StartDlgMacroProfAdv(data, "Bolts", "", false);
  EXPECT_EQ(printed.text(), "Advanced profiles: the macro has no profile groups to show.\n");
}

namespace {
// The core's side of the selected-profiles dialog.
struct Core {
  static inline int sets = 0;
  static inline bool shares = true;
  static inline MacroProfData applied;
  static inline int profileCount = 0;
  static bool callBack(KvMACallBackType type, const KvMACallBackData& data, MacroProfData& props) {
    profileCount = data.profiles.length();
    if (type == kMACallBackGetProps) {
      props = MacroProfData("Beam", "B1");
      return shares;
    }
    ++sets;
    applied = props;
    return true;
  }
};
}  // namespace

TEST(AdvancedProfiles, SelectedProfilesGoThroughTheCallBack) {
  test::GTestScript script;
  AcArray<AcDbObjectId> ids;
  ids.append(AcDbObjectId(11));
  ids.append(AcDbObjectId(12));
  bool changed = false;
  constexpr int kValues = 2, kMember = 2;
  script.modal(dlg_fieldset::kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.itemText(dlg_fieldset::IDC_HEADING), "2 profiles selected");
        table(d).userEdit(kValues, kMember, "B2");
      })
      .ok();
  StartDlgMacroProfAdv(&ids, changed, Core::callBack);
  EXPECT_TRUE(changed);
  EXPECT_EQ(Core::sets, 1);
  EXPECT_EQ(Core::profileCount, 2);
  EXPECT_EQ(Core::applied, MacroProfData("Beam", "B2"));

  // Nothing edited, or cancelled: nothing is applied.
  script.modal(dlg_fieldset::kTemplateId).ok();
  script.modal(dlg_fieldset::kTemplateId)
      .check([](Dialog& d) { table(d).userEdit(kValues, kMember, "B3"); })
      .cancel();
  StartDlgMacroProfAdv(&ids, changed, Core::callBack);
  EXPECT_FALSE(changed);
  StartDlgMacroProfAdv(&ids, changed, Core::callBack);
  EXPECT_EQ(Core::sets, 1);

  AcutPrintCapture printed;
  Core::shares = false;
  StartDlgMacroProfAdv(&ids, changed, Core::callBack);
  AcArray<AcDbObjectId> none;
  StartDlgMacroProfAdv(&none, changed, Core::callBack);
  StartDlgMacroProfAdv(nullptr, changed, Core::callBack);
  EXPECT_EQ(printed.text(),
            "Advanced profiles: the selected profiles share no settings.\n"
            "Advanced profiles: no profiles are selected.\n"
            "Advanced profiles: no profiles are selected.\n");
  EXPECT_TRUE(script.done());
}
