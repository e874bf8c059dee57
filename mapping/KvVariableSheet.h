#pragma once
#include <functional>
#include <memory>

#include "core/Nx_String.h"
#include "platform/arx/acadstrc.h"

class KvVarCells;
class Nx_Spread;

// A spreadsheet that loads a standards sheet and lists its variable cells,
// for the pages that show a sheet's variables. The standards engine sits
// above this layer; it installs the factory while the module is loaded.
class KvVariableSheet {
 public:
  virtual ~KvVariableSheet();
  // The control, to attach to a dialog item.
  virtual Nx_Spread& spread() = 0;
  // The sheet (a file, or a name in the standards folder without ".kvs").
  virtual Acad::ErrorStatus loadFile(const Nx_String& name) = 0;
  virtual Acad::ErrorStatus initVarCells() = 0;
  virtual const KvVarCells& varCells() const = 0;

  using Factory = std::function<std::unique_ptr<KvVariableSheet>()>;
  static void setFactory(Factory factory);
  // Null while no factory is installed.
  static std::unique_ptr<KvVariableSheet> make();
};
