#pragma once
#include "core/dcm_export.h"

namespace ui {
class Window;
}

// Enabling and showing a dialog item by id; false when the dialog has no
// item of that id (or no dialog is given).
DCM_API bool EnDisCtrl(ui::Window* dialog, int id, bool enable);
DCM_API bool ShowOrHideCtrl(ui::Window* dialog, int id, bool show);
