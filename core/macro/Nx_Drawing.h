#pragma once
#include <memory>
#include <string>

#include "core/Nx_String.h"
#include "core/dcm_export.h"
#include "core/macro/Nx_DbMacro.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/dbmain.h"

// A drawing: the database that holds its macros, with the profiles and bolt
// patterns they refer to, read from and written to a drawing file (JSON,
// described in docs/drawing-file.md).
class DCM_API Nx_Drawing {
 public:
  Nx_Drawing();
  ~Nx_Drawing();
  Nx_Drawing(const Nx_Drawing&) = delete;
  Nx_Drawing& operator=(const Nx_Drawing&) = delete;

  // Replaces the drawing with the file's content. On failure the drawing is
  // unchanged and error names the file, the place in it and what was expected.
  bool load(const Nx_String& path, Nx_String& error);
  // The same from text; name stands for the file in error texts.
  bool loadText(const std::string& json, const Nx_String& name, Nx_String& error);
  // Writes the whole drawing atomically; the previous file survives a failure.
  // Refuses (naming the value) a drawing whose file would not load: a number
  // that is not finite, or anything the loader refuses (the text is loaded first).
  bool save(const Nx_String& path, Nx_String& error) const;
  // The file content that save writes; false, naming the first one, when a
  // number is not finite (JSON has no form for it).
  bool toJson(std::string& json, Nx_String& error) const;
  // The same unchecked, for snapshots that never reach a file: a number
  // that is not finite comes out as null.
  std::string toJson() const;

  AcDbDatabase& database() { return *db_; }
  const AcDbDatabase& database() const { return *db_; }
  // The macros in file order.
  void getMacroIds(AcArray<AcDbObjectId>& ids) const { ids = macroIds_; }
  int macroCount() const { return macroIds_.length(); }
  // The macro of that name (without case), or the null id.
  AcDbObjectId findMacro(const Nx_String& name) const;
  // Adds a macro at the end; the profiles and patterns it refers to must
  // already be objects of database().
  AcDbObjectId addMacro(std::unique_ptr<Nx_DbMacro> macro);
  // Adds a copy of another drawing's macro at the end, with copies of its
  // base profiles and bolt patterns, so that nothing is shared with the
  // original; the null id when the macro cannot be opened. A scratch copy
  // costs the macro's size, where loading the drawing again costs all of it.
  AcDbObjectId addCopyOf(const Nx_Drawing& source, AcDbObjectId id);

  // The drawing the host works in (the CAD host's working database), which
  // the macro dialog data reaches its macro through; null when none.
  static Nx_Drawing* working();
  static void setWorking(Nx_Drawing* drawing);

 private:
  std::unique_ptr<AcDbDatabase> db_;
  AcArray<AcDbObjectId> macroIds_;
};
