#pragma once
#include "core/dcm_export.h"
#include "core/macro/MacroData.h"
#include "core/macro/Nx_DbProfile.h"
#include "core/macro/Nx_Macro.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/dbmain.h"

// A macro as a database object of its drawing: the macro itself, the ids of
// the profiles it connects (its base profiles) and its stored dialog data.
class DCM_API Nx_DbMacro : public AcDbObject {
 public:
  Nx_DbMacro() = default;
  explicit Nx_DbMacro(Nx_Macro macro) : macro_(std::move(macro)) {}

  // The macro; read access needs the object open, write access open for write.
  const Nx_Macro* getMacro() const;
  Nx_Macro* getMacroWrite();
  const Nx_String& name() const { return getMacro()->name(); }

  int baseProfCount() const;
  void getBaseProfIds(AcArray<AcDbObjectId>& ids) const;
  void setBaseProfIds(const AcArray<AcDbObjectId>& ids);
  // Opens base profile index (from 0) for read in the transaction.
  Acad::ErrorStatus getBaseProf(int index, Nx_DbProfile*& profile, AcTransaction* tr) const;

  void getMacroData(MacroData& data) const;
  void setMacroData(const MacroData& data);

 private:
  Nx_Macro macro_;
  AcArray<AcDbObjectId> baseProfIds_;
  MacroData macroData_;
};
