#include "platform/ui/PaintContext.h"

namespace ui {
PaintContext::~PaintContext() = default;
}  // namespace ui
