#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// The table that translates the product's section names into CIS/2 section
// names ("CIS2ProfNames.dat"). A file name without a folder lies in the
// library folder (Nx_Settings::libDir). The file holds one line per section:
// the product name, a tab, the CIS/2 name (Windows-1252 text).

// Reads the table; a missing file is an empty table (true). Lines without a
// tab are reported on the command line with the file and line and skipped.
// False only when the file exists but cannot be read.
DCM_API bool readSectionTranslation(const Nx_String& fileName, Nx_StringArray& productNames,
                                    Nx_StringArray& cis2Names);

// Shows the table in its editor (title, heading above the table) and, when
// the user confirms, writes the edited table to the file. True when written.
DCM_API bool writeSectionTranslation(const Nx_String& title, const Nx_String& heading,
                                     const Nx_StringArray& productNames,
                                     const Nx_StringArray& cis2Names, const Nx_String& fileName);

// The editor that writeSectionTranslation shows: it edits the two parallel
// lists in place and answers true on OK. The module installs its dialog.
using SectionTranslationEditor = bool (*)(const Nx_String& title, const Nx_String& heading,
                                          Nx_StringArray& productNames, Nx_StringArray& cis2Names);
DCM_API SectionTranslationEditor setSectionTranslationEditor(SectionTranslationEditor editor);

// The path the table file name stands for.
DCM_API Nx_String sectionTranslationPath(const Nx_String& fileName);
