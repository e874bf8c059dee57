#pragma once
#include "core/macro/Nx_BoltPattern.h"
#include "core/macro/Nx_Module.h"
#include "platform/arx/dbmain.h"

// A bolt group: a module whose bolt patterns are database objects of their own.
class DCM_API Nx_BoltModule : public Nx_Module {
 public:
  using Nx_Module::Nx_Module;
  std::unique_ptr<Nx_Module> clone() const override;
  int type() const override;

  void getPatternIds(AcArray<AcDbObjectId>& ids) const { ids = patternIds_; }
  void addPatternId(AcDbObjectId id) { patternIds_.append(id); }
  void setPatternIds(const AcArray<AcDbObjectId>& ids) { patternIds_ = ids; }

 private:
  AcArray<AcDbObjectId> patternIds_;
};

// The module as a bolt module, or null when it is another kind.
DCM_API Nx_BoltModule* asBoltModule(Nx_Module* module);
DCM_API const Nx_BoltModule* asBoltModule(const Nx_Module* module);

// Opens (for read) the pattern of that name (without case) among the module's patterns.
DCM_API Acad::ErrorStatus findPattern(Nx_BoltModule* module, const Nx_String& name,
                                      Nx_BoltPattern*& pattern, AcTransaction* tr);
// Reads or writes the reverse-start flag of one direction (first when
// firstDirection is set); a write opens the pattern for write.
DCM_API Acad::ErrorStatus getSetBoltPatternReverses(Nx_BoltModule* module, Nx_BoltPattern* pattern,
                                                    bool firstDirection, bool read, bool& reversed,
                                                    AcTransaction* tr);
