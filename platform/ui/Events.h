#pragma once
#include "platform/ui/Geometry.h"

namespace ui {

// A key press or release; key is a virtual-key code (VK_* of Styles.h, or the
// upper-case letter or digit).
struct KeyEvent {
  int key = 0;
  bool down = true;
  bool shift = false;
  bool control = false;
  bool alt = false;
};

enum class MouseAction { Down, Up, Move, DoubleClick, Wheel };
enum class MouseButton { None, Left, Right, Middle };

// A mouse event in the client coordinates of the window that receives it.
struct MouseEvent {
  MouseAction action = MouseAction::Down;
  MouseButton button = MouseButton::Left;
  Point point;
  bool shift = false;
  bool control = false;
  int wheelDelta = 0;
};

enum class Cursor { Arrow, Cross, Hand, IBeam, SizeAll, SizeNS, SizeWE, SizeNWSE, SizeNESW, Wait };

}  // namespace ui
