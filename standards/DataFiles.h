#pragma once
#include <memory>
#include <vector>

#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"

// The data files of the standards functions: look-up tables of GETCELL and
// GETPROFCELL and size lists of the tolerance functions, found beside the
// standards in the library folder.
namespace ssfunctions {

// One line of a look-up file split at tabs; never empty.
using LookupTable = std::vector<Nx_StringArray>;

// One line of a size file: "first x second", or a lone number with 0.
struct SizeLine {
  double first = 0;
  double second = 0;
};
using SizeTable = std::vector<SizeLine>;

// The first existing file among: the name itself, then libDir +
// "Connection Standards/Data/", libDir + "Connection Standards/" and libDir,
// each followed by the name. False when none exists (a folder is no file).
bool findDataFile(const Nx_String& name, Nx_String& path);

// "//" comments removed, lines left blank dropped, fields split at tabs.
LookupTable parseLookupLines(const Nx_StringArray& lines);
// "/* */" and "//" comments removed, blank lines skipped; "200x10" gives
// (200, 10), "300" gives (300, 0).
SizeTable parseSizeLines(const Nx_StringArray& lines);

// The parsed content of the file that findDataFile resolves the name to, or
// null when there is none or it cannot be read; found, when given, tells
// which (true: there is a file, it cannot be read). Parsed files are kept by path
// and reread only when their modification time, size or inode changes (or
// while they are younger than two seconds): a sheet may look into the same
// file many times in one run.
std::shared_ptr<const LookupTable> readLookupFile(const Nx_String& name, bool* found = nullptr);
std::shared_ptr<const SizeTable> readSizeFile(const Nx_String& name, bool* found = nullptr);

// Names are searched again at their next use. Called at the start of every
// calculation, so that a file added earlier in the search order is found.
void forgetDataFileLocations();
// Forgets every parsed file and every location.
void clearDataFileCache();

}  // namespace ssfunctions
