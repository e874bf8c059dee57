#include "standards/DataFiles.h"

#include <span>
#include <string>
#include <unordered_map>

#include "common/FileStamp.h"
#include "core/FileHelpers.h"
#include "core/Nx_Settings.h"
#include "core/StringHelpers.h"
#include "platform/base/FileMemo.h"

namespace ssfunctions {

namespace {

bool stampOf(const Nx_String& path, FileStamp& stamp) {
  return FileStamp::of(path, stamp);
}

// The places a name is looked for, in order. Without a library the other
// places would be taken from the working folder.
int candidates(const Nx_String& name, Nx_String (&places)[4]) {
  const Nx_String& lib = gSettings.libDir;
  places[0] = name;
  if (lib.isEmpty()) return 1;
  places[1] = lib + "Connection Standards/Data/" + name;
  places[2] = lib + "Connection Standards/" + name;
  places[3] = lib + name;
  return 4;
}

bool search(const Nx_String& name, Nx_String& path, FileStamp& stamp) {
  if (name.isEmpty()) return false;
  Nx_String places[4];
  for (const Nx_String& place : std::span(places, candidates(name, places))) {
    if (stampOf(place, stamp)) {
      path = place;
      return true;
    }
  }
  return false;
}

// Where each name was found, for the library folder of the time. Misses on
// the way cost a file-system call each, so a name is searched once per
// calculation; the found file is still stamped at every call.
struct Location {
  Nx_String libDir;
  Nx_String path;
};
std::unordered_map<Nx_String, Location>& locations() {
  static std::unordered_map<Nx_String, Location> found;
  return found;
}

bool locate(const Nx_String& name, Nx_String& path, FileStamp& stamp) {
  auto& found = locations();
  auto it = found.find(name);
  if (it != found.end() && it->second.libDir == gSettings.libDir &&
      stampOf(it->second.path, stamp)) {
    path = it->second.path;
    return true;
  }
  if (!search(name, path, stamp)) {
    if (it != found.end()) found.erase(it);
    return false;
  }
  if (found.size() >= 1024) found.clear();
  found[name] = Location{gSettings.libDir, path};
  return true;
}

// Parsed files by path, for the name's current location.
template <class Table>
class ParsedFileCache {
 public:
  using Parser = Table (*)(const Nx_StringArray&);
  ParsedFileCache(Parser parser, const char* kind) : parser_(parser), kind_(kind) {}

  std::shared_ptr<const Table> get(const Nx_String& name, bool* found) {
    // In a batch, a name's table is located, stamped and read once.
    const std::string key = kind_ + gSettings.libDir.str() + '\n' + name.str();
    if (auto kept = base::filememo::findAs<Table>(key)) {
      if (found) *found = true;
      return kept;
    }
    Nx_String path;
    FileStamp stamp;
    bool located = locate(name, path, stamp);
    if (found) *found = located;
    if (!located) return nullptr;
    auto table =
        files_.get(path, stamp, [this](const Nx_String& at) -> std::shared_ptr<const Table> {
          Nx_StringArray lines;
          if (!ObjectExportReadFile(at, lines)) return nullptr;
          return std::make_shared<const Table>(parser_(lines));
        });
    if (table) base::filememo::keep(key, table);
    return table;
  }

  void clear() { files_.clear(); }

 private:
  Parser parser_;
  std::string kind_;  // the memo key's start
  StampedFileCache<const Table> files_;
};

ParsedFileCache<LookupTable>& lookupCache() {
  static ParsedFileCache<LookupTable> cache(&parseLookupLines, "lookup\n");
  return cache;
}

ParsedFileCache<SizeTable>& sizeCache() {
  static ParsedFileCache<SizeTable> cache(&parseSizeLines, "sizes\n");
  return cache;
}

Nx_String withoutLineComment(const Nx_String& line) {
  int at = line.find("//", true);
  return at < 0 ? line : line.left(at);
}

// Removes "/* ... */" spans (an unclosed one runs to the end of the line)
// and a "//" comment, whichever starts first.
Nx_String withoutComments(const Nx_String& line) {
  Nx_String rest = line;
  Nx_String kept;
  while (true) {
    int block = rest.find("/*", true);
    int slashes = rest.find("//", true);
    if (block < 0 && slashes < 0) return kept + rest;
    if (slashes >= 0 && (block < 0 || slashes < block)) return kept + rest.left(slashes);
    kept += rest.left(block);
    int close = rest.find("*/", true, block + 2);
    if (close < 0) return kept;
    rest = rest.mid(close + 2);
  }
}

}  // namespace

bool findDataFile(const Nx_String& name, Nx_String& path) {
  FileStamp stamp;
  return search(name, path, stamp);
}

LookupTable parseLookupLines(const Nx_StringArray& lines) {
  LookupTable table;
  for (const Nx_String& raw : lines) {
    Nx_String line = withoutLineComment(raw);
    if (line.trimmed().isEmpty()) continue;
    Nx_StringArray fields;
    // Blanks around a field are never meant: "S235 \t235 // note" is S235, 235.
    splitStringAtSymbol(line, '\t', fields, true);
    table.push_back(std::move(fields));
  }
  return table;
}

SizeTable parseSizeLines(const Nx_StringArray& lines) {
  SizeTable table;
  for (const Nx_String& raw : lines) {
    Nx_String line = withoutComments(raw).trimmed();
    if (line.isEmpty()) continue;
    // "200X10" is read like "200x10" rather than as a width in every thickness.
    line.replace("X", "x");
    Nx_String first, second;
    if (splitStringAtSymbol(line, 'x', first, second, true))
      table.push_back({first.toDouble(), second.toDouble()});
    else
      table.push_back({line.toDouble(), 0.0});
  }
  return table;
}

std::shared_ptr<const LookupTable> readLookupFile(const Nx_String& name, bool* found) {
  return lookupCache().get(name, found);
}

std::shared_ptr<const SizeTable> readSizeFile(const Nx_String& name, bool* found) {
  return sizeCache().get(name, found);
}

void forgetDataFileLocations() {
  locations().clear();
}

void clearDataFileCache() {
  forgetDataFileLocations();
  lookupCache().clear();
  sizeCache().clear();
}

}  // namespace ssfunctions
