#include "apps/ss-host/LibraryContents.h"

#include <algorithm>
#include <initializer_list>

#include "core/FileHelpers.h"
#include "core/FileSearch.h"
#include "core/PathHelpers.h"

namespace {
LibraryFiles scan(const char* title, const std::string& libDir, const char* folder,
                  std::initializer_list<const char*> patterns, bool recursive) {
  LibraryFiles result{title, folder, {}, false};
  const Nx_String root = ensureEndSlash(ensureEndSlash(toNativePath(libDir)) + folder);
  result.folderExists = folderExists(root);
  if (!result.folderExists) return result;
  for (const char* pattern : patterns) {
    Nx_StringArray paths;
    bool found = recursive ? ObjectExportFindFilesRecursive(root, pattern, paths)
                           : ObjectExportFindFiles(root, pattern, paths);
    if (!found) continue;
    for (const Nx_String& p : paths)
      result.files.push_back(p.startsWith(root, true) ? p.mid(root.length()).str() : p.str());
  }
  std::sort(result.files.begin(), result.files.end());
  return result;
}
}  // namespace

std::vector<LibraryFiles> scanLibraryFolder(const std::string& libDir) {
  return {
      scan("Standards sheets", libDir, "Connection Standards", {"*.kvs"}, true),
      scan("Mapping files", libDir, "Connection Standards", {"*.map"}, true),
      scan("Section tables", libDir, "prof", {"*.pr"}, false),
      scan("Dialog templates", libDir, "Dialog Templates/Dialog Design", {"*.txt"}, true),
      scan("Cutting-stock lists", libDir, "Cutting Stock", {"*.cut", "*.shp", "*.buy"}, true),
  };
}

std::string standardsLibraryProblem(const std::string& libDir) {
  if (libDir.empty()) return "the standards live in the library: give --library DIR";
  const Nx_String root = ensureEndSlash(toNativePath(libDir));
  if (!folderExists(root)) return "library folder '" + root.str() + "' does not exist";
  if (!folderExists(root + "Connection Standards"))
    return "library folder '" + root.str() +
           "' has no \"Connection Standards\" folder (is it a product library?)";
  return {};
}
