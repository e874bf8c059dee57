#include "macrodlg/KvConstraintsDlg.h"

#include <memory>

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "dialogs/KvFieldBinding.h"
#include "macrodlg/CutKinds.h"
#include "macrodlg/EditConstrData.h"
#include "platform/arx/acutil.h"

namespace {
using Constraint = EditConstrData::Constraint;

const std::vector<KvBoundField<Constraint>>& constraintFields() {
  static const std::vector<KvBoundField<Constraint>> fields = {
      textField("Cut", &Constraint::name, true),
      choiceField("Shape", &Constraint::kind, cutKindChoices()),
      numberField("Distance (mm)", &Constraint::distance, -1e5, 1e5),
      checkField("Active", &Constraint::active)};
  return fields;
}

KvTableLayout constraintSpec(const EditConstrData& data) {
  KvTableLayout def;
  def.caption = "Constraints";
  def.heading = "Cut constraints";
  if (!data.moduleName.isEmpty()) def.heading += " of " + data.moduleName;
  if (!data.macroName.isEmpty()) def.heading += " in macro " + data.macroName;
  def.fields = defsOf(constraintFields());
  return def;
}

std::unique_ptr<KvRecordTableDlg>& modelessSlot() {
  static std::unique_ptr<KvRecordTableDlg> slot;
  return slot;
}
}  // namespace

KvRecordTableDlg* openConstraintsEditor() {
  auto& slot = modelessSlot();
  return slot && slot->isCreated() ? slot.get() : nullptr;
}

bool StartDlgEditConstrModal(EditConstrData& data) {
  return guardExport("StartDlgEditConstrModal", false, [&] {
    KvResourceScope scope;
    return editItems(constraintSpec(data), constraintFields(), data.constraints);
  });
}

bool StartDlgEditConstraints(EditConstrData& data) {
  return guardExport("StartDlgEditConstraints", false, [&] {
    KvResourceScope scope;
    if (openConstraintsEditor()) {
      acutPrintf("The constraints editor is open already.\n");
      return false;
    }
    auto dlg = std::make_unique<KvRecordTableDlg>(constraintSpec(data),
                                                  rowsOf(constraintFields(), data.constraints));
    EditConstrData* target = &data;
    dlg->setOnAccept([target](const KvRecordTableDlg::Rows& rows) {
      target->constraints = itemsOf(constraintFields(), rows);
    });
    if (!dlg->create()) return false;
    dlg->show();
    modelessSlot() = std::move(dlg);
    return true;
  });
}

void EndDlgEditConstraints() {
  guardExport("EndDlgEditConstraints", [] {
    auto& slot = modelessSlot();
    if (slot && slot->isCreated()) slot->destroyWindow();
    slot.reset();
  });
}
