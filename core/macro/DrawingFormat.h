#pragma once
#include <nlohmann/json.hpp>

#include <string>
#include <unordered_map>

#include "core/macro/JsonField.h"
#include "core/macro/MacroTabData.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/dbmain.h"

// The drawing file's JSON form, in both directions. Internal to Nx_Drawing.
namespace drawing {

inline constexpr const char* kFormatName = "connection-standards drawing";
inline constexpr int kFormatVersion = 1;

// The bolt patterns the tabs of a macro may refer to, by patternKey: whether
// each has two directions.
using PatternDirections = std::unordered_map<std::string, bool>;
std::string patternKey(const Nx_String& tab, const Nx_String& name);

// One tab of macro-dialog data. With patterns, every pattern entry must name
// one of them (and give a second count exactly for two directions); without,
// a second count makes a pattern two-directional. Throws LoadError.
MacroTabData readTab(const JsonField& f, const PatternDirections* patterns);
nlohmann::ordered_json writeTab(const MacroTabData& tab);

// Fills an empty database from the file's root; throws LoadError.
void readDrawing(const JsonField& root, AcDbDatabase& db, AcArray<AcDbObjectId>& macroIds);
// The canonical form of the drawing: keys in a fixed order, every key written.
nlohmann::ordered_json writeDrawing(AcDbDatabase& db, const AcArray<AcDbObjectId>& macroIds);
// The first number of the written form that JSON cannot hold (nan, inf):
// where it is and whose value it is. False when every number is finite.
bool findNonFinite(const nlohmann::ordered_json& root, LoadError& found);

}  // namespace drawing
