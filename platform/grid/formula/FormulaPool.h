#pragma once
#include <cstddef>
#include <cstdint>

namespace grid {

// Storage of compiled formulas. A sheet holds up to millions of small
// programs of a few dozen bytes each; from the general heap each would carry
// a header and be rounded up to 16 bytes, a fifth of its size again. Here
// small blocks come in steps of 8 bytes from large slabs without a header,
// and a freed block waits for the next formula of its size. Slabs stay for
// the life of the process. Safe to use from any thread.
namespace formulapool {

// Room for `words` 32-bit words; never null.
std::uint32_t* allocate(std::size_t words);
// Gives back what allocate(words) returned.
void release(std::uint32_t* block, std::size_t words) noexcept;

}  // namespace formulapool
}  // namespace grid
