#pragma once
#include "core/Nx_String.h"

// The small and big pictures of section shapes, files in the icon folder
// named after a shape number, a section drawing or a user-defined section
// (docs/section-library.md).

struct KvProfImageRequest {
  Nx_String shape;  // a shape number, a drawing file ending in ".dwg", or empty
  Nx_String
      userSection;  // a user section's name, maybe "User Sections\" before it and an extension
  bool big = false;
  bool missing = false;  // out: the derived picture file does not exist
};

// "ProfSection" and the shape's name for the shape numbers 1 to 24, else "".
Nx_String profSectionName(int shape);
// True unless the text ends with ".dwg" (without case).
bool isShapeNumber(const Nx_String& shape);
// Icon folder: the data folder's "icons/" (the library's when no data
// folder is set); user sections: the library's "User Sections/".
Nx_String profIconFolder();
Nx_String userSectionFolder();
// Copies "User Sections/<name>.bmp" to "<icon folder>/<name>-automated.bmp"
// unless that copy is as new as the source; fileName receives the copy's
// name. False when the user section has no picture or the copy fails.
bool makeUserSectionImage(const Nx_String& name, Nx_String& fileName);
// The picture's file name within the icon folder; "Unknown-small.bmp" or
// "Unknown-big.bmp" when there is none.
Nx_String getProfImage(KvProfImageRequest& request);
// The same with the icon folder in front.
Nx_String getProfImagePath(KvProfImageRequest& request);
