#pragma once
#include <cstddef>

namespace grid {

// Bounds that keep every input, however hostile, within memory and stack.
inline constexpr int kMaxColumns = 16384;  // column XFD
inline constexpr int kMaxRows = 1048576;
inline constexpr std::size_t kMaxFormulaLength = 8192;   // characters of one formula
inline constexpr int kMaxNesting = 100;                  // parentheses, calls and prefix operators
inline constexpr int kMaxArguments = 255;                // arguments of one call
inline constexpr int kMaxOptions = 128;                  // boolean options 0..127
inline constexpr std::size_t kMaxFileBytes = 64u << 20;  // sheet files
inline constexpr std::size_t kMaxFileCells = 4u << 20;   // cells in one sheet file
inline constexpr std::size_t kMaxTextLength = 1u << 20;  // one cell's text
inline constexpr std::size_t kMaxConcatLength = 32767;   // text a formula builds

}  // namespace grid
