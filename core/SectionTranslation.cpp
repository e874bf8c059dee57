#include "core/SectionTranslation.h"

#include "core/FileHelpers.h"
#include "core/Nx_Settings.h"
#include "platform/arx/acutil.h"

namespace {
SectionTranslationEditor& editor() {
  static SectionTranslationEditor e = nullptr;
  return e;
}
}  // namespace

Nx_String sectionTranslationPath(const Nx_String& fileName) {
  if (fileName.find('/') >= 0 || fileName.find('\\') >= 0) return fileName;
  return gSettings.libDir + fileName;
}

SectionTranslationEditor setSectionTranslationEditor(SectionTranslationEditor e) {
  SectionTranslationEditor previous = editor();
  editor() = e;
  return previous;
}

bool readSectionTranslation(const Nx_String& fileName, Nx_StringArray& productNames,
                            Nx_StringArray& cis2Names) {
  productNames.removeAll();
  cis2Names.removeAll();
  Nx_String path = sectionTranslationPath(fileName);
  if (!fileExists(path)) return true;
  Nx_StringArray lines;
  Nx_String error;
  if (!ObjectExportReadFile(path, lines, &error)) {
    acutPrintf("*Error* %s\n", error.c_str());
    return false;
  }
  for (int i = 0; i < lines.length(); ++i) {
    const Nx_String& line = lines[i];
    if (line.trimmed().isEmpty()) continue;
    int tab = line.find('\t');
    if (tab <= 0) {
      acutPrintf("*Error* %s line %d: expected a product section name, a tab and a CIS/2 name.\n",
                 path.c_str(), i + 1);
      continue;
    }
    productNames.append(line.left(tab));
    cis2Names.append(line.mid(tab + 1));
  }
  return true;
}

bool writeSectionTranslation(const Nx_String& title, const Nx_String& heading,
                             const Nx_StringArray& productNames, const Nx_StringArray& cis2Names,
                             const Nx_String& fileName) {
  if (!editor()) {
    acutPrintf("*Error* No editor for the section-name translation is installed.\n");
    return false;
  }
  Nx_StringArray names = productNames, cis2 = cis2Names;
  cis2.setLength(names.length());
  if (!editor()(title, heading, names, cis2)) return false;
  Nx_StringArray lines;
  for (int i = 0; i < names.length(); ++i) {
    // A tab or line break inside a name would break the line format.
    Nx_String name = names[i].trimmed(), target = i < cis2.length() ? cis2[i].trimmed() : "";
    for (Nx_String* s : {&name, &target}) {
      s->replace("\t", " ");
      s->replace("\r", " ");
      s->replace("\n", " ");
    }
    if (name.isEmpty()) continue;
    lines.append(name + "\t" + target);
  }
  Nx_String error;
  if (!ObjectExportWriteFile(sectionTranslationPath(fileName), lines, &error)) {
    acutPrintf("*Error* %s\n", error.c_str());
    return false;
  }
  return true;
}
