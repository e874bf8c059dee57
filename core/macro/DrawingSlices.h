#pragma once
#include <string_view>
#include <vector>

#include "core/Nx_String.h"
#include "core/dcm_export.h"
#include "core/macro/Nx_Drawing.h"

// A drawing file cut into its macros without reading them, so that each
// macro can be read where it is used: a batch's workers read only the
// macros they run, at the same time, instead of one process reading all of
// them first. The loader checks nothing across macros but their names
// (DrawingParts.h), so a file loads exactly when everything around its
// macros loads, each macro loads on its own, and no two share a name.
namespace drawing {

// The text of each element of the file's "macros" list, in order, once
// everything around them (the format, the version, the other members, the
// commas) is known to load. False for any text laid out otherwise, valid
// or not: the caller then loads the whole file, which names the fault.
DCM_API bool sliceDrawing(std::string_view text, std::vector<std::string_view>& macros);

// Loads one slice as the only macro of a drawing; name stands for the file
// in error texts, which place the macro as the first of the file.
DCM_API bool loadSlice(Nx_Drawing& drawing, std::string_view slice, const Nx_String& name,
                       Nx_String& error);

}  // namespace drawing
