#pragma once
#include "core/Nx_String.h"
#include "core/dcm_export.h"

// Path texts. The native separator is "/"; when they split a path these
// helpers accept "/" and "\" alike (paths stored by the product may hold
// either). Nothing here touches the file system.

// The path with every "\" turned into "/".
DCM_API Nx_String toNativePath(const Nx_String& path);

// The folder part including its final separator ("a/b/c.kvs" gives "a/b/"),
// or empty when the path has no separator.
DCM_API Nx_String getPath(const Nx_String& path);
// The part after the last separator.
DCM_API Nx_String getFileName(const Nx_String& path);
// The extension without its dot ("a/b.kvs" gives "kvs"); empty when the
// file name has none. A dot that starts the file name is not an extension.
DCM_API Nx_String getExtension(const Nx_String& path);
// The path without the extension and its dot.
DCM_API Nx_String removeExtension(const Nx_String& path);
// The path with its extension replaced, or added when it has none; the new
// extension may be given with or without its dot; an empty one removes it.
DCM_API Nx_String changeExtension(const Nx_String& path, const Nx_String& extension);

// The name without leading separators ("\Childs\a.kvs" gives "Childs\a.kvs").
DCM_API Nx_String ensureNoStartBSlash(const Nx_String& name);
// The folder with a final "/" added when it has no final separator; an
// empty folder stays empty.
DCM_API Nx_String ensureEndSlash(const Nx_String& folder);
