#include "spreadsheet/Nx_SpreadRedrawLock.h"

#include "spreadsheet/Nx_Spread.h"

Nx_SpreadRedrawLock::Nx_SpreadRedrawLock(Nx_Spread& spread)
    : spread_(spread), wasOn_(spread.sheet() && spread.sheet()->getBool(grid::kOptionRedraw)) {
  if (grid::Sheet* s = spread_.sheet()) s->setBool(grid::kOptionRedraw, false);
}

Nx_SpreadRedrawLock::~Nx_SpreadRedrawLock() {
  if (grid::Sheet* s = spread_.sheet(); s && wasOn_) s->setBool(grid::kOptionRedraw, true);
}
