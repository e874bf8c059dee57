#pragma once
#include <string>

#include "core/macro/Nx_Drawing.h"

// The example drawing of the docs, shared by the macro and mapping tests.
inline std::string exampleDrawingPath() {
  return std::string(SS_SOURCE_DIR) + "/examples/drawings/example.json";
}

inline bool loadExampleDrawing(Nx_Drawing& drawing) {
  Nx_String error;
  return drawing.load(exampleDrawingPath(), error);
}
