#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// The user languages of the product and the small translation table of
// texts that the library's files carry in English (section column names and
// the like). The current language is gSettings.language.
class DCM_API MacroLangs {
 public:
  // "English", "Dutch", "German", "French", "Korean": the order of the
  // language columns of section tables.
  static const Nx_StringArray& GetLanguages();
  // Name of the current language; English when gSettings.language is not a
  // valid index.
  static Nx_String GetCurLanguage();
  static int GetCurLanguageIndex();
  // Index of a language given by name (without case) or by its number;
  // -1 when unknown.
  static int FindLanguage(const Nx_String& nameOrNumber);
  // The text in the current language, looked up in the section's table
  // (section and text without case); the text itself when the table has no
  // translation (always in English).
  static Nx_String GetString(const Nx_String& section, const Nx_String& text);
};
