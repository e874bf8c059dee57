#include "core/macro/ClashCheck.h"

namespace {
struct ClashState {
  bool on = false;
  int objects = 0;
  std::vector<std::string> calls;
};

ClashState& state() {
  static ClashState s;
  return s;
}
}  // namespace

void clashInitDlgStarted(int dialogIndex) {
  state().calls.push_back("started " + std::to_string(dialogIndex));
}

void clashReset(const AcArray<AcDbObjectId>& objects) {
  state().objects = objects.length();
  state().calls.push_back("reset " + std::to_string(objects.length()));
}

void clashSetStatus(bool on) {
  state().on = on;
  state().calls.push_back(on ? "status on" : "status off");
}

bool clashStatus() {
  return state().on;
}

int clashCheck() {
  state().calls.push_back(state().on ? "check" : "check skipped");
  return 0;
}

void clashDlgClosed(int dialogIndex) {
  state().calls.push_back("closed " + std::to_string(dialogIndex));
}

const std::vector<std::string>& clashCalls() {
  return state().calls;
}

void clearClashCalls() {
  state().calls.clear();
}
