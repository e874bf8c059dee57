#include "standards/KvSSFunctions.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <unordered_map>

#include "core/ArrayHelpers.h"
#include "core/Rounding.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "platform/base/FileMemo.h"
#include "standards/DataFiles.h"
#include "standards/FunctionRecords.h"
#include "standards/SizeWithTolerance.h"
#include "standards/StandardsDiagnostics.h"

using namespace ssfunctions;
using grid::ValueRecord;

namespace {

// The whole number toward zero of an index argument, when it lies in
// [lowest, highest]; a huge or not-a-number index is simply out of range.
bool wholeIndex(double index, int lowest, int highest, int& whole) {
  double t = std::trunc(index);
  if (!(t >= lowest && t <= highest)) return false;
  whole = static_cast<int>(t);
  return true;
}

Nx_String systemNameOf(const Nx_String& name) {
  Nx_String systemName;
  return gSectionTables.getSystemName(name, systemName) ? systemName : name;
}

// --- rounding and conversions ------------------------------------------------

bool roundTo(ValueRecord& result, StandardsFunctionArgs args) {
  double value = 0, step = 0;
  if (!readNumber(args[0], value) || !readNumber(args[1], step)) return false;
  setNumberResult(result, ObjectExportRoundTo(value, step));
  return true;
}

bool toNumber(ValueRecord& result, StandardsFunctionArgs args) {
  Nx_String text;
  if (!readText(args[0], text)) return false;
  setNumberResult(result, text.toDouble());
  return true;
}

bool isNull(ValueRecord& result, StandardsFunctionArgs args) {
  Nx_String text;
  double number = 0;
  if (isEmptyArg(args[0]))
    setNumberResult(result, 1);
  else if (readText(args[0], text))
    setNumberResult(result, text.isEmpty() ? 1 : 0);
  else if (readNumber(args[0], number))
    setNumberResult(result, number == 0 ? 1 : 0);
  else
    return false;
  return true;
}

bool isPositive(ValueRecord& result, StandardsFunctionArgs args) {
  Nx_String text;
  double number = 0;
  if (isEmptyArg(args[0]))
    setNumberResult(result, 0);
  else if (readText(args[0], text))
    setNumberResult(result, !text.isEmpty() && text.toDouble() > 0 ? 1 : 0);
  else if (readNumber(args[0], number))
    setNumberResult(result, number > 0 ? 1 : 0);
  else
    return false;
  return true;
}

bool getArrayItem(ValueRecord& result, StandardsFunctionArgs args) {
  Nx_String list;
  double index = 0;
  if (!readText(args[0], list) || !readNumber(args[1], index)) return false;
  Nx_StringArray items;
  strToArr(list, items);
  int i = 0;
  // Outside the list the result stays empty, which is no failure.
  if (wholeIndex(index, 1, items.length(), i)) setTextResult(result, items[i - 1]);
  return true;
}

// --- sections ----------------------------------------------------------------

bool getSysName(ValueRecord& result, StandardsFunctionArgs args) {
  Nx_String name;
  if (!readText(args[0], name)) return false;
  setTextResult(result, systemNameOf(name));
  return true;
}

bool sectionSize(ValueRecord& result, StandardsFunctionArgs args) {
  Nx_String section, value;
  double index = 0;
  int dimension = 0;
  if (!readText(args[0], section) || !readNumber(args[1], index)) return false;
  // Counted from 1 by the sheet's author, from 0 by the section tables.
  if (!wholeIndex(index, -1000000, 1000000, dimension)) return false;
  if (getSectionValue(section, dimension - 1, value) != Acad::eOk) return false;
  setNumberResult(result, value.toDouble());
  return true;
}

// --- look-ups ----------------------------------------------------------------

// Numbers as the core writes them with 6 decimals ("10", "12.5"), texts as
// they are, joined with ";"; the first argument of another kind ends the key.
Nx_String lookupKey(StandardsFunctionArgs keys) {
  Nx_StringArray parts;
  for (const ValueRecord& key : keys) {
    double number = 0;
    Nx_String text;
    if (readNumber(key, number))
      parts.append(Nx_String(number, 6, false));
    else if (readText(key, text))
      parts.append(text);
    else
      break;
  }
  return arrToStr(parts, ";");
}

// The first line of a look-up table whose first field matches a key, case
// folded: a sheet looks into the same table again and again.
using FirstLines = std::unordered_map<std::string, std::size_t>;

FirstLines firstLinesOf(const LookupTable& table, bool bySystemName) {
  FirstLines lines;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const Nx_String& first = table[i][0];
    lines.emplace((bySystemName ? systemNameOf(first) : first).lower().str(), i);
  }
  return lines;
}

