#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/Nx_String.h"
#include "platform/grid/Sheet.h"
#include "spreadsheet/KvKeyIndex.h"

// A sheet file that FROMTABLE looks into, loaded once and kept in the
// cache of looked-up tables (KvLookupTables) while the file stays the same.
// Captions and keys match without regard to ASCII letter case.
class KvLookupTable {
 public:
  // Loads the file, registers FROMTABLE on it (its own lookups are relative
  // to its folder) and computes it once. False with the reason.
  bool load(const Nx_String& path, std::string& error);

  grid::Sheet& sheet() { return sheet_; }
  // The row that holds the column captions: the header row, or the first
  // line when the header row is empty (CSV and TSV tables have no header
  // row of their own and write their captions in the first line).
  int captionRow() const { return captionRow_; }
  // The first column with the caption, or 0.
  int column(std::string_view caption) const;
  // The first row below the captions whose cell in the key column holds the
  // key, or 0. A number cell also matches the general text of its number, so
  // the key 200 finds a cell written "200.0".
  int row(int keyColumn, std::string_view key);

 private:
  const KvKeyIndex& keysOf(int column);

  grid::Sheet sheet_;
  int captionRow_ = 0;
  KvKeyIndex columns_;
  std::unordered_map<int, KvKeyIndex> keys_;  // by key column, built at first use
};

// The looked-up tables by path, each loaded again only when its file's
// modification time, size or inode changed. A file checked less than 50 ms
// ago is not checked again until recheck() (called when a calculation
// starts) or the moment has passed.
namespace KvLookupTables {
// The table of the file; null with the reason when it cannot be loaded, when
// it is no regular file, or when it is being loaded or computed further up
// the current chain of lookups (a table that looks into itself).
std::shared_ptr<KvLookupTable> get(const Nx_String& path, std::string& error);
// Every table's file is checked again at its next use.
void recheck();
void clear();

// Marks a table as being computed while it lives, so that a lookup coming
// back to it through a chain of tables ends instead of going round.
class Computing {
 public:
  explicit Computing(const Nx_String& path);
  ~Computing();
  Computing(const Computing&) = delete;
  Computing& operator=(const Computing&) = delete;
};
}  // namespace KvLookupTables
