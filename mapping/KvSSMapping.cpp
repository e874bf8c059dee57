#include "mapping/KvSSMapping.h"

#include <memory>
#include <vector>

#include "common/StandardsPaths.h"
#include "core/ArrayHelpers.h"
#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "core/StringHelpers.h"
#include "core/macro/Nx_BoltModule.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_ProfPlacementModule.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "mapping/KvMacroBinding.h"
#include "mapping/KvNameConvention.h"
#include "mapping/MappingFileText.h"
#include "platform/base/FileMemo.h"

namespace {

// The key of a mapping line: its text before the first "=" (empty without one).
Nx_String keyOfLine(const Nx_String& line) {
  int at = line.find('=');
  return at < 0 ? Nx_String() : line.left(at);
}

int findKeyLine(const MappingFileText& file, const Nx_String& key) {
  Nx_StringArray keys;
  for (const Nx_String& line : file.lines()) keys.append(keyOfLine(line));
  return keys.find(key, true);
}

// The name as spelt (the index compares without case), then the type.
std::string indexKey(const Nx_String& name, KvValueType type) {
  std::string key;
  key.reserve(name.str().size() + 2);
  key += name.str();
  key += '\0';
  key += static_cast<char>('0' + type);
  return key;
}

bool entryType(const KvObjectMap& map, KvValueType& type) {
  return objectKindValueType(map.kind, type);
}

}  // namespace

KvSSMapping::KvSSMapping() = default;
KvSSMapping::~KvSSMapping() = default;

KvSSMapping::KvSSMapping(const KvSSMapping& other)
    : mode_(other.mode_), objectMaps_(other.objectMaps_) {}

KvSSMapping& KvSSMapping::operator=(const KvSSMapping& other) {
  if (this == &other) return *this;
  mode_ = other.mode_;
  objectMaps_ = other.objectMaps_;
  indexValid_ = false;
  return *this;
}

Nx_Array<KvObjectMap>& KvSSMapping::mappedObjectsWrite() {
  indexValid_ = false;
  return objectMaps_;
}

bool KvSSMapping::append(const KvObjectMap& map) {
  indexValid_ = false;
  return objectMaps_.insertAt(objectMaps_.length(), map);
}

bool KvSSMapping::appendEntry(const Nx_String& group, KvObjectKind kind, const Nx_String& varName,
                              int visibility, const Nx_String& description) {
  KvObjectMap map;
  map.objectName = group;
  map.varName = varName;
  map.kind = kind;
  map.visibility = visibility;
  map.description = description;
  return append(map);
}

// --- building ------------------------------------------------------------------

Nx_String KvSSMapping::mappingFilePath(const Nx_String& sheetName) {
  return changeExtension(standardsSheetPath(sheetName), "map");
}

bool KvSSMapping::readMappingLines(const Nx_String& sheetName, MappingFileText& file) {
  const Nx_String path = mappingFilePath(sheetName);
  const std::string key = "map\n" + path.str();
  if (auto kept = base::filememo::findAs<MappingFileText>(key)) {
    file = *kept;
    return true;
  }
  if (!file.read(path)) return false;
  // A mixed file is told about at every reading, so each run reports it.
  if (base::filememo::active() && !file.mixed())
    base::filememo::keep(key, std::make_shared<const MappingFileText>(file));
  return true;
}

Acad::ErrorStatus KvSSMapping::initFromMacro(KvMacroBinding& data) {
  if (!data.macro || !data.moduleName.isEmpty()) return kFail;
  mode_ = kMacro;
  return getMappingFromFile(data.fileName, data.objectName);
}

