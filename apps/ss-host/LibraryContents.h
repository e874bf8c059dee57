#pragma once
#include <string>
#include <vector>

// The files of one kind in a product library folder.
struct LibraryFiles {
  const char* title;               // "Standards sheets"
  std::string folder;              // the sub-folder, relative to the library folder
  std::vector<std::string> files;  // relative to that sub-folder, sorted
  bool folderExists = false;
};

// Finds the standards sheets, mapping files, section tables, designed-dialog
// templates and cutting-stock lists of a library folder (sub-folders of their
// folder included; extensions without case). Unreadable folders are skipped.
std::vector<LibraryFiles> scanLibraryFolder(const std::string& libDir);

// What is wrong with the library folder for standards runs, or "" when
// nothing is: it must be set, exist and hold "Connection Standards".
std::string standardsLibraryProblem(const std::string& libDir);