// The line the key finds, or none. In a batch (whose library does not change
// under it, section tables included) the index of a table is made once.
const Nx_StringArray* findLine(const std::shared_ptr<const LookupTable>& table,
                               const Nx_String& key, bool bySystemName) {
  if (base::filememo::active()) {
    const std::string memo = "lookup-lines\n" + std::to_string(bySystemName) + '\n' +
                             std::to_string(reinterpret_cast<std::uintptr_t>(table.get()));
    auto lines = base::filememo::findAs<FirstLines>(memo);
    if (!lines) {
      lines = std::make_shared<const FirstLines>(firstLinesOf(*table, bySystemName));
      // The index names lines of this table: it must live as long.
      base::filememo::keep(memo + "\ntable", table);
      base::filememo::keep(memo, lines);
    }
    auto it = lines->find(key.lower().str());
    return it == lines->end() ? nullptr : &(*table)[it->second];
  }
  for (const Nx_StringArray& fields : *table)
    if ((bySystemName ? systemNameOf(fields[0]) : fields[0]).equal(key, false)) return &fields;
  return nullptr;
}

bool lookUp(ValueRecord& result, StandardsFunctionArgs args, bool bySystemName) {
  Nx_String file;
  if (!readText(args[0], file)) return false;
  Nx_String key = lookupKey(args.subspan(1));
  bool found = false;
  auto table = readLookupFile(file, &found);
  if (!table) {
    reportDataFileProblem(file, found);
    return false;
  }
  const Nx_StringArray* fields = findLine(table, key, bySystemName);
  if (!fields || fields->length() < 2) return false;
  setTextResult(result, (*fields)[1]);
  return true;
}

bool getCell(ValueRecord& result, StandardsFunctionArgs args) {
  return lookUp(result, args, false);
}

bool getProfCell(ValueRecord& result, StandardsFunctionArgs args) {
  return lookUp(result, args, true);
}

// --- standard sizes ----------------------------------------------------------

// The file argument and the numbers after it.
bool readSizeArgs(StandardsFunctionArgs args, Nx_String& file, std::span<double> numbers) {
  if (args.size() != numbers.size() + 1 || !readText(args[0], file)) return false;
  for (std::size_t i = 0; i < numbers.size(); ++i)
    if (!readNumber(args[i + 1], numbers[i])) return false;
  return true;
}

// The lines of a size file. One that cannot be read leaves the list empty,
// so the function falls back to rounding; the run is told of the file.
std::shared_ptr<const SizeTable> sizeFile(const Nx_String& file) {
  bool found = false;
  auto table = readSizeFile(file, &found);
  if (!table) reportDataFileProblem(file, found);
  return table;
}

const SizeTable& sizeLines(const std::shared_ptr<const SizeTable>& table) {
  static const SizeTable none;
  return table ? *table : none;
}

// (file, step, value, down, up) over one of the two numbers of every line.
bool stdValueWithTolerance(ValueRecord& result, StandardsFunctionArgs args,
                           double SizeLine::*field) {
  Nx_String file;
  double n[4];
  if (!readSizeArgs(args, file, n)) return false;
  auto table = sizeFile(file);
  AcArray<double> standards;
  for (const SizeLine& line : sizeLines(table)) standards.append(line.*field);
  setNumberResult(result, sizeWithTolerance(standards, n[1], n[0], n[2], n[3]));
  return true;
}

