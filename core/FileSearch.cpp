#include "core/FileSearch.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/FileHelpers.h"
#include "core/PathHelpers.h"

namespace fs = std::filesystem;

namespace {
unsigned char fold(char c) {
  auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 32) : u;
}

template <typename Iterator>
bool search(const Nx_String& folder, const Nx_String& pattern, Nx_StringArray& paths,
            Nx_String* error) {
  paths.removeAll();
  if (!folderExists(folder)) {
    if (error) *error = "Cannot search " + toNativePath(folder) + ": no such folder";
    return false;
  }
  std::error_code ec;
  Iterator it(fs::path(toNativePath(folder).str()), fs::directory_options::skip_permission_denied,
              ec);
  if (ec) {
    if (error) *error = "Cannot search " + toNativePath(folder) + ": " + ec.message();
    return false;
  }
  std::vector<std::string> found;
  for (; it != Iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError)) continue;
    if (matchesPattern(it->path().filename().string(), pattern))
      found.push_back(it->path().string());
    if (ec) break;
  }
  std::sort(found.begin(), found.end());
  for (auto& p : found) paths.append(Nx_String(std::move(p)));
  return true;
}
}  // namespace

bool matchesPattern(const Nx_String& name, const Nx_String& pattern) {
  const std::string& s = name.str();
  const std::string& p = pattern.str();
  size_t si = 0, pi = 0, starP = std::string::npos, starS = 0;
  while (si < s.size()) {
    if (pi < p.size() && (p[pi] == '?' || (p[pi] != '*' && fold(p[pi]) == fold(s[si])))) {
      ++si;
      ++pi;
    } else if (pi < p.size() && p[pi] == '*') {
      starP = pi++;
      starS = si;
    } else if (starP != std::string::npos) {
      pi = starP + 1;
      si = ++starS;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

bool ObjectExportFindFiles(const Nx_String& folder, const Nx_String& pattern, Nx_StringArray& paths,
                           Nx_String* error) {
  return search<fs::directory_iterator>(folder, pattern, paths, error);
}

bool ObjectExportFindFilesRecursive(const Nx_String& folder, const Nx_String& pattern,
                                    Nx_StringArray& paths, Nx_String* error) {
  return search<fs::recursive_directory_iterator>(folder, pattern, paths, error);
}
