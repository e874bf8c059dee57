#pragma once
#include "platform/ui/ui_export.h"

namespace ui {

class PaintContext;
class Window;

// Draws a child window as its widget would look, at its rectangle in the
// parent's client coordinates: for a parent that draws its WS_EX_PARENTDRAWN
// children itself. Labels are drawn without a background, so whatever the
// parent drew beneath (a picture) shows around their text.
UI_API void paintControl(PaintContext& dc, const Window& window);

}  // namespace ui
