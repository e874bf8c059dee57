#pragma once
#include <nlohmann/json.hpp>

#include <string>
#include <unordered_map>

#include "core/macro/JsonField.h"
#include "core/macro/JsonWriter.h"
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
void writeTab(JsonWriter& w, const MacroTabData& tab);

// The loader's words for a name a list holds twice (without case), e.g.
// `usedTwice("macro", "M-1")`; a drawing saved in parts says the same.
std::string usedTwice(const char* what, const std::string& name);

// Fills an empty database from the file's root; throws LoadError.
void readDrawing(const JsonField& root, AcDbDatabase& db, AcArray<AcDbObjectId>& macroIds);
// The canonical form of the drawing: keys in a fixed order, every key
// written. The writer keeps the first number JSON cannot hold (nan, inf).
void writeDrawing(AcDbDatabase& db, const AcArray<AcDbObjectId>& macroIds, JsonWriter& w);

}  // namespace drawing
