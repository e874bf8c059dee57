#include "platform/base/FileMemo.h"

#include <unordered_map>
#include <utility>

namespace {

int gDepth = 0;

std::unordered_map<std::string, std::shared_ptr<const void>>& entries() {
  static std::unordered_map<std::string, std::shared_ptr<const void>> map;
  return map;
}

}  // namespace

namespace base {
namespace filememo {

bool active() {
  return gDepth > 0;
}

std::shared_ptr<const void> find(const std::string& key) {
  if (!active()) return nullptr;
  auto it = entries().find(key);
  return it == entries().end() ? nullptr : it->second;
}

void keep(const std::string& key, std::shared_ptr<const void> value) {
  if (!active()) return;
  // Everything kept can be made again: past the bound the memory starts afresh.
  if (entries().size() >= kMaxEntries) entries().clear();
  entries()[key] = std::move(value);
}

void forget(const std::string& key) {
  entries().erase(key);
}

}  // namespace filememo

FileMemoScope::FileMemoScope() {
  ++gDepth;
}

FileMemoScope::~FileMemoScope() {
  if (--gDepth == 0) entries().clear();
}

}  // namespace base
