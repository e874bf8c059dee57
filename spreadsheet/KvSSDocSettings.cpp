#include "spreadsheet/KvSSDocSettings.h"

#include <cstdlib>

#include "core/FileHelpers.h"
#include "core/Nx_Settings.h"
#include "core/PathHelpers.h"
#include "platform/arx/acutil.h"
#include "spreadsheet/KvSSEditorSettings.h"
#include "spreadsheet/KvSSRecords.h"
#include "spreadsheet/Nx_Spread.h"
#include "spreadsheet/SheetOptions.h"

namespace {

constexpr int kFreshCols = 6;
constexpr int kFreshRows = 11;
constexpr int kFreshEditLength = 100;
constexpr unsigned kFreshEditStyle = 0x110000;
constexpr int kTextTipStatus = 2;
constexpr int kTextTipDelay = 10;
// Switched on by every application of a document: 7 is automatic recalculation.
constexpr int kAppliedOptions[] = {12, 25, grid::kOptionAutoCalc, 21};

struct IntField {
  const char* key;
  int KvSSDocSettings::*field;
};
struct BoolField {
  const char* key;
  bool KvSSDocSettings::*field;
};
struct TextField {
  const char* key;
  Nx_String KvSSDocSettings::*field;
};
constexpr TextField kTexts[] = {{"headerFile", &KvSSDocSettings::headerFile},
                                {"footerFile", &KvSSDocSettings::footerFile},
                                {"defaultFont", &KvSSDocSettings::defaultFont}};
constexpr IntField kInts[] = {{"defaultTextHeight", &KvSSDocSettings::defaultTextHeight},
                              {"marginLeft", &KvSSDocSettings::marginLeft},
                              {"marginRight", &KvSSDocSettings::marginRight},
                              {"marginTop", &KvSSDocSettings::marginTop},
                              {"marginBottom", &KvSSDocSettings::marginBottom}};
constexpr BoolField kBools[] = {{"smartPrint", &KvSSDocSettings::smartPrint},
                                {"colors", &KvSSDocSettings::colors},
                                {"colHeader", &KvSSDocSettings::colHeader},
                                {"rowHeader", &KvSSDocSettings::rowHeader},
                                {"cellSeperators", &KvSSDocSettings::cellSeperators},
                                {"border", &KvSSDocSettings::border}};
const char kVarNames[] = "varNames";
const char kVarValues[] = "varValues";

// A record as a whole number: integers directly, doubles cut, strings parsed.
bool recordInt(const KvSSRecord& r, long& value) {
  switch (r.type) {
    case KvSSRecord::kInt:
    case KvSSRecord::kLong:
      value = r.l;
      return true;
    case KvSSRecord::kDouble:
      // Only a number a 64-bit long can hold: converting any other (NaN
      // included) is undefined.
      if (!(r.d >= -0x1p63 && r.d < 0x1p63)) return false;
      value = static_cast<long>(r.d);
      return true;
    case KvSSRecord::kString: {
      char* end = nullptr;
      value = std::strtol(r.s.c_str(), &end, 10);
      return !r.s.isEmpty() && *end == '\0';
    }
    default:
      return false;
  }
}

Nx_String recordText(const KvSSRecord& r) {
  switch (r.type) {
    case KvSSRecord::kString:
      return r.s;
    case KvSSRecord::kInt:
    case KvSSRecord::kLong:
      return Nx_String(std::to_string(r.l));
    case KvSSRecord::kDouble:
      return Nx_String(r.d, 2, true);
    default:
      return "";
  }
}

KvSSRecord intRecord(long value) {
  KvSSRecord r;
  r.type = KvSSRecord::kInt;
  r.l = value;
  return r;
}
KvSSRecord textRecord(const Nx_String& value) {
  KvSSRecord r;
  r.type = KvSSRecord::kString;
  r.s = value;
  return r;
}

void readList(const KvSSRecords& records, const char* key, Nx_StringArray& list) {
  list.removeAll();
  for (int i = 0;; ++i) {
    const KvSSRecord* r = records.find(Nx_String(key) + Nx_String(i));
    if (!r) return;
    list.append(recordText(*r));
  }
}

Nx_String fileText(const Nx_String& file) {
  if (file.isEmpty()) return "";
  Nx_String path = toNativePath(file);
  if (path[0] != '/') path = KvSSDocSettings::settingsFolder() + path;
  Nx_String text;
  if (!readTextFile(path, text)) return "";
  // A final line end is the file's, not the page's.
  while (text.endsWith("\n", true) || text.endsWith("\r", true))
    text = text.left(text.length() - 1);
  return text;
}

void setSheetFonts(Nx_Spread& sheet, const grid::Font& regular) {
  grid::Sheet& s = *sheet.sheet();
  grid::Font bold = regular;
  bold.bold = true;
  int cols = s.maxCols(), rows = s.maxRows();
  // Column by column: the cells of a column mostly share one format, which
  // the sheet then changes once rather than once a cell.
  if (rows >= 1)
    for (int c = 1; c <= cols; ++c) s.setFont({c, 1, c, rows}, regular);
  if (cols >= 1) s.setFont({1, 0, cols, 0}, bold);
  if (rows >= 1) s.setFont({0, 1, 0, rows}, bold);
}

}  // namespace

