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
  // Sets dataDir likewise; an empty folder clears it.
  void setDataDir(const Nx_String& folder);

  // Reads a configuration file of "key = value" lines (blank lines and lines
  // starting with "#" or ";" are skipped; a value may be put in double
  // quotes). Keys: library, data (folders; relative ones are taken from the
  // file's folder, "~/" from the home folder), standards-messages (true,
  // false, yes, no, on, off, 1, 0) and language (a name of MacroLangs or its
  // number). A leading UTF-8 byte-order mark is skipped; a NUL character in
  // a line is an error. The settings change only when the whole file is valid;
  // otherwise error names the file, the line and the fault.
  bool readConfigFile(const Nx_String& path, Nx_String* error = nullptr);

  Nx_String libDir;                    // product library folder; always ends in "/"
  Nx_String dataDir;                   // folder of the user's data (drawings); ends in "/" when set
  bool showStandardsMessages = false;  // show the standards engine's diagnostics
  int language = 0;                    // current user language (index of MacroLangs)
};

DCM_API extern Nx_Settings gSettings;
