#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "platform/grid/PrintLayout.h"

class Nx_Spread;
class KvSSRecords;

// The print and display settings of a sheet: kept in the tag of the sheet's
// cell (0, 0), so they travel with the sheet file, and in named settings
// documents (NAME.kvd in the settings folder) from which new sheets and
// bills take theirs. Both places hold the record format of KvSSRecords.
class KvSSDocSettings {
 public:
  KvSSDocSettings();
  virtual ~KvSSDocSettings();
  KvSSDocSettings(const KvSSDocSettings&) = default;
  KvSSDocSettings& operator=(const KvSSDocSettings&) = default;

  void reset();
  // Reads NAME.kvd from the settings folder. A document that cannot be read
  // or is damaged (a short record, an unknown type, a bad number or a field
  // of the wrong kind) is refused as a whole: false, the defaults stay, and
  // lastError() names the file and the record.
  bool loadDocument(const Nx_String& name);
  void readFromSheet(const Nx_Spread& sheet);
  bool writeToSheet(Nx_Spread& sheet) const;
  // The sheet's settings with its variables replaced.
  bool setVariables(Nx_Spread& sheet, const Nx_StringArray& names, const Nx_StringArray& values);
  // Options, fonts and (on a fresh sheet) size, cell types and settings from
  // the document, or from the editor's default document when it is unusable.
  bool applyDocument(Nx_Spread& sheet, const Nx_String& name, bool freshSheet);
  // The default font on the data area and, bold, on both header bands; false
  // when the settings name none.
  bool applyFont(Nx_Spread& sheet) const;
  // Saves the sheet file (atomically) and clears its changed mark.
  bool saveSheet(Nx_Spread& sheet, const Nx_String& file);

  // The page layout of the settings: A4 portrait, the margins in
  // millimetres, the header and footer files' texts (a relative path is
  // taken from the settings folder), the switches and the variables.
  grid::PrintLayout printLayout() const;

  // The folder of the settings documents: the library folder.
  static Nx_String settingsFolder();
  static Nx_String documentPath(const Nx_String& name);

  const Nx_String& lastError() const { return lastError_; }

  const Nx_Spread* sheet = nullptr;
  bool valid = false;
  Nx_String headerFile;
  Nx_String footerFile;
  Nx_String defaultFont;
  int defaultTextHeight;
  int marginLeft;
  int marginRight;
  int marginTop;
  int marginBottom;
  bool smartPrint;
  bool colors;
  bool colHeader;
  bool rowHeader;
  bool cellSeperators;
  bool border;
  Nx_StringArray varNames;
  Nx_StringArray varValues;

 private:
  // strict: a field of the wrong kind is a fault rather than a default.
  bool takeFields(const KvSSRecords& records, bool strict, Nx_String& fault);
  void putFields(KvSSRecords& records) const;

  Nx_String lastError_;
};
