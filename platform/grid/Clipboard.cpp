#include "platform/grid/Clipboard.h"

namespace grid {

Clipboard& Clipboard::instance() {
  static Clipboard clipboard;
  return clipboard;
}

void Clipboard::setBlock(BlockEditor::Block block, std::string text) {
  std::lock_guard lock(mutex_);
  block_ = std::move(block);
  text_ = std::move(text);
}

void Clipboard::setText(std::string text) {
  std::lock_guard lock(mutex_);
  block_.reset();
  text_ = std::move(text);
}

std::optional<BlockEditor::Block> Clipboard::block() const {
  std::lock_guard lock(mutex_);
  return block_;
}

std::string Clipboard::text() const {
  std::lock_guard lock(mutex_);
  return text_;
}

void Clipboard::clear() {
  std::lock_guard lock(mutex_);
  block_.reset();
  text_.clear();
}

}  // namespace grid
