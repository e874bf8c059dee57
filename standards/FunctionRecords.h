#pragma once
#include "core/Nx_String.h"
#include "platform/grid/CustomFunction.h"
#include "platform/grid/functions/FunctionTable.h"

// Argument readers and result writers shared by the standards functions, so
// that every function reads and answers values the same way. A reader gives
// false, its output untouched, for a record that is not of its kind.
namespace ssfunctions {

// A valid integer or double; an integer is widened.
bool readNumber(const grid::ValueRecord& arg, double& value);
// Valid text with one leading and one trailing double quote removed, as a
// sheet author may quote a text that the grid hands over with its quotes.
bool readText(const grid::ValueRecord& arg, Nx_String& text);
bool readCellRef(const grid::ValueRecord& arg, int& col, int& row);
bool isEmptyArg(const grid::ValueRecord& arg);
// Whether a reader of that kind takes the record: Number and Text as
// readNumber and readText; every other kind takes any record.
bool hasKind(const grid::ValueRecord& arg, grid::ArgKind kind);

void setEmptyResult(grid::ValueRecord& result);
void setNumberResult(grid::ValueRecord& result, double value);
// An empty text gives an empty result.
void setTextResult(grid::ValueRecord& result, const Nx_String& text);

}  // namespace ssfunctions
