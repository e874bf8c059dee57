#pragma once
#include <cstddef>
#include <vector>

#include "core/Nx_String.h"

// Undo and redo of a design, kept as the template texts of its states: the
// state after each change is recorded, undo and redo step between them, and
// the design is modified whenever the current state is not the saved one.
class Nx_DesignerHistory {
 public:
  static constexpr size_t kLevels = 100;

  // A loaded or saved design: one state, which is also the saved one.
  void reset(const Nx_String& state);
  // The state after a change; nothing when it equals the current one. A
  // change with the same non-zero merge key as the one before replaces it
  // (typing into one field is one step).
  bool record(const Nx_String& state, int mergeKey = 0);
  bool canUndo() const { return index_ > 0; }
  bool canRedo() const { return index_ + 1 < states_.size(); }
  // The state to restore, or null when there is none.
  const Nx_String* undo();
  const Nx_String* redo();
  const Nx_String& current() const { return states_[index_]; }
  void markSaved() { saved_ = current(); }
  bool isModified() const { return current() != saved_; }
  size_t levels() const { return states_.size(); }

 private:
  std::vector<Nx_String> states_{Nx_String()};
  size_t index_ = 0;
  Nx_String saved_;
  int lastMerge_ = 0;
};
