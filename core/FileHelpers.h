#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// Files and folders. Paths may use "\" as well as "/" (both are taken as
// separators). A failing call returns false and, when error is given, puts
// the reason with the path into it. A name holding "*" or "?" is a plain
// name here, never a pattern.

// Reads a text file as lines of raw 8-bit text. Lines end with "\n" or
// "\r\n"; a final line needs no line end; an empty file has no lines.
DCM_API bool ObjectExportReadFile(const Nx_String& path, Nx_StringArray& lines,
                                  Nx_String* error = nullptr);
// Writes the lines, each ended by "\n", through a temporary file renamed over
// the target: a failed write leaves the previous file intact.
DCM_API bool ObjectExportWriteFile(const Nx_String& path, const Nx_StringArray& lines,
                                   Nx_String* error = nullptr);

// Whole-file text, raw bytes; the writer is atomic as above.
DCM_API bool readTextFile(const Nx_String& path, Nx_String& content, Nx_String* error = nullptr);
DCM_API bool writeTextFile(const Nx_String& path, const Nx_String& content,
                           Nx_String* error = nullptr);

DCM_API bool fileExists(const Nx_String& path);  // exists and is not a folder
DCM_API bool folderExists(const Nx_String& path);
DCM_API bool pathExists(const Nx_String& path);  // file or folder

// Creates the folder and any missing parents; true when it exists afterwards.
DCM_API bool createFolder(const Nx_String& path, Nx_String* error = nullptr);
// Deletes a file (never a folder); a missing file is a failure.
DCM_API bool deleteFile(const Nx_String& path, Nx_String* error = nullptr);
// Copies a file's content; the target is replaced atomically. Without
// overwrite an existing target is a failure.
DCM_API bool copyFile(const Nx_String& from, const Nx_String& to, bool overwrite = true,
                      Nx_String* error = nullptr);
