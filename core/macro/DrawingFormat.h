#pragma once
#include <nlohmann/json.hpp>

#include <vector>

#include "core/macro/JsonField.h"
#include "core/macro/MacroTabData.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/dbmain.h"

// The drawing file's JSON form, in both directions. Internal to Nx_Drawing.
namespace drawing {

inline constexpr const char* kFormatName = "connection-standards drawing";
inline constexpr int kFormatVersion = 1;

// A bolt pattern as the tabs of its macro may refer to it.
struct PatternInfo {
  Nx_String tab;
  Nx_String name;
  bool twoDirections = false;
};

// One tab of macro-dialog data. With patterns, every pattern entry must name
// one of them (and give a second count exactly for two directions); without,
// a second count makes a pattern two-directional. Throws LoadError.
MacroTabData readTab(const JsonField& f, const std::vector<PatternInfo>* patterns);
nlohmann::ordered_json writeTab(const MacroTabData& tab);

// Fills an empty database from the file's root; throws LoadError.
void readDrawing(const JsonField& root, AcDbDatabase& db, AcArray<AcDbObjectId>& macroIds);
// The canonical form of the drawing: keys in a fixed order, every key written.
nlohmann::ordered_json writeDrawing(AcDbDatabase& db, const AcArray<AcDbObjectId>& macroIds);

}  // namespace drawing
