#pragma once
#include <string>
#include <unordered_map>

#include "common/ss_export.h"
#include "core/CaseBlindKey.h"
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "mapping/KvObjectMap.h"
#include "mapping/KvValueType.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/acadstrc.h"

class KvMacroBinding;
class MappingFileText;
class Nx_DbMacro;
class Nx_Macro;
class Nx_Module;

// How the variables of one standards sheet reach one macro: the entries of
// the sheet's mapping file line for a key, or, when the sheet applies to a
// module group, the name convention on the group's modules. Status results
// are eOk or eInvalidInput.
//
// Mapping file (beside the sheet, extension "map"): the line "Mapping
// version 1.0", then one line per key: the key, "=", the entries separated
// by the byte 0xBF; an entry is the sheet variable, the byte 0x83 and the
// entry's macro part (KvObjectMap). Files re-saved in UTF-8 are read and
// written back as such (MappingFileText).
class SS_EXPORT KvSSMapping {
 public:
  enum Mode : int {
    kNotInitialised = 0,
    kModuleGroup = 1,  // the name convention on the modules of a group
    kMacro = 2,        // entries from the mapping file
  };

  KvSSMapping();
  virtual ~KvSSMapping();
  KvSSMapping(const KvSSMapping& other);
  KvSSMapping& operator=(const KvSSMapping& other);

  // --- building ----------------------------------------------------------
  // Macro mode from the line of the request's objectName in the mapping
  // file of its sheet; fails without a macro or for a module-group request.
  Acad::ErrorStatus initFromMacro(KvMacroBinding& data);
  // Module-group mode; fails for an empty name (the name itself is not kept).
  Acad::ErrorStatus initFromModuleGroup(Nx_String groupName);
  // The entries of one mapping-file line; malformed entries are dropped.
  Acad::ErrorStatus initMappingFromLine(const Nx_String& line);
  // The entries of the key's line. A file without mapping lines keeps the
  // entries as they are; a file without the key's line fails.
  Acad::ErrorStatus getMappingFromFile(Nx_String sheetName, const Nx_String& key);
  // Appends an entry for every value the macro offers (its valid
  // variables), in module order, then its base profiles and general
  // variables; existing entries stay.
  Acad::ErrorStatus initAllVarsFromMacro(Nx_DbMacro* macro, AcTransaction* tr);

  // --- using -------------------------------------------------------------
  Acad::ErrorStatus getMacroVarValue(const Nx_String& ssVarName, const KvValueType& type,
                                     Nx_String& value, KvMacroBinding& data);
  Acad::ErrorStatus setMacroVarValue(const Nx_String& ssVarName, const KvValueType& type,
                                     Nx_String& value, KvMacroBinding& data);
  // The first entry of that sheet variable (without case) whose kind has
  // exactly that value type; for a number without one, the first entry of
  // the other numeric type.
  Acad::ErrorStatus findSSVar(const Nx_String& ssVarName, const KvValueType& type,
                              int& index) const;

  // --- comparing and listing ---------------------------------------------
  // Every entry here has a compatible entry of the same variable and type in
  // other (one direction only: an empty mapping equals every mapping).
  bool isEqual(const KvSSMapping& other) const;
  // count: the entries here without a compatible entry in other.
  Acad::ErrorStatus isCompatible(const KvSSMapping& other, int& count) const;
  Acad::ErrorStatus findCompatible(const KvObjectMap& map, int& index) const;
  // The indices of the entries whose value is numeric exactly when type is.
  Acad::ErrorStatus getValidVars(const bool& unused, const KvValueType& type,
                                 AcArray<int>& indices) const;
  // Orders indices by the position of their entry's visibility in order
  // (absent visibilities last), keeping the incoming order within a
  // position; fails for an empty order.
  Acad::ErrorStatus sortValidVars(AcArray<int>& indices, const AcArray<int>& order) const;
  // The key of the first stored line of the sheet's mapping file that
  // contains this mapping.
  bool hasSameMapping(const Nx_String& sheetName, Nx_String& key) const;
  // Stores this mapping as the key's line: unchanged when the stored line
  // contains it already, otherwise the key's old line goes and the new one
  // is appended; the other lines keep their order. Each sheet variable is
  // stored once; variables whose names a file name may not hold are left out.
  Acad::ErrorStatus setMappingToFile(Nx_String sheetName, Nx_String& key) const;

  const Nx_Array<KvObjectMap>& mappedObjects() const { return objectMaps_; }
  Nx_Array<KvObjectMap>& mappedObjectsWrite();
  int mode() const { return mode_; }

  // The mapping file of a sheet (the sheet's path with the extension "map").
  static Nx_String mappingFilePath(const Nx_String& sheetName);

 private:
  // The mapping lines (no version line, no blank lines); false when the file
  // cannot be read.
  static bool readMappingLines(const Nx_String& sheetName, MappingFileText& file);
  bool append(const KvObjectMap& map);
  // Appends the entry of one value the macro offers (no sheet variable yet).
  bool appendEntry(const Nx_String& group, KvObjectKind kind, const Nx_String& varName,
                   int visibility = kVisibleAndSettable,
                   const Nx_String& description = Nx_String());

  Acad::ErrorStatus addAllVariables(const Nx_Module* module, const Nx_String& group);
  Acad::ErrorStatus addAllCuts(const Nx_Module* module, const Nx_String& group);
  Acad::ErrorStatus addAllPatterns(const Nx_Module* module, const Nx_String& group,
                                   AcTransaction* tr);
  Acad::ErrorStatus addAllProfPlacements(const Nx_Module* module, const Nx_String& group,
                                         AcTransaction* tr);
  Acad::ErrorStatus addAllBaseProfs(Nx_DbMacro* macro, AcTransaction* tr);
  Acad::ErrorStatus addAllGenVars(const Nx_Macro* macro);

  Acad::ErrorStatus getSetInGroup(const Nx_String& ssVarName, const KvValueType& type,
                                  Nx_String& value, KvMacroBinding& data, bool read);
  Acad::ErrorStatus getSetEntry(const Nx_String& ssVarName, const KvValueType& type,
                                Nx_String& value, KvMacroBinding& data, bool read);

  int mode_ = kNotInitialised;
  Nx_Array<KvObjectMap> objectMaps_{8};
  // findSSVar's index: variable name (any case) and value type to the
  // first entry; rebuilt on first use after the entries changed.
  mutable caseblind::Map<int> index_;
  mutable bool indexValid_ = false;
};

// Separator bytes of a mapping line (Windows-1252).
inline constexpr char kMappingEntrySeparator = '\xBF';
inline constexpr char kMappingNameSeparator = '\x83';
inline constexpr char kMappingHeader[] = "Mapping version 1.0";