// (file, step, size, down, up) over the first numbers of the lines.
bool stdSizeWithTolerance(ValueRecord& result, StandardsFunctionArgs args) {
  return stdValueWithTolerance(result, args, &SizeLine::first);
}

// (file, step, thickness, down, up) over the second numbers of the lines.
bool stdThicknessWithTolerance(ValueRecord& result, StandardsFunctionArgs args) {
  return stdValueWithTolerance(result, args, &SizeLine::second);
}

// (file, step, thickness, width, down, up) over the widths stocked in that
// thickness, or in every thickness (second number 0), ascending.
bool stdWidthWithTolerance(ValueRecord& result, StandardsFunctionArgs args) {
  Nx_String file;
  double n[5];
  if (!readSizeArgs(args, file, n)) return false;
  const double thickness = n[1];
  auto table = sizeFile(file);
  AcArray<double> standards;
  for (const SizeLine& line : sizeLines(table))
    if (line.second == 0 || line.second == thickness) standards.append(line.first);
  ObjectExportSort(standards);
  setNumberResult(result, sizeWithTolerance(standards, n[2], n[0], n[3], n[4]));
  return true;
}

using enum grid::ArgKind;
using grid::takes;

constexpr StandardsFunction kFunctions[] = {
    {"ROUNDTO", 2, 2, takes(Number), &roundTo},
    {"GETCELL", 2, 7, takes(Text, Single), &getCell},
    {"GETPROFCELL", 2, 7, takes(Text, Single), &getProfCell},
    {"SECTIONSIZE", 2, 2, takes(Text, Number), &sectionSize},
    {"GETSYSNAME", 1, 1, takes(Text), &getSysName},
    {"STDWIDTHWITHTOLERANCE", 6, 6, takes(Text, Number), &stdWidthWithTolerance},
    {"STDTHICKNESSWITHTOLERANCE", 5, 5, takes(Text, Number), &stdThicknessWithTolerance},
    {"STDSIZEWITHTOLERANCE", 5, 5, takes(Text, Number), &stdSizeWithTolerance},
    {"GETARRAYITEM", 2, 2, takes(Text, Number), &getArrayItem},
    {"TONUMBER", 1, 1, takes(Text), &toNumber},
    {"ISNULL", 1, 1, takes(Single), &isNull},
    {"ISPOSITIVE", 1, 1, takes(Single), &isPositive},
};

bool run(const StandardsFunction& f, ValueRecord& result, StandardsFunctionArgs args) {
  setEmptyResult(result);
  if (static_cast<int>(args.size()) < f.minArgs || static_cast<int>(args.size()) > f.maxArgs)
    return false;
  for (std::size_t i = 0; i < args.size(); ++i)
    if (!hasKind(args[i], f.kinds[i])) return false;
  bool ok = false;
  try {
    ok = f.compute(result, args);
  } catch (const std::bad_alloc&) {
    ok = false;  // a text result that cannot be allocated
  }
  if (!ok) setEmptyResult(result);
  return ok;
}

}  // namespace

std::span<const StandardsFunction> standardsFunctions() {
  return kFunctions;
}

Acad::ErrorStatus registerStandardsFunctions(grid::Sheet& sheet) {
  forgetDataFileLocations();
  bool all = true;
  for (const StandardsFunction& f : kFunctions) {
    auto callback = [&f](ValueRecord& result, StandardsFunctionArgs args) {
      return run(f, result, args);
    };
    all = sheet.addCustomFunctionExt(f.name, f.minArgs, f.maxArgs, callback, 0) && all;
  }
  return all ? Acad::eOk : Acad::eInvalidInput;
}
