#pragma once
#include <memory>
#include <vector>

#include "common/ss_export.h"
#include "platform/arx/acadstrc.h"

class KvStandardsCalcDlg;

// The pool of hidden calculation dialogs: created on demand, lent out for
// one standards run, given back, and destroyed only when the module goes.
// A nested run (a sheet calling a child sheet) simply takes a second one.
class SS_EXPORT KvSSDlgsMgr {
 public:
  KvSSDlgsMgr();
  virtual ~KvSSDlgsMgr();
  // Copies share the dialogs; a dialog goes when its last holder lets go.
  KvSSDlgsMgr(const KvSSDlgsMgr& other);
  KvSSDlgsMgr& operator=(const KvSSDlgsMgr& other);

  // The first free dialog, or a new one (owned by AutoCAD's main window,
  // built from template 253, never shown); null when none can be made.
  KvStandardsCalcDlg* getDlg();
  // Gives a dialog back; eInvalidInput for one that is not in the pool.
  Acad::ErrorStatus releaseDlg(KvStandardsCalcDlg* dlg);
  void destroyAll();

  int dialogCount() const { return static_cast<int>(dialogs_.size()); }
  bool isInUse(int index) const;

 private:
  Acad::ErrorStatus destroyDlg(const int& index);

  std::vector<std::shared_ptr<KvStandardsCalcDlg>> dialogs_;
  std::vector<bool> inUse_;
};

SS_EXPORT extern KvSSDlgsMgr gSSDlgsMgr;
