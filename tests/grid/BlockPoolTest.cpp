#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/grid/BlockPool.h"
#include "platform/grid/CellStore.h"

namespace {

struct Block {
  unsigned char* at;
  std::size_t bytes;
  unsigned char mark;
};

bool holdsMark(const Block& b) {
  for (std::size_t i = 0; i < b.bytes; ++i)
    if (b.at[i] != b.mark) return false;
  return true;
}

// Takes blocks of varying sizes (past the small slabs into the huge ones),
// gives every third back and takes again, each block filled with a mark:
// a block handed out twice, or overlapping another, spoils a mark.
void churn(grid::BlockPool& pool, unsigned char firstMark, std::vector<Block>& live) {
  unsigned char mark = firstMark;
  for (int round = 0; round < 3; ++round) {
    for (std::size_t i = 0; i < 40000; ++i) {
      std::size_t bytes = 8 + (i * 37) % 500;
      auto* at = static_cast<unsigned char*>(pool.take(bytes));
      std::memset(at, mark, bytes);
      live.push_back({at, bytes, mark});
      mark = static_cast<unsigned char>(mark % 100 + firstMark);
    }
    std::vector<Block> kept;
    for (std::size_t i = 0; i < live.size(); ++i) {
      if (i % 3 == 0)
        pool.give(live[i].at, live[i].bytes);
      else
        kept.push_back(live[i]);
    }
    live = std::move(kept);
  }
}

}  // namespace

TEST(BlockPool, BlocksAreDisjointAlignedAndReused) {
  grid::BlockPool pool(8, 512);
  std::vector<Block> live;
  churn(pool, 1, live);
  for (const Block& b : live) {
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(b.at) % 8, 0u);
    ASSERT_TRUE(holdsMark(b)) << "a block of " << b.bytes << " bytes was overwritten";
  }
  // A block given back serves the next request of its rounded size.
  void* a = pool.take(20);
  pool.give(a, 20);
  EXPECT_EQ(pool.take(24), a);
  // Past the largest size the general heap serves, and takes it back.
  void* big = pool.take(4096);
  std::memset(big, 7, 4096);
  pool.give(big, 4096);
  for (const Block& b : live) pool.give(b.at, b.bytes);
}

TEST(BlockPool, TwoThreadsNeverShareABlock) {
  grid::BlockPool pool(8, 512);
  std::vector<Block> first, second;
  std::thread other([&] { churn(pool, 101, second); });
  churn(pool, 1, first);
  other.join();
  for (const auto* blocks : {&first, &second})
    for (const Block& b : *blocks) ASSERT_TRUE(holdsMark(b));
}

TEST(BlockPool, RowsOfCellsAlignedForTheirCells) {
  grid::CellStore cells;
  for (int row = 1; row <= 2000; ++row)
    for (int col = 1; col <= 1 + row % 80; ++col) cells.obtain(col, row).value.number = row + col;
  for (int row = 1; row <= 2000; ++row) {
    const grid::Cell* c = cells.find(1, row);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(c) % alignof(grid::Cell), 0u);
    EXPECT_EQ(cells.find(1 + row % 80, row)->value.number, row + 1 + row % 80);
  }
}
