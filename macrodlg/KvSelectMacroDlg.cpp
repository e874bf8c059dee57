#include "macrodlg/KvSelectMacroDlg.h"

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/dialString.h"
#include "platform/arx/acutil.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/Services.h"
#include "resources/dialogs/DLG_SELECTMACRO.h"

using namespace dlg_selectmacro;

KvSelectMacroDlg::KvSelectMacroDlg(Request request)
    : Dialog(kTemplateId), request_(std::move(request)) {
  on(IDC_NAMES, ui::LBN_DBLCLK, [this] { onOK(); });
}

int KvSelectMacroDlg::listId() const {
  return request_.multiple ? IDC_NAMES_MULTI : IDC_NAMES;
}

// A first index outside the names lists them all.
int KvSelectMacroDlg::firstListed() const {
  return request_.names.isValid(request_.first) ? request_.first : 0;
}

bool KvSelectMacroDlg::onInitDialog() {
  if (!request_.title.isEmpty()) setText(request_.title);
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));
  showItem(IDC_NAMES, !request_.multiple);
  showItem(IDC_NAMES_MULTI, request_.multiple);
  setCheck(IDC_OPTION, request_.option);

  std::vector<std::string> shown;
  for (int i = firstListed(); i < request_.names.length(); ++i)
    shown.push_back(request_.names[i].str());
  listSet(listId(), shown);
  auto* list = itemAs<ui::ListBox>(listId());
  const int offset = firstListed();
  if (request_.multiple && list) {
    for (int i = offset; i < request_.names.length(); ++i)
      if (static_cast<size_t>(i) < request_.flags.size() && request_.flags[static_cast<size_t>(i)])
        list->setSelected(i - offset, true);
  } else if (request_.selected >= offset) {
    listSelect(listId(), request_.selected - offset);
  }

  setMinTrackSize(rect().size());
  using R = ui::Resizer;
  resizer().add({IDC_NAMES, IDC_NAMES_MULTI}, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::dialog(R::Edge::Bottom));
  resizer().add(IDC_OPTION, R::dialog(R::Edge::Left), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  resizer().add({ui::IDOK, ui::IDCANCEL}, R::keepWidth(), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  return true;
}

void KvSelectMacroDlg::onOK() {
  auto* list = itemAs<ui::ListBox>(listId());
  std::vector<int> picked;
  if (list) picked = request_.multiple ? list->selectedItems() : std::vector<int>{};
  if (list && !request_.multiple && list->curSel() >= 0) picked.push_back(list->curSel());
  if (picked.empty()) {
    ui::messageBox(request_.multiple ? "Choose one or more macros." : "Choose a macro.", text(),
                   ui::MB_OK | ui::MB_ICONWARNING, this);
    return;
  }
  chosen_.setEmpty();
  for (int index : picked) {
    if (!chosen_.isEmpty()) chosen_ += kSeparator;
    chosen_ += list->itemText(index);
  }
  request_.option = isChecked(IDC_OPTION);
  Dialog::onOK();
}

bool StartDlgSelectMacro(const Nx_String& title, const Nx_StringArray& names,
                         const AcArray<bool>& flags, const int& first, const int& selected,
                         Nx_String& chosen, bool& option, bool multiple) {
  return guardExport("StartDlgSelectMacro", false, [&] {
    if (names.isEmpty()) {
      acutPrintf("Select macro: there are no macros to choose from.\n");
      return false;
    }
    KvResourceScope scope;
    std::vector<bool> preselected(flags.begin(), flags.end());
    KvSelectMacroDlg dlg({title, names, preselected, first, selected, option, multiple});
    if (dlg.doModal() != ui::IDOK) return false;
    chosen = dlg.chosen();
    option = dlg.option();
    return true;
  });
}

// Hands over to the overload with flags, with none given.
bool StartDlgSelectMacro(const Nx_String& title, const Nx_StringArray& names, const int& first,
                         const int& selected, Nx_String& chosen, bool& option, bool multiple) {
  return guardExport("StartDlgSelectMacro", false, [&] {
    return StartDlgSelectMacro(title, names, AcArray<bool>(), first, selected, chosen, option,
                               multiple);
  });
}
