#pragma once
#include <nlohmann/json.hpp>

#include "core/macro/JsonField.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/dbmain.h"

// The drawing file's JSON form, in both directions. Internal to Nx_Drawing.
namespace drawing {

inline constexpr const char* kFormatName = "connection-standards drawing";
inline constexpr int kFormatVersion = 1;

// Fills an empty database from the file's root; throws LoadError.
void readDrawing(const JsonField& root, AcDbDatabase& db, AcArray<AcDbObjectId>& macroIds);
// The canonical form of the drawing: keys in a fixed order, every key written.
nlohmann::ordered_json writeDrawing(AcDbDatabase& db, const AcArray<AcDbObjectId>& macroIds);

}  // namespace drawing
