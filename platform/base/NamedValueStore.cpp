#include "platform/base/NamedValueStore.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/base/AtomicFile.h"

namespace base {
namespace {
// The file is a plain line format so the low-level library needs no JSON
// parser: "[key]" starts a section, "name=value" lines follow; backslash
// escapes newline (\n), backslash (\\) and '=' (\=) inside names and values.
std::string escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '=') out += "\\=";
    else if (c == '[' && out.empty()) out += "\\[";
    else out += c;
  }
  return out;
}
std::string unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      char n = s[++i];
      out += n == 'n' ? '\n' : n;
    } else {
      out += s[i];
    }
  }
  return out;
}
// Position of the first '=' that is not escaped.
size_t splitPos(const std::string& line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\') ++i;
    else if (line[i] == '=') return i;
  }
  return std::string::npos;
}
std::string defaultPath() {
  std::string dir;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x) dir = x;
  else if (const char* h = std::getenv("HOME"); h && *h) dir = std::string(h) + "/.config";
  else dir = "/tmp";
  dir += "/connection-standards";
  return dir + "/registry.ini";
}
void makeParent(const std::string& path) {
  std::string dir = path.substr(0, path.rfind('/'));
  for (size_t p = 1; p != std::string::npos && p <= dir.size(); p = dir.find('/', p + 1))
    ::mkdir(dir.substr(0, p).c_str(), 0755);
  ::mkdir(dir.c_str(), 0755);
}
}  // namespace

NamedValueStore& NamedValueStore::instance() {
  static NamedValueStore store;
  return store;
}

NamedValueStore::NamedValueStore() : path_(defaultPath()) { load(); }

void NamedValueStore::setFile(const std::string& path) {
  path_ = path;
  load();
}

void NamedValueStore::load() {
  values_.clear();
  std::string text;
  if (!readWholeFile(path_, text)) return;
  std::string section;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']') {
      section = unescape(line.substr(1, line.size() - 2));
      continue;
    }
    size_t eq = splitPos(line);
    if (eq == std::string::npos) continue;
    values_[section][unescape(line.substr(0, eq))] = unescape(line.substr(eq + 1));
  }
}

bool NamedValueStore::save() {
  std::string text;
  for (const auto& [key, names] : values_) {
    text += "[" + escape(key) + "]\n";
    for (const auto& [name, value] : names) text += escape(name) + "=" + escape(value) + "\n";
  }
  makeParent(path_);
  return writeFileAtomically(path_, text);
}

std::optional<std::string> NamedValueStore::get(const std::string& key,
                                                const std::string& name) const {
  auto k = values_.find(key);
  if (k == values_.end()) return std::nullopt;
  auto n = k->second.find(name);
  if (n == k->second.end()) return std::nullopt;
  return n->second;
}

std::string NamedValueStore::get(const std::string& key, const std::string& name,
                                 const std::string& fallback) const {
  return get(key, name).value_or(fallback);
}

bool NamedValueStore::set(const std::string& key, const std::string& name,
                          const std::string& value) {
  values_[key][name] = value;
  return save();
}

bool NamedValueStore::remove(const std::string& key, const std::string& name) {
  auto k = values_.find(key);
  if (k == values_.end() || !k->second.erase(name)) return false;
  if (k->second.empty()) values_.erase(k);
  return save();
}

}  // namespace base
