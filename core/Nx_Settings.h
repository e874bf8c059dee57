#pragma once
#include "core/Nx_String.h"
#include "core/dcm_export.h"

// The product's settings as the module sees them. The host program fills
// them from its options or a configuration file before it runs a command.
class DCM_API Nx_Settings {
 public:
  Nx_Settings() = default;
  virtual ~Nx_Settings() = default;

  // Sets libDir from a folder path, adding the trailing separator.
  void setLibDir(const Nx_String& folder);

  Nx_String libDir;  // product library folder; always ends in "/"
  Nx_String dataDir;  // folder of the user's data (drawings); ends in "/" when set
  bool showStandardsMessages = false;  // show the standards engine's diagnostics
  int language = 0;  // current user language (index of MacroLangs)
};

DCM_API extern Nx_Settings gSettings;
