// The exported entry of the standards engine: one run of a standards sheet
// on a pooled calculation dialog.
#include <exception>

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/ProfilingTimers.h"
#include "common/SSExports.h"
#include "host/KvSSDlgsMgr.h"
#include "platform/arx/acutil.h"
#include "standards/KvChildRunner.h"
#include "standards/KvStandardsCalcDlg.h"
#include "standards/StandardsRunFrame.h"

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

// Prints a run's failure and records it on the run's diagnostics.
void failRun(StandardsRunFrame& frame, const Nx_String& text) {
  acutPrintf("*Error* %s\n", text.c_str());
  frame.add(KvRunDiagnostic::kRun, Nx_String(), Nx_String(), text);
}

// A sheet's CallChild runs its child through this entry too, on a dialog of
// its own from the pool; the engine must not call a module that is gone.
struct ChildRunnerInstaller {
  ChildRunnerInstaller() { setChildRunner(StartDlgStandardsSS); }
  ~ChildRunnerInstaller() { setChildRunner(nullptr); }
};
const ChildRunnerInstaller gChildRunnerInstaller;

// The run on a lent dialog; the request changes only when it succeeds.
bool run(KvDlgStandardsData& request, StandardsRunFrame& frame) {
  frame.setSheet(request.fileName);
  frame.setTrace(request.trace);
  try {
    KvResourceScope scope;
    LentDialog dlg;
    if (!dlg.get()) {
      failRun(frame, "No calculation dialog for the standards sheet " + request.fileName + ".");
      return false;
    }
    dlg.get()->data() = request;
    if (!evaluate(*dlg.get())) return false;
    request = dlg.get()->data();
    return true;
  } catch (const std::exception& e) {
    failRun(frame, "Standards sheet " + frame.sheet() + ": " + e.what());
  } catch (...) {
    failRun(frame, "Standards sheet " + frame.sheet() + ": the run was aborted.");
  }
  return false;
}

}  // namespace

bool StartDlgStandardsSS(KvDlgStandardsData& request) {
  // The request keeps the run's diagnostics on every way out.
  KvRunDiagnostics diagnostics;
  bool ok = false;
  try {
    StandardsRunFrame frame(diagnostics);
    ok = run(request, frame);
  } catch (...) {
    ok = false;  // not even the failure could be recorded (memory)
  }
  request.diagnostics = std::move(diagnostics);
  return ok;
}

namespace {
// The core's self-test: a child run of a sheet that does not exist.
bool runTestSheet() {
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
}  // namespace

bool StartDlgStandardsSStest() {
  return guardExport("StartDlgStandardsSStest", false, [] { return runTestSheet(); });
}
