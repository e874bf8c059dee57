#pragma once
// Internal to the kit: the table behind ui::setTimer.

namespace ui {
class Window;
namespace detail {
// Kills every timer set for the window (it is going away).
void killTimersOf(const Window* window);
}  // namespace detail
}  // namespace ui
