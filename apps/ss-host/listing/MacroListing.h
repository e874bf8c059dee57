#pragma once
#include <string>
#include <vector>

#include "platform/arx/dbid.h"

class Nx_Drawing;

// One line of the host window's model-space list: a macro of the drawing
// with its kind, its modules and the standards attached to it (UTF-8).
struct MacroListRow {
  AcDbObjectId id;
  std::string name;
  std::string kind;
  std::string modules;    // module names, in order
  std::string standards;  // sheets; a sheet on a module group names the group
};

// The rows of every macro of the drawing, in file order.
std::vector<MacroListRow> listMacros(Nx_Drawing& drawing);
// The row of one macro; false when it is not in the drawing.
bool listMacro(Nx_Drawing& drawing, AcDbObjectId id, MacroListRow& row);
