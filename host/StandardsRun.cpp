// The exported entry of the standards engine: one run of a standards sheet
// on a pooled calculation dialog.
#include <exception>

#include "common/KvResourceScope.h"
#include "common/ProfilingTimers.h"
#include "common/SSExports.h"
#include "host/KvSSDlgsMgr.h"
#include "platform/arx/acutil.h"
#include "standards/KvChildRunner.h"
#include "standards/KvStandardsCalcDlg.h"

namespace {

bool evaluate(KvStandardsCalcDlg& dlg) {
  KvStandardsSheet& sheet = dlg.sheet();
  KvDlgStandardsData& data = dlg.data();
  gLoadFile.start();
  if (sheet.loadFile(data.fileName) != Acad::eOk) return false;
  gLoadFile.end();
  switch (data.mode) {
    case KvDlgStandardsData::kParent:
      if (sheet.initSSForInput(data) != Acad::eOk || sheet.calcParent(data) != Acad::eOk)
        return false;
      data.varCells = sheet.varCells();
      return true;
    case KvDlgStandardsData::kChild:
      return sheet.getFromVars(data) == Acad::eOk && sheet.calcChild(data.varCells) == Acad::eOk;
    default:
      return true;
  }
}

// A pooled dialog for the length of one run, given back on every way out.
class LentDialog {
 public:
  LentDialog() : dlg_(gSSDlgsMgr.getDlg()) {}
  ~LentDialog() {
    if (dlg_) gSSDlgsMgr.releaseDlg(dlg_);
  }
  LentDialog(const LentDialog&) = delete;
  LentDialog& operator=(const LentDialog&) = delete;
  KvStandardsCalcDlg* get() const { return dlg_; }

 private:
  KvStandardsCalcDlg* dlg_;
};

// A sheet's CallChild runs its child through this entry too, on a dialog of
// its own from the pool; the engine must not call a module that is gone.
struct ChildRunnerInstaller {
  ChildRunnerInstaller() { setChildRunner(StartDlgStandardsSS); }
  ~ChildRunnerInstaller() { setChildRunner(nullptr); }
};
const ChildRunnerInstaller gChildRunnerInstaller;

}  // namespace

bool StartDlgStandardsSS(KvDlgStandardsData& request) {
  try {
    KvResourceScope scope;
    LentDialog dlg;
    if (!dlg.get()) {
      acutPrintf("*Error* No calculation dialog for the standards sheet %s.\n",
                 request.fileName.c_str());
      return false;
    }
    dlg.get()->data() = request;
    if (!evaluate(*dlg.get())) return false;
    request = dlg.get()->data();
    return true;
  } catch (const std::exception& e) {
    acutPrintf("*Error* Standards sheet %s: %s\n", request.fileName.c_str(), e.what());
  } catch (...) {
    acutPrintf("*Error* Standards sheet %s: the run was aborted.\n", request.fileName.c_str());
  }
  return false;
}

bool StartDlgStandardsSStest() {
  KvDlgStandardsData data;
  data.mode = KvDlgStandardsData::kChild;
  data.fileName = "c:\\a\\a\\a\\test.kvs";
  struct Argument {
    const char* name;
    KvCellType type;
    KvValueType valueType;
    const char* value;
  };
  const Argument arguments[] = {
      {"Column", kCellInput, kValueString, "IPE-200"},
      {"Thickness", kCellInput, kValueDouble, "10"},
      {"Width", kCellOutput, kValueDouble, "212"},
      {"Length", kCellOutput, kValueDouble, "356"},
  };
  for (const Argument& a : arguments) {
    KvVarCell cell;
    cell.name = a.name;
    cell.cellType = a.type;
    cell.valueType = a.valueType;
    cell.value = a.value;
    data.varCells.append(cell);
  }
  return StartDlgStandardsSS(data);
}