KvSSDocSettings::KvSSDocSettings() {
  reset();
}

KvSSDocSettings::~KvSSDocSettings() = default;

void KvSSDocSettings::reset() {
  sheet = nullptr;
  valid = false;
  headerFile.setEmpty();
  footerFile.setEmpty();
  defaultFont = "Tahoma";
  defaultTextHeight = 13;
  marginLeft = 9;
  marginRight = 5;
  marginTop = 5;
  marginBottom = 5;
  smartPrint = colors = colHeader = rowHeader = cellSeperators = border = true;
  varNames.removeAll();
  varValues.removeAll();
}

bool KvSSDocSettings::takeFields(const KvSSRecords& records, bool strict, Nx_String& fault) {
  auto wrongKind = [&](const char* key, const char* kind) {
    fault = Nx_String("field \"") + key + "\" is not " + kind;
    return false;
  };
  // A record without a value (type 0, or a type read as 0) leaves its field alone.
  auto stored = [&](const char* key) -> const KvSSRecord* {
    const KvSSRecord* r = records.find(key);
    return r && r->type != KvSSRecord::kNone ? r : nullptr;
  };
  for (const TextField& f : kTexts)
    if (const KvSSRecord* r = stored(f.key)) {
      if (strict && r->type != KvSSRecord::kString) return wrongKind(f.key, "a text");
      this->*f.field = recordText(*r);
    }
  for (const IntField& f : kInts)
    if (const KvSSRecord* r = stored(f.key)) {
      long value = 0;
      if (recordInt(*r, value))
        this->*f.field = static_cast<int>(value);
      else if (strict)
        return wrongKind(f.key, "a whole number");
    }
  for (const BoolField& f : kBools)
    if (const KvSSRecord* r = stored(f.key)) {
      long value = 0;
      bool ok = recordInt(*r, value);
      if (strict && (!ok || (value != 0 && value != 1))) return wrongKind(f.key, "0 or 1");
      if (ok) this->*f.field = value != 0;
    }
  readList(records, kVarNames, varNames);
  readList(records, kVarValues, varValues);
  // Every name has a value, and only names have values.
  varValues.setLength(varNames.length());
  return true;
}

void KvSSDocSettings::putFields(KvSSRecords& records) const {
  for (const TextField& f : kTexts) records.set(f.key, textRecord(this->*f.field));
  for (const IntField& f : kInts) records.set(f.key, intRecord(this->*f.field));
  for (const BoolField& f : kBools) records.set(f.key, intRecord(this->*f.field ? 1 : 0));
  for (int i = 0; i < varNames.length(); ++i)
    records.set(Nx_String(kVarNames) + Nx_String(i), textRecord(varNames[i]));
  for (int i = 0; i < varValues.length(); ++i)
    records.set(Nx_String(kVarValues) + Nx_String(i), textRecord(varValues[i]));
}

Nx_String KvSSDocSettings::settingsFolder() {
  return ensureEndSlash(toNativePath(gSettings.libDir));
}

Nx_String KvSSDocSettings::documentPath(const Nx_String& name) {
  return settingsFolder() + name + ".kvd";
}

