#pragma once
#include "core/Nx_String.h"
#include "core/dcm_export.h"
#include "platform/ui/Geometry.h"

namespace ui {
class Dialog;
class Window;
}  // namespace ui

// Dialog-size memory of the core: sizes and positions remembered by
// template name ("DLG_GENVARS"), kept by the dialog kit in the named-value
// store (platform/ui/DialogSizeMemory.h).

// The dialog's current size (the macro dialog takes its template size as
// its minimum this way).
DCM_API bool getDlgSize(const ui::Window& dialog, int& width, int& height);
// The remembered rectangle of a name; false when none is remembered.
DCM_API bool getDlgSize(const Nx_String& name, ui::Rect& rect);
// Gives the dialog its remembered size and position (never below its
// minimum tracking size, kept on the screen); false, and nothing changed,
// when nothing is remembered.
DCM_API bool ChangeDlgSize(ui::Dialog& dialog, const Nx_String& name);
// Remembers the dialog's size and position under the name.
DCM_API bool WriteDlgSize(const ui::Window& dialog, const Nx_String& name);
