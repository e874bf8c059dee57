#pragma once
// The listing `ss-host calc` prints: a "cell,value" line for every cell
// that holds a formula or shows a value, row by row.
#include <cstddef>
#include <cstdio>
#include <string>

#include "platform/grid/CellStore.h"
#include "platform/grid/Value.h"

// Large sheets are formatted in blocks of about this many cells.
inline constexpr std::size_t kListingBlockCells = 1 << 14;

// One line of the listing, appended to `out`.
void appendListingLine(std::string& out, int col, int row, const grid::Value& value);

// The whole listing, written to `to` as it is made. From two blocks on,
// every other block is formatted by a second thread while the first
// formats and writes the rest; the text is the same.
void writeListing(const grid::CellStore& cells, std::FILE* to,
                  std::size_t blockCells = kListingBlockCells);
