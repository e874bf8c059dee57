#include "mapping/KvNameConvention.h"

#include <string_view>

#include "core/CaseBlindKey.h"
#include "core/StringHelpers.h"
#include "core/macro/Nx_Macro.h"
#include "core/macro/Nx_ProfPlacementModule.h"
#include "mapping/MacroValueAccess.h"

namespace {

// Cut suffixes in the order they are tested; a later match overrides.
struct CutSuffix {
  const char* suffix;
  KvCutOffsetType offset;
};
constexpr CutSuffix kCutSuffixes[] = {
    {".Cut", kCutOffset},
    {".CutPoly", kCutPolyOffset},
    {".CutLength", kCutLengthOffset},
    {".CutCenter", kCutCenterOffset},
    {".CutInside", kCutInsideOffset},
    {".CutOutside", kCutOutsideOffset},
    {".Chamfer1", kCutChamferOffset1},
    {".Chamfer2", kCutChamferOffset2},
    {".CutRadius", kCutRadius},
};

// Whether the name ends with the suffix (ASCII letters without case); no
// string is built, as every look-up of a module group tests many suffixes.
bool ends(const Nx_String& name, std::string_view suffix) {
  const std::string& text = name.str();
  if (text.size() < suffix.size()) return false;
  return caseblind::Equal{}(std::string_view(text).substr(text.size() - suffix.size()), suffix);
}

Acad::ErrorStatus status(Acad::ErrorStatus es) {
  return es == Acad::eOk ? Acad::eOk : kFail;
}

}  // namespace

Acad::ErrorStatus getSetVarByName(const Nx_String& name, KvValueType type, Nx_Macro* macro,
                                  Nx_Module* module, MacroData* macroData, Nx_String& value,
                                  bool read, AcTransaction* tr) {
  if (!module || !macroData) return kFail;
  bool numeric = isNumericValueType(type);
  MacroTabData* tab = macroaccess::tabOfModule(macroData, module);
  if (!tab) return kFail;
  Nx_String prefix = getSubstrBefore(name, ".", true);

  if (numeric && name.startsWith("gen.", false)) {
    Nx_String genName = "gen_" + name.mid(4);
    Nx_StringArray names;
    if (!macro) return kFail;
    macro->getGeneralVariables(names);
    int index = names.find(genName, false);
    if (index < 0) return kFail;
    if (read) {
      value = Nx_String(macro->generalVariableValue(names[index]), 4, false);
      return Acad::eOk;
    }
    return status(macro->setGeneralVariable(names[index], value.toDouble()));
  }

  if (type == kValueString && read && (ends(name, ".Name") || ends(name, ".Material"))) {
    Nx_ProfPlacement* placement = nullptr;
    if (getNamedPrpl(module, prefix, placement) == Acad::eOk)
      return status(ends(name, ".Name") ? getSectionName(placement, value)
                                        : getMaterial(placement, value));
  }

  const CutSuffix* cut = nullptr;
  for (const CutSuffix& c : kCutSuffixes)
    if (ends(name, c.suffix)) cut = &c;
  if (numeric && cut) return macroaccess::cut(module, prefix, cut->offset, read, value);

  if (numeric && (ends(name, ".Diameter") || ends(name, ".HoleOffset")))
    return macroaccess::boltData(tab, ends(name, ".Diameter"), read, value);

  if (ends(name, ".NrBolts1") || ends(name, ".NrBolts2"))
    return status(getSetNrBolts(tab, prefix, value, read, ends(name, ".NrBolts1")));

  if (numeric && (ends(name, ".ReverseStart1") || ends(name, ".ReverseStart2"))) {
    Nx_BoltModule* bolts = asBoltModule(module);
    Nx_BoltPattern* pattern = nullptr;
    if (!bolts || findPattern(bolts, prefix, pattern, tr) != Acad::eOk) return kFail;
    return macroaccess::reverseStart(bolts, pattern, ends(name, ".ReverseStart1"), read, value, tr);
  }

  if (numeric) return macroaccess::distance(tab, module, name, read, value);

  if (ends(name, ".MemberName")) return macroaccess::memberName(tab, prefix, read, value);
  return kFail;
}
