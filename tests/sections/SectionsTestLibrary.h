#pragma once
#include <filesystem>
#include <string>

#include "core/Nx_Settings.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "tests/core/TempDir.h"

// A library folder of its own per test, with a copy of the sample library's
// section tables and pictures; the settings and the section tables come back
// as they were.
class SectionsTestLibrary {
 public:
  SectionsTestLibrary() : saved_(gSettings), savedTables_(gSectionTables) {
    namespace fs = std::filesystem;
    const fs::path sample = SS_SOURCE_DIR "/examples/library";
    for (const char* folder : {"prof", "icons", "User Sections"})
      fs::copy(sample / folder, fs::path(dir_.path()) / folder, fs::copy_options::recursive);
    gSettings.setLibDir(dir_.path().c_str());
    gSettings.setDataDir("");
    gSettings.language = 0;
  }
  ~SectionsTestLibrary() {
    gSettings = saved_;
    gSectionTables = savedTables_;
  }
  const TempDir& dir() const { return dir_; }
  std::string prof(const std::string& file) const { return dir_ / ("prof/" + file); }

 private:
  TempDir dir_;
  Nx_Settings saved_;
  Nx_SectionTableManager savedTables_;
};
