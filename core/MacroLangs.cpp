#include "core/MacroLangs.h"

#include "core/Nx_Settings.h"

namespace {
struct Translation {
  const char* section;
  const char* english;
  const char* other[4];  // Dutch, German, French, Korean (empty: keep English)
};

// Windows-1252 bytes where a language needs them.
const Translation kTable[] = {
    {"Prof", "Height", {"Hoogte", "H\xF6he", "Hauteur", ""}},
    {"Prof", "Width", {"Breedte", "Breite", "Largeur", ""}},
    {"Prof", "Thickness", {"Dikte", "Dicke", "\xC9paisseur", ""}},
    {"Prof", "Web thickness", {"Lijfdikte", "Stegdicke", "\xC9paisseur d'\xE2me", ""}},
    {"Prof", "Flange thickness", {"Flensdikte", "Flanschdicke", "\xC9paisseur d'aile", ""}},
    {"Prof", "Radius", {"Straal", "Radius", "Rayon", ""}},
    {"Prof", "Length", {"Lengte", "L\xE4nge", "Longueur", ""}},
    {"Prof", "Diameter", {"Diameter", "Durchmesser", "Diam\xE8tre", ""}},
    {"Prof", "Weight", {"Gewicht", "Gewicht", "Poids", ""}},
    {"Prof", "Angle", {"Hoek", "Winkel", "Angle", ""}},
};
}  // namespace

const Nx_StringArray& MacroLangs::GetLanguages() {
  static const Nx_StringArray languages{"English", "Dutch", "German", "French", "Korean"};
  return languages;
}

int MacroLangs::GetCurLanguageIndex() {
  return GetLanguages().isValid(gSettings.language) ? gSettings.language : 0;
}

Nx_String MacroLangs::GetCurLanguage() {
  return GetLanguages()[GetCurLanguageIndex()];
}

int MacroLangs::FindLanguage(const Nx_String& nameOrNumber) {
  Nx_String key = nameOrNumber.trimmed();
  int number = 0;
  if (key.toInt(number)) return GetLanguages().isValid(number) ? number : -1;
  return GetLanguages().find(key, false);
}

Nx_String MacroLangs::GetString(const Nx_String& section, const Nx_String& text) {
  int lang = GetCurLanguageIndex();
  if (lang == 0) return text;
  for (const Translation& t : kTable) {
    if (section.equal(t.section, false) && text.equal(t.english, false)) {
      const char* other = t.other[lang - 1];
      return *other ? Nx_String(other) : text;
    }
  }
  return text;
}
