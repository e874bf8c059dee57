#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

namespace ui {
class Window;
}

// The core's file dialogs, shown through the dialog kit (a test script
// answers them in headless runs).
//
// filter: either a full filter ("Dialog templates (*.txt)|*.txt") or just
// the description of one file type ("Dialog templates (*.txt)"), to which
// the pattern "*." + extension is added. extension is given without its dot.

// Open (open set) or save dialog for one file. path gives the proposed
// file (a name or a full path) and receives the choice; a saved name
// without extension gets the default one. False when cancelled, path then
// unchanged.
DCM_API bool DlgOpenSave(bool open, const Nx_String& extension, const Nx_String& filter,
                         const Nx_String& title, const Nx_String& folder, Nx_String& path,
                         const ui::Window* owner = nullptr);

// Open dialog for several existing files of one type; paths receives the
// choice. False when cancelled, paths then unchanged.
DCM_API bool DlgOpenMulti(const Nx_String& fileType, const Nx_String& extension,
                          const Nx_String& folder, const Nx_String& title, Nx_StringArray& paths,
                          const ui::Window* owner = nullptr);
