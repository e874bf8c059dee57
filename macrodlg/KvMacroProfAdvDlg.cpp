// The advanced profile settings: the shared properties of the profile
// groups of a macro's data, or of the profiles selected in the drawing
// (read and applied through the core's callback).
#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/macro/MacroData.h"
#include "dialogs/KvFieldBinding.h"
#include "platform/arx/acutil.h"

namespace {
// One profile group of one profile tab.
struct GroupRow {
  Nx_String tab;
  Nx_String group;
  Nx_String memberName;
};

bool matches(const Nx_String& filter, const Nx_String& name) {
  return filter.isEmpty() || filter.equal(name, false);
}

Nx_Array<GroupRow> profileGroups(const MacroData& data, const Nx_String& tabName,
                                 const Nx_String& group) {
  Nx_Array<GroupRow> rows;
  for (const MacroTabData& tab : data.tabs) {
    if (tab.kind != kTabProfiles || !matches(tabName, tab.name)) continue;
    for (const MacroProfData& props : tab.mergedProps)
      if (matches(group, props.profileGroup))
        rows.append(GroupRow{tab.name, props.profileGroup, props.memberName});
  }
  return rows;
}

void storeGroups(const Nx_Array<GroupRow>& rows, MacroData& data) {
  for (const GroupRow& row : rows) {
    MacroTabData* tab = data.getTab(data.findTab(row.tab));
    MacroProfData props;
    if (!tab || !tab->getMergedPropsOfGroup(row.group, props)) continue;
    props.memberName = row.memberName;
    tab->setMergedPropsOfGroup(row.group, props);
  }
}
}  // namespace

// tabName and group narrow the groups shown (empty: all); readOnly shows them only.
void StartDlgMacroProfAdv(MacroData& data, const Nx_String& tabName, const Nx_String& group,
                          bool readOnly) {
  guardExport("StartDlgMacroProfAdv", [&] {
    Nx_Array<GroupRow> rows = profileGroups(data, tabName, group);
    if (rows.isEmpty()) {
      acutPrintf("Advanced profiles: the macro has no profile groups to show.\n");
      return;
    }
    KvTableLayout def;
    def.caption = "Advanced profile settings";
    def.heading = data.names.isEmpty() ? Nx_String("Profile groups of the macro")
                                       : "Profile groups of " + data.names[0];
    def.rowsEditable = false;
    def.editable = !readOnly;
    if (!editItems<GroupRow>(def,
                             {lockedField(textField("Tab", &GroupRow::tab)),
                              lockedField(textField("Profile group", &GroupRow::group)),
                              textField("Member name", &GroupRow::memberName, true)},
                             rows) ||
        readOnly)
      return;
    storeGroups(rows, data);
  });
}

// changed: the core applied edited properties to the profiles.
void StartDlgMacroProfAdv(AcArray<AcDbObjectId>* profiles, bool& changed, KvMACallBack callBack) {
  guardExport("StartDlgMacroProfAdv", [&] {
    changed = false;
    if (!profiles || profiles->isEmpty() || !callBack) {
      acutPrintf("Advanced profiles: no profiles are selected.\n");
      return;
    }
    KvResourceScope scope;
    KvMACallBackData request;
    request.profiles = *profiles;
    MacroProfData props;
    if (!callBack(kMACallBackGetProps, request, props)) {
      acutPrintf("Advanced profiles: the selected profiles share no settings.\n");
      return;
    }
    MacroProfData edited = props;
    KvTableLayout def;
    def.caption = "Advanced profile settings";
    def.heading = Nx_String(profiles->length()) + " profiles selected";
    using P = MacroProfData;
    if (!editFields<P>(def,
                       {lockedField(textField("Profile group", &P::profileGroup)),
                        textField("Member name", &P::memberName, true)},
                       edited) ||
        edited == props)
      return;
    changed = callBack(kMACallBackSetProps, request, edited);
  });
}
