#include "platform/ui/TimerTable.h"

#include <map>

#include "platform/ui/Services.h"

namespace ui {
namespace {
struct Timer {
  const Window* window = nullptr;
  TimerCallback callback;
};
struct Table {
  std::map<int, Timer> timers;
  int nextId = 1;
};
Table& table() {
  static Table t;
  return t;
}
}  // namespace

int setTimer(Window* window, int ms, TimerCallback callback) {
  if (!callback || ms < 0) return 0;
  Table& t = table();
  int id = t.nextId++;
  t.timers[id] = Timer{window, std::move(callback)};
  backend().startTimer(id, ms);
  return id;
}

bool killTimer(int timerId) {
  Table& t = table();
  if (t.timers.erase(timerId) == 0) return false;
  backend().stopTimer(timerId);
  return true;
}

bool isTimerRunning(int timerId) {
  return table().timers.count(timerId) != 0;
}

void fireTimer(int timerId) {
  Table& t = table();
  auto it = t.timers.find(timerId);
  if (it == t.timers.end()) return;
  // A copy: the callback may kill its own timer.
  TimerCallback callback = it->second.callback;
  callback(timerId);
}

namespace detail {
void killTimersOf(const Window* window) {
  Table& t = table();
  for (auto it = t.timers.begin(); it != t.timers.end();) {
    if (it->second.window == window) {
      backend().stopTimer(it->first);
      it = t.timers.erase(it);
    } else {
      ++it;
    }
  }
}
}  // namespace detail

}  // namespace ui
