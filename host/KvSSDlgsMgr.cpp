#include "host/KvSSDlgsMgr.h"

#include <new>

#include "platform/ui/Services.h"
#include "standards/KvStandardsCalcDlg.h"

KvSSDlgsMgr gSSDlgsMgr;

KvSSDlgsMgr::KvSSDlgsMgr() {
  dialogs_.reserve(8);
  inUse_.reserve(8);
}

KvSSDlgsMgr::~KvSSDlgsMgr() {
  destroyAll();
}

KvSSDlgsMgr::KvSSDlgsMgr(const KvSSDlgsMgr& other)
    : dialogs_(other.dialogs_), inUse_(other.inUse_) {}

KvSSDlgsMgr& KvSSDlgsMgr::operator=(const KvSSDlgsMgr& other) {
  if (this != &other) {
    dialogs_ = other.dialogs_;
    inUse_ = other.inUse_;
  }
  return *this;
}

bool KvSSDlgsMgr::isInUse(int index) const {
  return index >= 0 && index < static_cast<int>(inUse_.size()) && inUse_[index];
}

KvStandardsCalcDlg* KvSSDlgsMgr::getDlg() {
  for (size_t i = 0; i < inUse_.size(); ++i) {
    if (inUse_[i]) continue;
    if (i >= dialogs_.size()) break;
    inUse_[i] = true;
    return dialogs_[i].get();
  }
  std::shared_ptr<KvStandardsCalcDlg> dlg;
  try {
    // The dialog's window goes with the dialog, when its last holder lets go.
    dlg = std::make_shared<KvStandardsCalcDlg>();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (!dlg->create(&ui::mainWindow())) return nullptr;
  dialogs_.push_back(dlg);
  inUse_.push_back(true);
  return dlg.get();
}

Acad::ErrorStatus KvSSDlgsMgr::releaseDlg(KvStandardsCalcDlg* dlg) {
  for (size_t i = 0; i < dialogs_.size(); ++i) {
    if (dialogs_[i].get() != dlg) continue;
    if (i >= inUse_.size()) return Acad::eInvalidInput;
    inUse_[i] = false;
    return Acad::eOk;
  }
  return Acad::eInvalidInput;
}

Acad::ErrorStatus KvSSDlgsMgr::destroyDlg(const int& index) {
  if (index < 0 || index >= dialogCount() || !dialogs_[index]) return Acad::eInvalidInput;
  dialogs_.erase(dialogs_.begin() + index);
  return Acad::eOk;
}

void KvSSDlgsMgr::destroyAll() {
  for (int i = dialogCount() - 1; i >= 0; --i) destroyDlg(i);
  inUse_.clear();
}
