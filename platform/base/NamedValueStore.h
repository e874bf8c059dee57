#pragma once
#include <map>
#include <optional>
#include <string>

#include "platform/base/base_export.h"

namespace base {

// The registry of the product: named values under keys, kept in one file
// under the user's configuration folder ($XDG_CONFIG_HOME or ~/.config, file
// "connection-standards/registry.ini"). Every change is written at once,
// atomically. Tests point it elsewhere with setFile.
class BASE_API NamedValueStore {
 public:
  static NamedValueStore& instance();

  // Switches to another file (loaded at once; a missing file is an empty store).
  void setFile(const std::string& path);
  const std::string& file() const { return path_; }

  std::optional<std::string> get(const std::string& key, const std::string& name) const;
  std::string get(const std::string& key, const std::string& name, const std::string& fallback) const;
  bool set(const std::string& key, const std::string& name, const std::string& value);
  bool remove(const std::string& key, const std::string& name);

 private:
  NamedValueStore();
  void load();
  bool save();
  std::string path_;
  std::map<std::string, std::map<std::string, std::string>> values_;
};

}  // namespace base
