#pragma once
#include <mutex>
#include <optional>
#include <string>

#include "platform/grid/BlockEditor.h"
#include "platform/grid/grid_export.h"

namespace grid {

// The clipboard of the process: the last block copied from any sheet, with
// its cells in full, and the same block as tab-separated text for other
// programs. Text set from outside replaces the block.
class GRID_API Clipboard {
 public:
  static Clipboard& instance();
  void setBlock(BlockEditor::Block block, std::string text);
  void setText(std::string text);
  std::optional<BlockEditor::Block> block() const;
  std::string text() const;
  void clear();

 private:
  mutable std::mutex mutex_;
  std::optional<BlockEditor::Block> block_;
  std::string text_;
};

}  // namespace grid
