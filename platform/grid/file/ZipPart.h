#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/file/ZipDirectory.h"

namespace grid {

// The entry of `entries` named `name`; null when there is none.
const ZipEntry* findZipEntry(const std::vector<ZipEntry>& entries, std::string_view name);

// Unpacks one entry of an archive whose directory has been read (and its
// sizes checked against a limit) into `out`. False with the reason, naming
// the part, when the entry is damaged: a bad local header, data cut off, a
// method other than stored or deflated, inflated data that does not end
// where the directory says or whose checksum differs.
bool unpackZipEntry(std::string_view archive, const ZipEntry& entry, std::string& out,
                    std::string& error);

}  // namespace grid
