#pragma once
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// Row files: a table of text cells, one row per line, cells separated by a
// tab. Inside a cell "\\" stands for a backslash, "\t" for a tab, "\n" and
// "\r" for line breaks; any other byte is itself (raw 8-bit text). An empty
// line is a row without cells. Lines end with "\n" (a "\r\n" is accepted).
// Section tables in the library's prof/ folder are row files (see
// docs/core-files.md).

// Reads the rows; the table name is the file name without folder and
// extension. On failure (missing file, bad escape) nothing is changed and
// error names the file and line.
DCM_API bool readFile(const Nx_String& path, Nx_String& tableName, Nx_Array<Nx_StringArray>& rows,
                      Nx_String* error = nullptr);
// Writes the rows atomically: a failed write leaves the previous file intact.
DCM_API bool writeFile(const Nx_String& path, const Nx_Array<Nx_StringArray>& rows,
                       Nx_String* error = nullptr);

// One row as a line and back (the cell escaping of the format).
DCM_API Nx_String rowToLine(const Nx_StringArray& row);
// False with the reason when the line holds a bad escape.
DCM_API bool lineToRow(const Nx_String& line, Nx_StringArray& row, Nx_String* reason = nullptr);
