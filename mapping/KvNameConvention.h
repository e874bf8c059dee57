#pragma once
#include "core/Nx_String.h"
#include "mapping/KvValueType.h"
#include "platform/arx/acadstrc.h"

class AcTransaction;
class MacroData;
class Nx_Macro;
class Nx_Module;

// Reads or writes, on one module, the value that a spreadsheet variable's
// own name designates when a sheet applies to a module group: "gen.X" is the
// general variable "gen_X"; a suffix names the kind of value of the object
// named before the last "." (".Name", ".Material", ".Cut", ".CutPoly",
// ".CutLength", ".CutCenter", ".CutInside", ".CutOutside", ".Chamfer1",
// ".Chamfer2", ".CutRadius", ".Diameter", ".HoleOffset", ".NrBolts1",
// ".NrBolts2", ".ReverseStart1", ".ReverseStart2", ".MemberName"); any
// other numeric name is a constraint variable of the module. eOk or
// eInvalidInput.
Acad::ErrorStatus getSetVarByName(const Nx_String& ssVarName, KvValueType type, Nx_Macro* macro,
                                  Nx_Module* module, MacroData* macroData, Nx_String& value,
                                  bool read, AcTransaction* tr);
