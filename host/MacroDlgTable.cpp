#include "host/MacroDlgTable.h"

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "macrodlg/KvMacroDlg.h"
#include "platform/arx/aced.h"
#include "platform/arx/acutil.h"
#include "platform/ui/Services.h"

std::vector<std::unique_ptr<KvMacroDlg>> gMacroDlgs;
std::vector<KvDelayedClose> gDelayedCloses;

namespace {

KvMacroDlg* dialogAt(int index) {
  return index >= 0 && index < static_cast<int>(gMacroDlgs.size()) ? gMacroDlgs[index].get()
                                                                   : nullptr;
}

int findDelayedClose(int timerId) {
  for (size_t i = 0; i < gDelayedCloses.size(); ++i)
    if (gDelayedCloses[i].timerId == timerId) return static_cast<int>(i);
  return -1;
}

bool endMacroDlg(int index) {
  KvMacroDlg* dlg = dialogAt(index);
  if (!dlg) return false;
  if (dlg->deferClose()) {
    int timerId = ui::setTimer(nullptr, kDelayedCloseMs, delayedCloseProc);
    gDelayedCloses.push_back({timerId, index});
    return true;
  }
  // A window already gone (closed by other means) counts as destroyed.
  if (dlg->isCreated() && !dlg->destroyWindow()) return false;
  gMacroDlgs[index].reset();
  if (index == static_cast<int>(gMacroDlgs.size()) - 1)
    while (!gMacroDlgs.empty() && !gMacroDlgs.back()) gMacroDlgs.pop_back();
  acedPostCommandPrompt();
  return true;
}

}  // namespace

bool StartDlgMacroModeless(bool keepFocus, MacroData& data, int& index) {
  index = -1;
  return guardExport("StartDlgMacroModeless", false, [&] {
    KvResourceScope scope;
    int slot = -1;
    for (size_t i = 0; i < gMacroDlgs.size(); ++i)
      if (!gMacroDlgs[i]) slot = static_cast<int>(i);
    if (slot < 0) {
      slot = static_cast<int>(gMacroDlgs.size());
      gMacroDlgs.emplace_back();
    }
    auto dlg = std::make_unique<KvMacroDlg>(data, slot, EndDlgMacroModeless);
    index = slot;
    if (!dlg->create(&ui::mainWindow())) return false;
    dlg->show();
    gMacroDlgs[slot] = std::move(dlg);
    if (!keepFocus) ui::mainWindow().setFocus();
    return true;
  });
}

bool GetDlgMacroData(int index, MacroData& data) {
  return guardExport("GetDlgMacroData", false, [&] {
    KvResourceScope scope;
    KvMacroDlg* dlg = dialogAt(index);
    if (!dlg) return false;
    // What is typed on a page counts, though the user has not left it yet.
    if (dlg->isCreated()) dlg->storePages();
    data = dlg->macroData();
    return true;
  });
}

bool EndDlgMacroModeless(int index) {
  return guardExport("EndDlgMacroModeless", false, [&] { return endMacroDlg(index); });
}

void DestroyAllMacroDlgs() {
  guardExport("DestroyAllMacroDlgs", [] {
    for (int i = static_cast<int>(gMacroDlgs.size()) - 1; i >= 0; --i) EndDlgMacroModeless(i);
  });
}

void delayedCloseProc(int timerId) {
  acutPrintf("Delayed timer called.\n");
  int entry = findDelayedClose(timerId);
  if (entry < 0) return;
  ui::killTimer(timerId);
  EndDlgMacroModeless(gDelayedCloses[entry].index);
  entry = findDelayedClose(timerId);
  if (entry < 0) {
    acutPrintf("*Error* Invalid index passed to remove.\n");
    return;
  }
  gDelayedCloses.erase(gDelayedCloses.begin() + entry);
}
