#pragma once
#include <set>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>

#include "core/Nx_String.h"
#include "platform/grid/CustomFunction.h"
#include "platform/grid/Sheet.h"

// FROMTABLE, the module's table lookup: a formula fetches a value from
// another sheet file (native, CSV or TSV) by a cell or by column captions
// and a key.
//   FROMTABLE(file, cell [, target])
//   FROMTABLE(file, key caption, value caption, key [, target])
// The forms with a target write the found cell's data text into the calling
// sheet at the target cell and leave their own result empty. A relative file
// name is taken from the folder of the calling sheet's file. Tables are read
// once and kept while their files stay the same (KvLookupTables).

// What the lookups of one registration share: the folder their relative
// file names start in (ends in a separator, or empty for the working folder),
// the paths made of the names, and the problems said so far, each said once
// on the command line: a sheet that looks into a missing file 10,000 times
// says so once.
class KvFromTableCalls {
 public:
  explicit KvFromTableCalls(Nx_String baseFolder) : baseFolder_(std::move(baseFolder)) {}
  Nx_String pathOf(const std::string& name);
  void say(const std::string& message);

 private:
  Nx_String baseFolder_;
  std::unordered_map<std::string, Nx_String> paths_;
  std::set<std::string> said_;
};

// Answers one call: result stays empty (status 2) when the file, the
// caption or the key is not there or an argument is of the wrong kind.
void answerFromTable(grid::Sheet& calling, KvFromTableCalls& calls, grid::ValueRecord& result,
                     std::span<const grid::ValueRecord> args);

// Registers FROMTABLE (2 to 5 arguments, cell references passed as such) on
// the sheet; baseFolder is where its relative file names start (ends in a
// separator, or empty for the working folder). Registered again after every
// load of the sheet, as a load drops registrations; each registration has
// every looked-up file checked again (KvLookupTables::recheck).
bool registerFromTable(grid::Sheet& sheet, const Nx_String& baseFolder);
