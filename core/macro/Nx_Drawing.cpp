#include "core/macro/Nx_Drawing.h"

#include "core/macro/DrawingFormat.h"
#include "core/macro/JsonQuickParse.h"
#include "core/macro/Nx_BoltModule.h"
#include "platform/base/AtomicFile.h"

namespace {
// Line and column (from 1) of a byte offset, for parse errors.
std::string lineAndColumn(const std::string& text, size_t offset) {
  int line = 1, column = 1;
  for (size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// nlohmann's messages start with "[json.exception.parse_error.101] parse error at ...: ".
std::string parseReason(const std::string& message) {
  size_t colon = message.rfind(": ");
  return colon == std::string::npos ? message : message.substr(colon + 2);
}
}  // namespace

Nx_Drawing::Nx_Drawing() : db_(std::make_unique<AcDbDatabase>()) {}

namespace {
Nx_Drawing* gWorkingDrawing = nullptr;
}

Nx_Drawing::~Nx_Drawing() {
  if (gWorkingDrawing == this) gWorkingDrawing = nullptr;
}

Nx_Drawing* Nx_Drawing::working() {
  return gWorkingDrawing;
}

void Nx_Drawing::setWorking(Nx_Drawing* drawing) {
  gWorkingDrawing = drawing;
}

bool Nx_Drawing::load(const Nx_String& path, Nx_String& error) {
  std::string content, why;
  if (!base::readWholeFile(path.str(), content, &why)) {
    error = Nx_String(why);
    return false;
  }
  return loadText(content, path, error);
}

bool Nx_Drawing::loadText(const std::string& json, const Nx_String& name, Nx_String& error) {
  drawing::JsonTree root;
  try {
    root.parse(json);
  } catch (const nlohmann::json::parse_error& e) {
    error = name + ": " + lineAndColumn(json, e.byte > 0 ? e.byte - 1 : 0) + ": " +
            parseReason(e.what());
    return false;
  } catch (const nlohmann::json::exception& e) {  // a number too large for any type
    error = name + ": " + parseReason(e.what());
    return false;
  }
  auto db = std::make_unique<AcDbDatabase>();
  AcArray<AcDbObjectId> ids;
  try {
    drawing::readDrawing(drawing::JsonField(root, ""), *db, ids);
  } catch (const drawing::LoadError& e) {
    error = name + ": " + e.where + ": " + e.what;
    return false;
  }
  db_ = std::move(db);
  macroIds_ = ids;
  return true;
}

std::string Nx_Drawing::toJson() const {
  std::string json;
  drawing::JsonWriter w(json);
  drawing::writeDrawing(*db_, macroIds_, w);
  json += '\n';
  return json;
}

bool Nx_Drawing::toJson(std::string& json, Nx_String& error) const {
  std::string text;
  drawing::JsonWriter w(text);
  drawing::writeDrawing(*db_, macroIds_, w);
  drawing::LoadError bad;
  if (w.nonFinite(bad)) {
    error = Nx_String(bad.where + ": " + bad.what);
    return false;
  }
  json = std::move(text) + "\n";
  return true;
}

bool Nx_Drawing::save(const Nx_String& path, Nx_String& error) const {
  std::string json;
  Nx_String why;
  if (!toJson(json, why)) {
    error = path + ": not saved: " + why;
    return false;
  }
  // Read back before writing: a file the loader refuses is never written.
  // The writer puts down every value it holds in the one form the loader
  // takes back (a number that is not finite was refused above), so the
  // reload is not written out again to be compared: that doubled the cost
  // of a save and found nothing the loader does not.
  Nx_Drawing check;
  if (!check.loadText(json, path, why)) {
    error = "Not saved, the file would not load again: " + why;
    return false;
  }
  if (check.macroCount() != macroCount()) {
    error = path + ": not saved: the file would not load as the drawing is";
    return false;
  }
  std::string failure;
  if (base::writeFileAtomically(path.str(), json, &failure)) return true;
  error = Nx_String(failure);
  return false;
}

AcDbObjectId Nx_Drawing::findMacro(const Nx_String& name) const {
  AcTransaction tr(*db_);
  for (const AcDbObjectId& id : macroIds_) {
    Nx_DbMacro* macro = nullptr;
    if (tr.getObject(macro, id, AcDb::kForRead) == Acad::eOk && macro->name().equal(name, false))
      return id;
  }
  return AcDbObjectId::kNull;
}

AcDbObjectId Nx_Drawing::addMacro(std::unique_ptr<Nx_DbMacro> macro) {
  AcDbObjectId id = db_->addObject(std::move(macro));
  if (!id.isNull()) macroIds_.append(id);
  return id;
}

AcDbObjectId Nx_Drawing::addCopyOf(const Nx_Drawing& source, AcDbObjectId id) {
  AcTransaction from(*source.db_);
  Nx_DbMacro* original = nullptr;
  if (from.getObject(original, id, AcDb::kForRead) != Acad::eOk) return AcDbObjectId::kNull;
  Nx_Macro macro = *original->getMacro();
  for (int i = 0; i < macro.moduleCount(); ++i) {
    Nx_BoltModule* bolts = asBoltModule(macro.module(i));
    if (!bolts) continue;
    AcArray<AcDbObjectId> ids, copies;
    bolts->getPatternIds(ids);
    for (const AcDbObjectId& p : ids) {
      Nx_BoltPattern* pattern = nullptr;
      if (getPattern(p, pattern, &from) != Acad::eOk) continue;
      bool reverse1 = false, reverse2 = false;
      pattern->reverseStart(1, reverse1);
      pattern->reverseStart(2, reverse2);
      copies.append(db_->addObject(std::make_unique<Nx_BoltPattern>(
          pattern->name(), pattern->layout()->type(), reverse1, reverse2)));
    }
    bolts->setPatternIds(copies);
  }
  AcArray<AcDbObjectId> profiles;
  for (int i = 0; i < original->baseProfCount(); ++i) {
    Nx_DbProfile* profile = nullptr;
    if (original->getBaseProf(i, profile, &from) != Acad::eOk) continue;
    profiles.append(
        db_->addObject(std::make_unique<Nx_DbProfile>(profile->section(), profile->material())));
  }
  MacroData data;
  original->getMacroData(data);
  const AcDbObjectId copy = addMacro(std::make_unique<Nx_DbMacro>(std::move(macro)));
  AcTransaction to(*db_);
  Nx_DbMacro* added = nullptr;
  if (to.getObject(added, copy, AcDb::kForWrite) != Acad::eOk) return copy;
  added->setBaseProfIds(profiles);
  data.macroId = copy;
  added->setMacroData(data);
  added->clearModified();
  return copy;
}
