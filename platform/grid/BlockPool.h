#pragma once
#include <array>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/grid/grid_export.h"

namespace grid {

// Blocks of a few sizes for what a sheet holds by the million (compiled
// formulas, rows of cells): carved from slabs without a header, rounded to
// `step` bytes, and a freed block waits for the next request of its size.
// Blocks larger than `largest` come from the general heap. Past the first
// few megabytes the slabs are 2 MB, aligned for the system's huge pages:
// a large sheet then takes a page fault per 2 MB rather than per 4 KB.
// Slabs stay for the life of the pool. Safe to use from any thread.
class GRID_API BlockPool {
 public:
  BlockPool(std::size_t step, std::size_t largest);
  BlockPool(const BlockPool&) = delete;
  BlockPool& operator=(const BlockPool&) = delete;
  ~BlockPool();

  void* take(std::size_t bytes);
  void give(void* block, std::size_t bytes) noexcept;

 private:
  struct FreeBlock {
    FreeBlock* next;
  };
  struct Slab;
  std::size_t roundUp(std::size_t bytes) const { return (bytes + step_ - 1) / step_ * step_; }
  void newSlab(std::size_t atLeast);

  const std::size_t step_, largest_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<Slab>> slabs_;
  std::size_t slabBytes_ = 0;  // in all slabs
  std::byte* next_ = nullptr;
  std::size_t left_ = 0;
  std::vector<FreeBlock*> free_;  // by size / step
};

}  // namespace grid
