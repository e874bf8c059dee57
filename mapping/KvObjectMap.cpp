#include "mapping/KvObjectMap.h"

#include "core/StringHelpers.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "mapping/MacroValueAccess.h"

namespace {

// "Prof" followed by a number: the index of a base profile.
bool baseProfileIndex(const Nx_String& text, int& index) {
  if (!text.startsWith("Prof", false)) return false;
  Nx_String rest = text.mid(4);
  if (!isNumber(rest)) return false;
  index = rest.toInt();
  return true;
}

}  // namespace

KvObjectMap::~KvObjectMap() = default;

Acad::ErrorStatus KvObjectMap::getMappingFromStrs(const Nx_String& ssVarName,
                                                  const Nx_String& macroPart) {
  Nx_String group, rest;
  if (!splitString(macroPart, Nx_String(&kMacroPartSeparator, 1), group, rest)) return kFail;
  group.trim();
  objectName = group;
  KvObjectKind found = kObjNone;
  if (!objectKindFromText(rest, found)) return kFail;
  kind = found;
  Nx_String trimmed = rest;
  while (trimmed[0] == ' ') trimmed.remove(0, 1);
  int blank = trimmed.find(' ');
  varName = blank >= 0 ? trimmed.mid(blank + 1) : Nx_String();
  this->ssVarName = ssVarName;
  return Acad::eOk;
}

Acad::ErrorStatus KvObjectMap::setMappingToStrs(Nx_String& macroPart, Nx_String& ssVarName) const {
  macroPart = objectName + kMacroPartSeparator;
  const char* keyword = objectKindKeyword(kind);
  if (!*keyword) return kFail;
  macroPart += Nx_String(keyword) + " " + varName;
  ssVarName = this->ssVarName;
  return Acad::eOk;
}

Acad::ErrorStatus KvObjectMap::mapFromArrays(const Nx_StringArray& ssVarNames,
                                             const Nx_StringArray& macroParts,
                                             const Nx_String& cellName) {
  int index = ssVarNames.find(cellName, false);
  if (index < 0 || index >= macroParts.length()) return kFail;
  return getMappingFromStrs(ssVarNames[index], macroParts[index]);
}

Acad::ErrorStatus KvObjectMap::isCompatible(const KvObjectMap& other) const {
  return objectName.equal(other.objectName, false) && varName.equal(other.varName, false) &&
                 kind == other.kind
             ? Acad::eOk
             : kFail;
}

Acad::ErrorStatus KvObjectMap::getMacroVarValue(Nx_DbMacro* macro, MacroData* macroData,
                                                Nx_String& value, AcTransaction* tr) {
  return getSetMacroVarValue(macro, macroData, value, true, tr);
}

Acad::ErrorStatus KvObjectMap::setMacroVarValue(Nx_DbMacro* macro, MacroData* macroData,
                                                Nx_String& value, AcTransaction* tr) {
  return getSetMacroVarValue(macro, macroData, value, false, tr);
}

Acad::ErrorStatus KvObjectMap::getSetMacroVarValue(Nx_DbMacro* dbMacro, MacroData* macroData,
                                                   Nx_String& value, bool read, AcTransaction* tr) {
  if (!dbMacro) return kFail;
  // Module values are reached through modules taken for writing, reads
  // included, so the macro must be open for write either way.
  dbMacro->assertWriteEnabled();
  Nx_Macro* macro = dbMacro->getMacroWrite();
  // Kind 0 names no value: it must not pass as a successful exchange.
  if (objectKindLevel(kind) == kLevelNone) return kFail;

  Nx_StringArray modules;
  if (macro->getModNamesOfGroup(objectName, modules) != Acad::eOk) return kFail;
  int answered = 0;
  for (int i = 0; i < modules.length(); ++i)
    if (getSetModuleVarValue(macro, macroData, modules[i], i, value, read, tr) == Acad::eOk)
      ++answered;

  switch (kind) {
    case kObjGenVar: {
      double number = 0.0;
      if (read) {
        // A variable the macro lacks must not read as 0.
        if (!macro->generalVariableValue(varName, number)) return kFail;
        value = Nx_String(number, 8, false);
        return Acad::eOk;
      }
      if (!macro->hasGeneralVariable(varName)) return kFail;
      return macro->setGeneralVariable(varName, value.toDouble()) == Acad::eOk ? Acad::eOk : kFail;
    }
    case kObjPrPlName:
    case kObjPrPlMaterial: {
      int index = 0;
      Nx_DbProfile* profile = nullptr;
      if (!read || !baseProfileIndex(varName, index)) return kFail;
      if (dbMacro->getBaseProf(index, profile, tr) != Acad::eOk) return kFail;
      Acad::ErrorStatus es =
          kind == kObjPrPlName ? getSectionName(profile, value) : getMaterial(profile, value);
      return es == Acad::eOk ? Acad::eOk : kFail;
    }
    case kObjMemberSectionSize: {
      Nx_String profilePart, columnPart, section;
      int index = 0;
      Nx_DbProfile* profile = nullptr;
      if (!read || !splitStringAtSymbol(varName, ';', profilePart, columnPart, true)) return kFail;
      if (!baseProfileIndex(profilePart, index)) return kFail;
      if (dbMacro->getBaseProf(index, profile, tr) != Acad::eOk) return kFail;
      if (getSectionName(profile, section) != Acad::eOk) return kFail;
      return getSectionValue(section, columnPart.toInt(), value) == Acad::eOk ? Acad::eOk : kFail;
    }
    default:
      // A value no module of the group holds must not read as empty or take
      // a write silently.
      return answered > 0 ? Acad::eOk : kFail;
  }
}

Acad::ErrorStatus KvObjectMap::getSetModuleVarValue(Nx_Macro* macro, MacroData* macroData,
                                                    Nx_String& moduleName, int moduleIndex,
                                                    Nx_String& value, bool read,
                                                    AcTransaction* tr) {
  if (!macro || !macroData || objectKindLevel(kind) != kLevelModule) return kFail;
  Nx_Module* module = nullptr;
  if (macro->openModule(moduleName, moduleIndex, module) != Acad::eOk) return kFail;
  Nx_BoltModule* bolts = asBoltModule(module);
  bool patternKind = kind >= kObjPatternNrBolts1 && kind <= kObjPatternReverseStart2;
  if (patternKind && !bolts) return kFail;
  MacroTabData* tab = macroaccess::tabOfModule(macroData, module);
  if (!tab) return kFail;

  if (kind == kObjDistance) return macroaccess::distance(tab, module, varName, read, value);
  if (isCutKind(kind)) return macroaccess::cut(module, varName, cutOffsetOfKind(kind), read, value);
  if (kind == kObjBoltsDiameter || kind == kObjBoltsHoleOffset)
    return macroaccess::boltData(tab, kind == kObjBoltsDiameter, read, value);
  if (kind == kObjPatternNrBolts1 || kind == kObjPatternNrBolts2)
    return getSetNrBolts(tab, varName, value, read, kind == kObjPatternNrBolts1) == Acad::eOk
               ? Acad::eOk
               : kFail;
  if (kind == kObjPatternReverseStart1 || kind == kObjPatternReverseStart2) {
    Nx_BoltPattern* pattern = nullptr;
    if (findPattern(bolts, varName, pattern, tr) != Acad::eOk) return kFail;
    return macroaccess::reverseStart(bolts, pattern, kind == kObjPatternReverseStart1, read, value,
                                     tr);
  }
  if (kind == kObjOwnedMemberName) return macroaccess::memberName(tab, varName, read, value);
  return Acad::eOk;
}
