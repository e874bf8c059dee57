#include "designer/Nx_DesignerHistory.h"

void Nx_DesignerHistory::reset(const Nx_String& state) {
  states_ = {state};
  index_ = 0;
  saved_ = state;
  lastMerge_ = 0;
}

bool Nx_DesignerHistory::record(const Nx_String& state, int mergeKey) {
  if (state == current()) return false;
  states_.resize(index_ + 1);
  if (mergeKey != 0 && mergeKey == lastMerge_ && index_ > 0) {
    states_[index_] = state;
  } else {
    states_.push_back(state);
    ++index_;
    if (states_.size() > kLevels + 1) {
      states_.erase(states_.begin());
      --index_;
    }
  }
  lastMerge_ = mergeKey;
  return true;
}

const Nx_String* Nx_DesignerHistory::undo() {
  if (!canUndo()) return nullptr;
  lastMerge_ = 0;
  return &states_[--index_];
}

const Nx_String* Nx_DesignerHistory::redo() {
  if (!canRedo()) return nullptr;
  lastMerge_ = 0;
  return &states_[++index_];
}