bool KvSSDocSettings::loadDocument(const Nx_String& name) {
  reset();
  valid = true;
  lastError_.setEmpty();
  Nx_String path = documentPath(name);
  Nx_String text, fault;
  if (!readTextFile(path, text, &fault)) {
    lastError_ = fault;
    return false;
  }
  KvSSRecords records;
  KvSSDocSettings read;
  read.valid = true;
  if (!records.parseStrict(text, fault) || !read.takeFields(records, true, fault)) {
    lastError_ = "Settings document " + path + ": " + fault;
    acutPrintf("*Error* %s; the document is not used.\n", lastError_.c_str());
    return false;
  }
  *this = read;
  return true;
}

void KvSSDocSettings::readFromSheet(const Nx_Spread& from) {
  reset();
  valid = true;
  sheet = &from;
  Nx_String tag, unused;
  from.getCellText(0, 0, tag, Nx_Spread::kTag);
  KvSSRecords records;
  records.parse(tag);
  takeFields(records, false, unused);
}

bool KvSSDocSettings::writeToSheet(Nx_Spread& to) const {
  if (!valid || !to.sheet()) return false;
  KvSSRecords records;
  putFields(records);
  return to.sheet()->setCellTag(0, 0, records.text());
}

bool KvSSDocSettings::setVariables(Nx_Spread& to, const Nx_StringArray& names,
                                   const Nx_StringArray& values) {
  readFromSheet(to);
  varNames = names;
  varValues = values;
  varValues.setLength(varNames.length());
  return writeToSheet(to);
}

bool KvSSDocSettings::applyDocument(Nx_Spread& to, const Nx_String& name, bool freshSheet) {
  grid::Sheet* s = to.sheet();
  if (!s) return false;
  for (int option : kAppliedOptions) s->setBool(option, true);
  if (freshSheet) {
    to.setMaxCols(kFreshCols);
    to.setMaxRows(kFreshRows);
    s->settings().autoSizeVisibleCols = 4;
    s->settings().autoSizeVisibleRows = 5;
    s->setTypeEdit({1, 1, kFreshCols, kFreshRows}, kFreshEditStyle, kFreshEditLength);
    if (!loadDocument(name)) {
      KvSSEditorSettings editor;
      editor.read();
      if (editor.defaultSettings.isEmpty() || !loadDocument(editor.defaultSettings)) {
        reset();
        valid = true;
      }
    }
    writeToSheet(to);
    applyFont(to);
  }
  s->settings().textTipStatus = kTextTipStatus;
  s->settings().textTipDelay = kTextTipDelay;
  s->settings().cellNoteIndicator = false;
  // The sheet's fonts follow the document; a damaged one leaves them as they were.
  KvSSDocSettings document;
  if (document.loadDocument(name)) document.applyFont(to);
  return true;
}

bool KvSSDocSettings::applyFont(Nx_Spread& to) const {
  if (!to.sheet() || defaultFont.isEmpty() || defaultTextHeight <= 0) return false;
  setSheetFonts(to, grid::Font{defaultFont.str(), defaultTextHeight, false});
  return true;
}

bool KvSSDocSettings::saveSheet(Nx_Spread& from, const Nx_String& file) {
  grid::Sheet* s = from.sheet();
  if (!s) return false;
  std::string error;
  if (!s->saveToFile(file.str(), error)) {
    lastError_ = error;
    return false;
  }
  s->setBool(ui::kSpreadOptionChanged, false);
  // The header and footer paths are kept as they are.
  readFromSheet(from);
  return true;
}

grid::PrintLayout KvSSDocSettings::printLayout() const {
  grid::PrintLayout layout;
  layout.marginLeft = marginLeft;
  layout.marginRight = marginRight;
  layout.marginTop = marginTop;
  layout.marginBottom = marginBottom;
  layout.header = fileText(headerFile).str();
  layout.footer = fileText(footerFile).str();
  for (int i = 0; i < varNames.length(); ++i)
    layout.variables.emplace_back(varNames[i].str(),
                                  i < varValues.length() ? varValues[i].str() : "");
  layout.smartPrint = smartPrint;
  layout.colors = colors;
  layout.colHeader = colHeader;
  layout.rowHeader = rowHeader;
  layout.cellSeparators = cellSeperators;
  layout.border = border;
  return layout;
}
