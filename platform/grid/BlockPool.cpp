#include "platform/grid/BlockPool.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <new>

namespace grid {
namespace {

constexpr std::size_t kSmallSlab = 256 * 1024;
constexpr std::size_t kHugePage = 2 * 1024 * 1024;
// Small slabs first: a process with a small sheet does not hold a huge page.
constexpr std::size_t kSmallSlabsUpTo = 4 * 1024 * 1024;

// Room for huge pages: 2 MB-aligned anonymous memory the system is asked
// to back with huge pages; null when it cannot be mapped.
std::byte* mapHugeSlab(std::size_t bytes) {
  std::size_t mapped = bytes + kHugePage;
  void* at = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (at == MAP_FAILED) return nullptr;
  auto begin = reinterpret_cast<std::uintptr_t>(at);
  std::uintptr_t aligned = (begin + kHugePage - 1) & ~(kHugePage - 1);
  if (aligned > begin) ::munmap(at, aligned - begin);
  std::uintptr_t end = begin + mapped, used = aligned + bytes;
  if (end > used) ::munmap(reinterpret_cast<void*>(used), end - used);
  ::madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);  // a hint only
  return reinterpret_cast<std::byte*>(aligned);
}

}  // namespace

struct BlockPool::Slab {
  std::byte* bytes = nullptr;
  std::size_t size = 0;
  bool mapped = false;
  ~Slab() {
    if (mapped)
      ::munmap(bytes, size);
    else
      ::operator delete(bytes);
  }
};

BlockPool::BlockPool(std::size_t step, std::size_t largest)
    : step_(step), largest_(largest), free_(largest / step + 1, nullptr) {}

BlockPool::~BlockPool() = default;

void BlockPool::newSlab(std::size_t atLeast) {
  auto slab = std::make_unique<Slab>();
  if (slabBytes_ >= kSmallSlabsUpTo) {
    slab->size = (atLeast + kHugePage - 1) / kHugePage * kHugePage;
    slab->bytes = mapHugeSlab(slab->size);
    slab->mapped = slab->bytes != nullptr;
  }
  if (!slab->mapped) {
    slab->size = std::max(kSmallSlab, atLeast);
    slab->bytes = static_cast<std::byte*>(::operator new(slab->size));
  }
  std::byte* bytes = slab->bytes;
  std::size_t size = slab->size;
  slabs_.push_back(std::move(slab));
  next_ = bytes;
  left_ = size;
  slabBytes_ += size;
}

void* BlockPool::take(std::size_t bytes) {
  std::size_t size = roundUp(bytes);
  if (size > largest_) return ::operator new(size);
  std::lock_guard lock(mutex_);
  FreeBlock*& head = free_[size / step_];
  if (head) {
    void* block = head;
    head = head->next;
    return block;
  }
  if (left_ < size) newSlab(size);
  void* block = next_;
  next_ += size;
  left_ -= size;
  return block;
}

void BlockPool::give(void* block, std::size_t bytes) noexcept {
  if (!block) return;
  std::size_t size = roundUp(bytes);
  if (size > largest_) {
    ::operator delete(block);
    return;
  }
  std::lock_guard lock(mutex_);
  FreeBlock*& head = free_[size / step_];
  head = ::new (block) FreeBlock{head};
}

}  // namespace grid
