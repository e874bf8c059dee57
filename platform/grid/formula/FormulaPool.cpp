#include "platform/grid/formula/FormulaPool.h"

#include "platform/grid/BlockPool.h"

namespace grid::formulapool {
namespace {

// Never destroyed: formulas held by objects of static lifetime may be freed
// after every other destructor has run.
union Immortal {
  BlockPool pool;
  Immortal() : pool(8, 512) {}
  ~Immortal() {}
};

BlockPool& pool() {
  static Immortal instance;
  return instance.pool;
}

}  // namespace

std::uint32_t* allocate(std::size_t words) {
  return static_cast<std::uint32_t*>(pool().take(words * sizeof(std::uint32_t)));
}

void release(std::uint32_t* block, std::size_t words) noexcept {
  pool().give(block, words * sizeof(std::uint32_t));
}

}  // namespace grid::formulapool
