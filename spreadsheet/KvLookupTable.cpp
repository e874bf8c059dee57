#include "spreadsheet/KvLookupTable.h"

#include <algorithm>
#include <vector>

#include "common/FileStamp.h"
#include "core/PathHelpers.h"
#include "platform/grid/Value.h"
#include "spreadsheet/KvFromTable.h"

namespace {

std::string folded(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

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

}  // namespace

bool KvLookupTable::load(const Nx_String& path, std::string& error) {
  if (!sheet_.loadFromFile(toNativePath(path).str(), error)) return false;
  registerFromTable(sheet_, getPath(path));
  int cols = sheet_.maxCols();
  bool hasCaptions = false;
  for (int c = 1; c <= cols && !hasCaptions; ++c) hasCaptions = !sheet_.getData(c, 0).empty();
  captionRow_ = hasCaptions || sheet_.maxRows() < 1 ? 0 : 1;
  sheet_.reCalc();
  columns_.clear();
  keys_.clear();
  for (int c = cols; c >= 1; --c) {  // backwards, so the first of equal captions stays
    std::string caption = sheet_.getData(c, captionRow_);
    if (!caption.empty()) columns_[folded(caption)] = c;
  }
  return true;
}

int KvLookupTable::column(std::string_view caption) const {
  auto it = columns_.find(folded(caption));
  return it == columns_.end() ? 0 : it->second;
}

const KvLookupTable::Index& KvLookupTable::keysOf(int column) {
  auto it = keys_.find(column);
  if (it != keys_.end()) return it->second;
  Index& index = keys_[column];
  for (int r = sheet_.maxRows(); r > captionRow_; --r) {
    const grid::Value& v = sheet_.value(column, r);
    if (v.isNumber()) index[grid::valueText(v)] = r;
    std::string data = sheet_.getData(column, r);
    if (!data.empty()) index[folded(data)] = r;
  }
  return index;
}

int KvLookupTable::row(int keyColumn, std::string_view key) {
  if (keyColumn < 1 || keyColumn > sheet_.maxCols() || key.empty()) return 0;
  const Index& index = keysOf(keyColumn);
  auto it = index.find(folded(key));
  return it == index.end() ? 0 : it->second;
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
  FileStamp stamp;
  if (!FileStamp::of(path, stamp)) {
    error = path.str() + ": no such file";
    return nullptr;
  }
  Computing guard(path);
  return tables().get(path, stamp, [&](const Nx_String& at) -> std::shared_ptr<KvLookupTable> {
    auto table = std::make_shared<KvLookupTable>();
    if (!table->load(at, error)) return nullptr;
    return table;
  });
}

void clear() {
  tables().clear();
}

Computing::Computing(const Nx_String& path) {
  inProgress().push_back(path);
}

Computing::~Computing() {
  inProgress().pop_back();
}

}  // namespace KvLookupTables
