#pragma once
#include <string>
#include <vector>

// The drawings opened last, newest first, kept in the registry so that the
// next session offers them too.
class RecentFiles {
 public:
  static constexpr int kMax = 6;
  RecentFiles();
  const std::vector<std::string>& files() const { return files_; }
  // Puts the path first (once).
  void add(const std::string& path);
  void remove(const std::string& path);

 private:
  void store() const;
  std::vector<std::string> files_;
};
