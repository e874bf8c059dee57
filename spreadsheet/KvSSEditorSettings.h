#pragma once
#include "core/Nx_String.h"

// The spreadsheet editor's machine-wide settings in the registry: the
// settings document a sheet gets when its own cannot be loaded.
class KvSSEditorSettings {
 public:
  static constexpr const char* kKey = "Software\\Korvane\\Spreadsheet Editor v1.0";
  static constexpr const char* kDefaultSettings = "Default Settings";

  virtual ~KvSSEditorSettings() = default;
  // False when the value is not there; the default stays then.
  bool read();
  bool write() const;

  Nx_String defaultSettings;
};