Acad::ErrorStatus KvSSMapping::initFromModuleGroup(Nx_String groupName) {
  if (groupName.isEmpty()) return kFail;
  mode_ = kModuleGroup;
  return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::getMappingFromFile(Nx_String sheetName, const Nx_String& key) {
  // In a batch a key's entries are parsed once.
  struct Parsed {
    Acad::ErrorStatus status = kFail;
    bool replaces = false;  // a file without mapping lines keeps the entries
    Nx_Array<KvObjectMap> maps{8};
  };
  std::string memoKey;
  if (base::filememo::active()) {
    memoKey = "mapping\n" + mappingFilePath(sheetName).str() + '\n' + key.str();
    if (auto kept = base::filememo::findAs<Parsed>(memoKey)) {
      if (kept->replaces) {
        objectMaps_ = kept->maps;
        indexValid_ = false;
      }
      return kept->status;
    }
  }
  MappingFileText file;
  if (!readMappingLines(sheetName, file)) return kFail;
  auto parsed = std::make_shared<Parsed>();
  if (!file.lines().isEmpty()) {
    int at = findKeyLine(file, key);
    parsed->replaces = at >= 0;
    parsed->status = at < 0 ? kFail : initMappingFromLine(file.lines()[at]);
    if (parsed->replaces) parsed->maps = objectMaps_;
  } else {
    parsed->status = Acad::eOk;
  }
  // A mixed file is told about at every reading.
  if (!memoKey.empty() && !file.mixed()) base::filememo::keep(memoKey, parsed);
  return parsed->status;
}

Acad::ErrorStatus KvSSMapping::initMappingFromLine(const Nx_String& line) {
  objectMaps_.removeAll();
  indexValid_ = false;
  Nx_String key, rest;
  if (!splitString(line, "=", key, rest)) return kFail;
  Nx_StringArray entries;
  splitStringAtSymbol(rest, kMappingEntrySeparator, entries, true);
  for (const Nx_String& entry : entries) {
    Nx_String ssVarName, macroPart;
    // Blanks between the variable name and its separator are no part of it.
    if (!splitStringAtSymbol(entry, kMappingNameSeparator, ssVarName, macroPart, true)) continue;
    KvObjectMap map;
    if (map.getMappingFromStrs(ssVarName, macroPart) == Acad::eOk) append(map);
  }
  return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::initAllVarsFromMacro(Nx_DbMacro* dbMacro, AcTransaction* tr) {
  if (!dbMacro) return kFail;
  dbMacro->assertReadEnabled();
  const Nx_Macro* macro = dbMacro->getMacro();
  Nx_StringArray names;
  macro->getModuleNames(names);
  for (const Nx_String& name : names) {
    const Nx_Module* module = nullptr;
    if (macro->findModule(name, module) != Acad::eOk || !module) continue;
    const Nx_String& group = module->groupName().isEmpty() ? module->name() : module->groupName();
    addAllVariables(module, group);
    addAllCuts(module, group);
    addAllPatterns(module, group, tr);
    addAllProfPlacements(module, group, tr);
  }
  addAllBaseProfs(dbMacro, tr);
  addAllGenVars(macro);
  return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::addAllVariables(const Nx_Module* module, const Nx_String& group) {
  if (!module) return kFail;
  Nx_StringArray names;
  AcArray<bool> visible, settable;
  if (getDialogVariables(module, names, visible, settable) != Acad::eOk) return kFail;
  // AcArray<bool> hands out no references to its flags: copy them.
  std::vector<bool> shownFlags(visible.begin(), visible.end());
  std::vector<bool> setFlags(settable.begin(), settable.end());
  for (int i = 0; i < names.length(); ++i) {
    bool shown = static_cast<size_t>(i) < shownFlags.size() && shownFlags[static_cast<size_t>(i)];
    bool set = static_cast<size_t>(i) < setFlags.size() && setFlags[static_cast<size_t>(i)];
    appendEntry(group, kObjDistance, names[i],
                shown && set ? kVisibleAndSettable
                : shown      ? kVisibleOnly
                : set        ? kSettableOnly
                             : kHiddenNotSettable);
  }
  return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::addAllCuts(const Nx_Module* module, const Nx_String& group) {
  if (!module) return kFail;
  Nx_StringArray names;
  AcArray<Nx_ConstraintCutType> types;
  if (getCutConstraints(module, names, types) != Acad::eOk) return kFail;
  for (int i = 0; i < names.length() && i < types.length(); ++i) {
    AcArray<KvCutOffsetType> offsets;
    getCutOffsets(types[i], offsets);
    for (KvCutOffsetType offset : offsets) appendEntry(group, kindOfCutOffset(offset), names[i]);
  }
  return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::addAllPatterns(const Nx_Module* module, const Nx_String& group,
                                              AcTransaction* tr) {
  const Nx_BoltModule* bolts = asBoltModule(module);
  if (!bolts) return kFail;
  appendEntry(group, kObjBoltsDiameter, Nx_String());
  appendEntry(group, kObjBoltsHoleOffset, Nx_String());
  AcArray<AcDbObjectId> ids;
  bolts->getPatternIds(ids);
  for (const AcDbObjectId& id : ids) {
    Nx_BoltPattern* pattern = nullptr;
    if (getPattern(id, pattern, tr) != Acad::eOk || !pattern) continue;
    appendEntry(group, kObjPatternNrBolts1, pattern->name());
    appendEntry(group, kObjPatternReverseStart1, pattern->name());
    if (pattern->layout()->type() == kGridLayout) {
      appendEntry(group, kObjPatternNrBolts2, pattern->name());
      appendEntry(group, kObjPatternReverseStart2, pattern->name());
    }
  }
  return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::addAllProfPlacements(const Nx_Module* module, const Nx_String& group,
                                                    AcTransaction*) {
  const Nx_ProfPlacementModule* placer = asProfPlacementModule(module);
  if (!placer) return kFail;
  for (const Nx_ProfPlacement& placement : placer->placements()) {
    if (!placement.profileGroup.isEmpty())
      appendEntry(group, kObjOwnedMemberName, placement.profileGroup);
  }
  return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::addAllBaseProfs(Nx_DbMacro* dbMacro, AcTransaction* tr) {
  if (!dbMacro) return kFail;
  dbMacro->assertReadEnabled();
  for (int i = 0; i < dbMacro->baseProfCount(); ++i) {
    Nx_String prof = "Prof" + Nx_String(i);
    appendEntry(Nx_String(), kObjPrPlName, prof);
    appendEntry(Nx_String(), kObjPrPlMaterial, prof);
    Nx_DbProfile* profile = nullptr;
    Nx_String section;
    Nx_StringArray columns;
    if (dbMacro->getBaseProf(i, profile, tr) != Acad::eOk ||
        getSectionName(profile, section) != Acad::eOk ||
        getSectionColumnNames(section, columns) != Acad::eOk)
      continue;
    for (int c = 0; c < columns.length(); ++c)
      appendEntry(Nx_String(), kObjMemberSectionSize, prof + ";" + Nx_String(c), 0, columns[c]);
  }
  return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::addAllGenVars(const Nx_Macro* macro) {
  if (!macro) return kFail;
  Nx_StringArray names;
  macro->getGeneralVariables(names);
  for (const Nx_String& name : names) appendEntry(Nx_String(), kObjGenVar, name);
  return Acad::eOk;
}

// --- using ---------------------------------------------------------------------

Acad::ErrorStatus KvSSMapping::findSSVar(const Nx_String& ssVarName, const KvValueType& type,
                                         int& index) const {
  if (!indexValid_) {
    index_.clear();
    for (int i = 0; i < objectMaps_.length(); ++i) {
      KvValueType entry;
      if (entryType(objectMaps_[i], entry))
        index_.try_emplace(indexKey(objectMaps_[i].ssVarName, entry), i);
    }
    indexValid_ = true;
  }
  auto it = index_.find(indexKey(ssVarName, type));
  // A number binds to a value of the other numeric type when none of its own
  // type is mapped: the mapping page offers both for either.
  if (it == index_.end() && isNumericValueType(type))
    it = index_.find(indexKey(ssVarName, type == kValueInt ? kValueDouble : kValueInt));
  if (it == index_.end()) return kFail;
  index = it->second;
  return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::getSetEntry(const Nx_String& ssVarName, const KvValueType& type,
                                           Nx_String& value, KvMacroBinding& data, bool read) {
  int index = -1;
  if (findSSVar(ssVarName, type, index) != Acad::eOk) return kFail;
  KvObjectMap& map = objectMaps_[index];
  Acad::ErrorStatus es =
      read ? map.getMacroVarValue(data.macro, data.macroData, value, data.transaction)
           : map.setMacroVarValue(data.macro, data.macroData, value, data.transaction);
  return es == Acad::eOk ? Acad::eOk : kFail;
}

Acad::ErrorStatus KvSSMapping::getSetInGroup(const Nx_String& ssVarName, const KvValueType& type,
                                             Nx_String& value, KvMacroBinding& data, bool read) {
  Nx_Macro* macro = data.macro->getMacroWrite();
  // The group's modules in macro order, as getModNamesOfGroup lists them;
  // module names are unique, so no list of names is built and looked up.
  for (int i = 0; i < macro->moduleCount(); ++i) {
    Nx_Module* module = macro->module(i);
    if (!module || !module->tabName().equal(data.moduleName, false)) continue;
    Acad::ErrorStatus es = getSetVarByName(ssVarName, type, macro, module, data.macroData, value,
                                           read, data.transaction);
    if (read && es == Acad::eOk) return Acad::eOk;
  }
  if (read) return kFail;
  // A write reaches every module of the group; its result is that of the
  // variable's entry, which module-group mode usually has none of.
  return getSetEntry(ssVarName, type, value, data, false);
}

Acad::ErrorStatus KvSSMapping::getMacroVarValue(const Nx_String& ssVarName, const KvValueType& type,
                                                Nx_String& value, KvMacroBinding& data) {
  if (!data.macro) return kFail;
  data.macro->assertWriteEnabled();
  if (mode_ == kModuleGroup) return getSetInGroup(ssVarName, type, value, data, true);
  return getSetEntry(ssVarName, type, value, data, true);
}

Acad::ErrorStatus KvSSMapping::setMacroVarValue(const Nx_String& ssVarName, const KvValueType& type,
                                                Nx_String& value, KvMacroBinding& data) {
  if (!data.macro) return kFail;
  data.macro->assertWriteEnabled();
  if (mode_ == kModuleGroup) return getSetInGroup(ssVarName, type, value, data, false);
  return getSetEntry(ssVarName, type, value, data, false);
}

// --- comparing and listing -------------------------------------------------------

bool KvSSMapping::isEqual(const KvSSMapping& other) const {
  for (const KvObjectMap& map : objectMaps_) {
    KvValueType type;
    int index = -1;
    if (!entryType(map, type) || other.findSSVar(map.ssVarName, type, index) != Acad::eOk)
      return false;
    if (other.objectMaps_[index].isCompatible(map) != Acad::eOk) return false;
  }
  return true;
}

Acad::ErrorStatus KvSSMapping::isCompatible(const KvSSMapping& other, int& count) const {
  count = 0;
  for (const KvObjectMap& map : objectMaps_) {
    int index = -1;
    if (other.findCompatible(map, index) != Acad::eOk) ++count;
  }
  return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::findCompatible(const KvObjectMap& map, int& index) const {
  for (int i = 0; i < objectMaps_.length(); ++i) {
    if (objectMaps_[i].isCompatible(map) == Acad::eOk) {
      index = i;
      return Acad::eOk;
    }
  }
  return kFail;
}

Acad::ErrorStatus KvSSMapping::getValidVars(const bool&, const KvValueType& type,
                                            AcArray<int>& indices) const {
  indices.removeAll();
  bool numeric = isNumericValueType(type);
  for (int i = 0; i < objectMaps_.length(); ++i) {
    KvValueType entry;
    if (entryType(objectMaps_[i], entry) && isNumericValueType(entry) == numeric) indices.append(i);
  }
  return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::sortValidVars(AcArray<int>& indices,
                                             const AcArray<int>& order) const {
  AcArray<int> incoming = indices;
  indices.removeAll();
  if (order.isEmpty()) return kFail;
  std::vector<AcArray<int>> buckets(static_cast<size_t>(order.length()));
  for (int index : incoming) {
    int position = order.length() - 1;
    if (objectMaps_.isValid(index)) {
      int found = order.find(objectMaps_[index].visibility);
      if (found >= 0) position = found;
    }
    buckets[static_cast<size_t>(position)].append(index);
  }
  for (const AcArray<int>& bucket : buckets)
    for (int index : bucket) indices.append(index);
  return Acad::eOk;
}

bool KvSSMapping::hasSameMapping(const Nx_String& sheetName, Nx_String& key) const {
  MappingFileText file;
  if (!readMappingLines(sheetName, file)) return false;
  for (const Nx_String& line : file.lines()) {
    KvSSMapping stored;
    if (stored.initMappingFromLine(line) == Acad::eOk && isEqual(stored)) {
      key = keyOfLine(line);
      return true;
    }
  }
  return false;
}

Acad::ErrorStatus KvSSMapping::setMappingToFile(Nx_String sheetName, Nx_String& key) const {
  Nx_StringArray macroParts, ssVarNames;
  for (const KvObjectMap& map : objectMaps_) {
    Nx_String macroPart, ssVarName;
    if (map.setMappingToStrs(macroPart, ssVarName) != Acad::eOk) continue;
    macroParts.append(macroPart);
    ssVarNames.append(ssVarName);
  }
  AcArray<int> duplicates;
  getDuplicates(ssVarNames, duplicates, false);
  for (int i = duplicates.length() - 1; i >= 0; --i) {
    macroParts.removeAt(duplicates[i]);
    ssVarNames.removeAt(duplicates[i]);
  }
  for (int i = 0; i < ssVarNames.length();) {
    if (!hasInvalidFileNameChars(ssVarNames[i])) {
      ++i;
      continue;
    }
    macroParts.removeAt(i);
    ssVarNames.removeAt(i);
  }

  // A file that cannot be read is started afresh.
  MappingFileText file;
  readMappingLines(sheetName, file);
  base::filememo::forget("map\n" + mappingFilePath(sheetName).str());
  int at = findKeyLine(file, key);
  if (at >= 0) {
    KvSSMapping stored;
    if (stored.initMappingFromLine(file.lines()[at]) == Acad::eOk && isEqual(stored))
      return Acad::eOk;
    file.removeAt(at);
  }
  Nx_String line = key + "=";
  for (int i = 0; i < ssVarNames.length() && i < macroParts.length(); ++i) {
    if (i > 0) line += kMappingEntrySeparator;
    line += ssVarNames[i] + kMappingNameSeparator + macroParts[i];
  }
  file.append(line);
  return file.write(mappingFilePath(sheetName), kMappingHeader) ? Acad::eOk : kFail;
}
