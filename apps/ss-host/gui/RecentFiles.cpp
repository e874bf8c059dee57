#include "apps/ss-host/gui/RecentFiles.h"

#include <algorithm>

#include "platform/base/NamedValueStore.h"
#include "platform/ui/Services.h"

namespace {
const char* const kKey = "Host\\Recent drawings";

std::string nameOf(int i) {
  return "File" + std::to_string(i + 1);
}
}  // namespace

RecentFiles::RecentFiles() {
  for (int i = 0; i < kMax; ++i)
    if (auto path = ui::registry().get(kKey, nameOf(i)); path && !path->empty())
      files_.push_back(*path);
}

void RecentFiles::add(const std::string& path) {
  remove(path);
  files_.insert(files_.begin(), path);
  if (files_.size() > static_cast<size_t>(kMax)) files_.resize(kMax);
  store();
}

void RecentFiles::remove(const std::string& path) {
  files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
  store();
}

void RecentFiles::store() const {
  for (int i = 0; i < kMax; ++i)
    ui::registry().set(kKey, nameOf(i), i < static_cast<int>(files_.size()) ? files_[i] : "");
}
