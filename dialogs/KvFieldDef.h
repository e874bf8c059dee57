#pragma once
#include <vector>

#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"

class Nx_Spread;

// How one value of a record shows in a table cell and which texts it takes.
// Records travel through the table dialogs as text: numbers as the core
// formats them, check boxes as "1" and "0", choices as the entry's text.
struct KvFieldDef {
  enum class Kind { Text, Int, Number, Choice, Check };

  Nx_String caption;
  Kind kind = Kind::Text;
  Nx_StringArray choices;  // Choice: the entries; nothing else is taken
  double min = -1e9;       // Int, Number: the accepted range
  double max = 1e9;
  bool required = false;  // Text: a blank text is refused
  bool readOnly = false;  // shown, never edited

  static KvFieldDef text(Nx_String caption, bool required = false);
  static KvFieldDef whole(Nx_String caption, double min, double max);
  static KvFieldDef number(Nx_String caption, double min, double max);
  static KvFieldDef choice(Nx_String caption, Nx_StringArray choices);
  static KvFieldDef check(Nx_String caption);
  KvFieldDef& locked() {
    readOnly = true;
    return *this;
  }
};

// Empty when the field takes the text, else why not ("a number from 1 to 50").
Nx_String fieldProblem(const KvFieldDef& def, const Nx_String& text);
// The text as the record keeps it: blanks trimmed, numbers in the core's format.
Nx_String fieldValue(const KvFieldDef& def, const Nx_String& text);

// The cell at col, row shows and edits a value of the field's kind.
void showField(Nx_Spread& grid, int col, int row, const KvFieldDef& def, const Nx_String& value);
Nx_String readField(const Nx_Spread& grid, int col, int row, const KvFieldDef& def);

// Number and check texts of the records.
Nx_String numberText(double value);
inline Nx_String checkText(bool on) {
  return on ? "1" : "0";
}
inline bool isChecked(const Nx_String& text) {
  return text == "1";
}
