#pragma once
#include "core/Nx_String.h"

// Where the standards sheets live: the library folder's "Connection
// Standards/" and its sub-folders.

// libDir + "Connection Standards/".
Nx_String standardsFolder();
// The file of a sheet: the name itself when a file of exactly that name
// exists, otherwise standardsFolder() + name + ".kvs".
Nx_String standardsSheetPath(const Nx_String& name);
