#include "platform/grid/formula/FormulaPool.h"

#include <array>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace grid::formulapool {
namespace {

constexpr std::size_t kStep = 8;                // bytes
constexpr std::size_t kLargestPooled = 512;     // larger blocks come from the heap
constexpr std::size_t kSlabBytes = 256 * 1024;  // carved into blocks as needed

struct FreeBlock {
  FreeBlock* next;
};

class Pool {
 public:
  void* take(std::size_t bytes) {
    std::size_t size = roundUp(bytes);
    std::lock_guard lock(mutex_);
    FreeBlock*& head = free_[size / kStep];
    if (head) {
      void* block = head;
      head = head->next;
      return block;
    }
    if (left_ < size) {
      slabs_.push_back(std::make_unique_for_overwrite<std::byte[]>(kSlabBytes));
      next_ = slabs_.back().get();
      left_ = kSlabBytes;
    }
    void* block = next_;
    next_ += size;
    left_ -= size;
    return block;
  }
  void give(void* block, std::size_t bytes) noexcept {
    std::lock_guard lock(mutex_);
    FreeBlock*& head = free_[roundUp(bytes) / kStep];
    head = ::new (block) FreeBlock{head};
  }

 private:
  static std::size_t roundUp(std::size_t bytes) { return (bytes + kStep - 1) / kStep * kStep; }
  std::mutex mutex_;
  std::vector<std::unique_ptr<std::byte[]>> slabs_;
  std::byte* next_ = nullptr;
  std::size_t left_ = 0;
  std::array<FreeBlock*, kLargestPooled / kStep + 1> free_{};
};

// Never destroyed: formulas held by objects of static lifetime may be freed
// after every other destructor has run.
union Immortal {
  Pool pool;
  Immortal() : pool() {}
  ~Immortal() {}
};

Pool& pool() {
  static Immortal instance;
  return instance.pool;
}

}  // namespace

std::uint32_t* allocate(std::size_t words) {
  std::size_t bytes = words * sizeof(std::uint32_t);
  if (bytes > kLargestPooled) return static_cast<std::uint32_t*>(::operator new(bytes));
  return static_cast<std::uint32_t*>(pool().take(bytes));
}

void release(std::uint32_t* block, std::size_t words) noexcept {
  if (!block) return;
  std::size_t bytes = words * sizeof(std::uint32_t);
  if (bytes > kLargestPooled)
    ::operator delete(block);
  else
    pool().give(block, bytes);
}

}  // namespace grid::formulapool
