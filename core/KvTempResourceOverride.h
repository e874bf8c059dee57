#pragma once
#include <vector>

#include "core/Nx_String.h"
#include "core/dcm_export.h"

// Switches the dialog kit's current resource module (the one whose dialog
// templates and icons are searched first) to a module's own one and back. A
// module keeps one instance, saves its resource name in it when it is
// loaded, and brackets every call that needs its resources with
// SetDefaultResource and, when that switched, RestoreOriginalResource (see
// the module's resource scope). Switches nest: each restore undoes the
// latest switch still open, so an inner scope never loses what an outer one
// has to restore.
class DCM_API KvTempResourceOverride {
 public:
  KvTempResourceOverride() = default;
  KvTempResourceOverride(const KvTempResourceOverride&) = delete;
  KvTempResourceOverride& operator=(const KvTempResourceOverride&) = delete;
  virtual ~KvTempResourceOverride();

  // Remembers the module's own resource name.
  void SaveDefaultResource(const Nx_String& module);
  const Nx_String& defaultResource() const { return default_; }

  // Makes the saved module current. True when that switched; false when it
  // was current already or no module was saved (then there is nothing to
  // restore).
  bool SetDefaultResource();
  // Makes current again what was current before the latest open switch.
  // Without an open switch it changes nothing.
  void RestoreOriginalResource();

  // Number of switches not yet restored.
  int openSwitches() const { return static_cast<int>(previous_.size()); }

 private:
  Nx_String default_;
  std::vector<Nx_String> previous_;
};
