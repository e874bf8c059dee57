#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

class Nx_Bill;
class AcTransaction;

// The picture of a bill line's part, made into the bill's picture folder:
// the picture file the line names (copied), or else a drawing of the part's
// side view (its outline from the section's height and flanges and the
// line's length, with both dimensions) as a 24-bit BMP. width and height
// give the picture's size in pixels (at most 0: 240 by 72). False, with
// file empty, when the line's part cannot be drawn or its picture read;
// an unreadable picture is reported on the command line with its file and line.
DCM_API bool createImage(const Nx_StringArray& line, Nx_String& file, int& width, int& height,
                         int& param, bool& flag1, bool& flag2, Nx_Bill* bill,
                         AcTransaction* transaction);

// Whether the file can be read and holds a BMP, PNG, GIF or JPEG picture.
DCM_API bool isPictureFile(const Nx_String& path);

// The progress of picture making; the stand-in shows none and only counts.
DCM_API bool initBMPDialog(int height);
DCM_API void closeBMPDialog();
DCM_API bool isBMPDialogOpen();
