#pragma once
#include <cstddef>
#include <memory>
#include <string>

#include "platform/base/base_export.h"

// What a process that evaluates many macros in a row makes of the library's
// files (parsed sheets, mapping files, where a child sheet lives), kept from
// one run to the next while a FileMemoScope lives: the batch workers of
// `eval --all`, whose library does not change under them, read and parse
// each file once instead of once per macro. Without a scope nothing is kept
// and every run reads its files as before. Main thread only.
namespace base {
namespace filememo {

// Keys kept at most; past it the memory starts afresh (every entry is
// something its user can make again).
inline constexpr std::size_t kMaxEntries = 65536;

// Whether a scope is open.
BASE_API bool active();
// What was kept under the key, or null (always null without a scope).
BASE_API std::shared_ptr<const void> find(const std::string& key);
// Kept until the outermost scope ends; nothing without a scope.
BASE_API void keep(const std::string& key, std::shared_ptr<const void> value);
// Drops what was kept under the key (its file is being written).
BASE_API void forget(const std::string& key);

template <class T>
std::shared_ptr<const T> findAs(const std::string& key) {
  return std::static_pointer_cast<const T>(find(key));
}

}  // namespace filememo

// Scopes nest; the outermost one forgets everything when it ends.
class BASE_API FileMemoScope {
 public:
  FileMemoScope();
  ~FileMemoScope();
  FileMemoScope(const FileMemoScope&) = delete;
  FileMemoScope& operator=(const FileMemoScope&) = delete;
};

}  // namespace base
