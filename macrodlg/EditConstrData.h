#pragma once
#include "common/ss_export.h"
#include "core/Nx_Array.h"
#include "core/Nx_String.h"

// Record of the constraints editor of a macro, modal or modeless: the cut
// constraints of one module. The core module fills it, the dialog edits a
// copy and hands it back on OK.
class SS_EXPORT EditConstrData {
 public:
  // One cut constraint: where a cut of the module's profile lies.
  struct Constraint {
    Nx_String name;       // the cut's name within the module
    int kind = 0;         // Nx_ConstraintCutType: the cut's shape
    double distance = 0;  // offset of the cut from its reference plane, mm
    bool active = true;   // an inactive constraint is kept but not applied
    bool operator==(const Constraint&) const = default;
  };

  EditConstrData();
  EditConstrData(const EditConstrData& other);
  EditConstrData& operator=(const EditConstrData& other);
  virtual ~EditConstrData();
  bool operator==(const EditConstrData& other) const;

  Nx_String macroName;   // shown in the heading
  Nx_String moduleName;  // the module whose cuts these are
  Nx_Array<Constraint> constraints;
};
