#pragma once
#include "core/KvTempResourceOverride.h"

// The module-wide resource switcher; it holds this module's handle from the
// moment the library is loaded.
KvTempResourceOverride& moduleResourceOverride();

// Makes this module's resources current for the life of the scope and
// restores the previous module on every way out, early returns included.
// Scopes nest: an inner scope finds the module current already and leaves
// the restore to the outer one.
class KvResourceScope {
 public:
  explicit KvResourceScope(KvTempResourceOverride& override = moduleResourceOverride())
      : override_(override), switched_(override.SetDefaultResource()) {}
  ~KvResourceScope() {
    if (switched_) override_.RestoreOriginalResource();
  }
  KvResourceScope(const KvResourceScope&) = delete;
  KvResourceScope& operator=(const KvResourceScope&) = delete;

  bool switched() const { return switched_; }

 private:
  KvTempResourceOverride& override_;
  bool switched_;
};
