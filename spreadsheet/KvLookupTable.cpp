#include "spreadsheet/KvLookupTable.h"

#include <time.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "common/FileStamp.h"
#include "core/PathHelpers.h"
#include "platform/grid/Value.h"
#include "spreadsheet/KvFromTable.h"

namespace {

// Paths whose table is being loaded or computed: a lookup chain that comes
// back to one of them would load it again without end.
std::vector<Nx_String>& inProgress() {
  static std::vector<Nx_String> paths;
  return paths;
}

// Deep enough for any sensible chain, shallow enough for the stack.
constexpr std::size_t kMaxChain = 32;

StampedFileCache<KvLookupTable>& tables() {
  static StampedFileCache<KvLookupTable> cache(64);
  return cache;
}

// Tables whose files were checked a moment ago are taken without asking the
// file system again: a sheet of 10,000 lookups into one table stats it once
// per recalculation, not 10,000 times. recheck() ends every such moment.
constexpr long long kTrustedMs = 50;

struct RecentCheck {
  std::shared_ptr<KvLookupTable> table;
  long long checkedMs = 0;
  unsigned epoch = 0;
};

std::unordered_map<Nx_String, RecentCheck>& recentChecks() {
  static std::unordered_map<Nx_String, RecentCheck> checks;
  return checks;
}

unsigned& checkEpoch() {
  static unsigned epoch = 0;
  return epoch;
}

long long nowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

bool KvLookupTable::load(const Nx_String& path, std::string& error) {
  if (!sheet_.loadFromFile(toNativePath(path).str(), error)) return false;
  registerFromTable(sheet_, getPath(path));
  int cols = sheet_.maxCols();
  bool hasCaptions = false;
  for (int c = 1; c <= cols && !hasCaptions; ++c) hasCaptions = !sheet_.getData(c, 0).empty();
  captionRow_ = hasCaptions || sheet_.maxRows() < 1 ? 0 : 1;
  sheet_.reCalc();
  columns_ = KvKeyIndex();
  keys_.clear();
  for (int c = 1; c <= cols; ++c) columns_.add(sheet_.getData(c, captionRow_), c);
  return true;
}

int KvLookupTable::column(std::string_view caption) const {
  return columns_.find(caption);
}

const KvKeyIndex& KvLookupTable::keysOf(int column) {
  auto it = keys_.find(column);
  if (it != keys_.end()) return it->second;
  KvKeyIndex& index = keys_[column];
  for (int r = captionRow_ + 1; r <= sheet_.maxRows(); ++r) {
    index.add(sheet_.getData(column, r), r);
    const grid::Value& v = sheet_.value(column, r);
    if (v.isNumber()) index.add(grid::valueText(v), r);
  }
  return index;
}

int KvLookupTable::row(int keyColumn, std::string_view key) {
  if (keyColumn < 1 || keyColumn > sheet_.maxCols() || key.empty()) return 0;
  return keysOf(keyColumn).find(key);
}

namespace KvLookupTables {

std::shared_ptr<KvLookupTable> get(const Nx_String& path, std::string& error) {
  const std::vector<Nx_String>& chain = inProgress();
  if (std::find(chain.begin(), chain.end(), path) != chain.end()) {
    error = path.str() + ": the table looks itself up through FROMTABLE";
    return nullptr;
  }
  if (chain.size() >= kMaxChain) {
    error = path.str() + ": more than " + std::to_string(kMaxChain) + " lookups in one chain";
    return nullptr;
  }
  auto& recent = recentChecks();
  long long now = nowMs();
  auto it = recent.find(path);
  if (it != recent.end() && it->second.epoch == checkEpoch() &&
      now - it->second.checkedMs < kTrustedMs)
    return it->second.table;
  FileStamp stamp;
  std::shared_ptr<KvLookupTable> table;
  if (!FileStamp::of(path, stamp)) {
    error = path.str() + ": no such file";
  } else {
    Computing guard(path);
    table = tables().get(path, stamp, [&](const Nx_String& at) -> std::shared_ptr<KvLookupTable> {
      auto loaded = std::make_shared<KvLookupTable>();
      if (!loaded->load(at, error)) return nullptr;
      return loaded;
    });
  }
  if (!table) {
    if (it != recent.end()) recent.erase(it);
    return nullptr;
  }
  if (recent.size() >= 256) recent.clear();
  recent[path] = RecentCheck{table, now, checkEpoch()};
  return table;
}

void recheck() {
  ++checkEpoch();
}

void clear() {
  recentChecks().clear();
  tables().clear();
}

Computing::Computing(const Nx_String& path) {
  inProgress().push_back(path);
}

Computing::~Computing() {
  inProgress().pop_back();
}

}  // namespace KvLookupTables
