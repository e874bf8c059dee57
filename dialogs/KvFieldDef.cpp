#include "dialogs/KvFieldDef.h"

#include <cmath>

#include "spreadsheet/Nx_Spread.h"

namespace {
constexpr int kDecimals = 6;
}

KvFieldDef KvFieldDef::text(Nx_String caption, bool required) {
  KvFieldDef s;
  s.caption = std::move(caption);
  s.required = required;
  return s;
}

KvFieldDef KvFieldDef::whole(Nx_String caption, double min, double max) {
  KvFieldDef s;
  s.caption = std::move(caption);
  s.kind = Kind::Int;
  s.min = min;
  s.max = max;
  return s;
}

KvFieldDef KvFieldDef::number(Nx_String caption, double min, double max) {
  KvFieldDef s = whole(std::move(caption), min, max);
  s.kind = Kind::Number;
  return s;
}

KvFieldDef KvFieldDef::choice(Nx_String caption, Nx_StringArray choices) {
  KvFieldDef s;
  s.caption = std::move(caption);
  s.kind = Kind::Choice;
  s.choices = std::move(choices);
  return s;
}

KvFieldDef KvFieldDef::check(Nx_String caption) {
  KvFieldDef s;
  s.caption = std::move(caption);
  s.kind = Kind::Check;
  return s;
}

Nx_String numberText(double value) {
  return Nx_String(value, kDecimals, false);
}

Nx_String fieldProblem(const KvFieldDef& def, const Nx_String& text) {
  using Kind = KvFieldDef::Kind;
  const Nx_String range = " from " + numberText(def.min) + " to " + numberText(def.max);
  switch (def.kind) {
    case Kind::Text:
      return def.required && text.trimmed().isEmpty() ? "a text" : "";
    case Kind::Int: {
      int value = 0;
      bool ok = text.toInt(value) && value >= def.min && value <= def.max;
      return ok ? "" : "a whole number" + range;
    }
    case Kind::Number: {
      double value = 0;
      bool ok = text.toDouble(value) && value >= def.min && value <= def.max;
      return ok ? "" : "a number" + range;
    }
    case Kind::Choice: {
      if (def.choices.contains(text.trimmed(), true)) return "";
      Nx_String list;
      for (const Nx_String& c : def.choices) list += (list.isEmpty() ? "" : ", ") + c;
      return "one of " + list;
    }
    case Kind::Check:
      return text == "1" || text == "0" ? "" : "checked or not";
  }
  return "";
}

Nx_String fieldValue(const KvFieldDef& def, const Nx_String& text) {
  double value = 0;
  if (def.kind == KvFieldDef::Kind::Number && text.toDouble(value)) return numberText(value);
  return text.trimmed();
}

void showField(Nx_Spread& grid, int col, int row, const KvFieldDef& def, const Nx_String& value) {
  using Kind = KvFieldDef::Kind;
  // Numbers are typed into text cells and checked on OK, so that a wrong
  // one is named to the user instead of silently kept as it was.
  switch (def.kind) {
    case Kind::Choice:
      grid.setComboCells(col, row, col, row, def.choices, false);
      break;
    case Kind::Check:
      grid.setCheckCell(col, row);
      break;
    default:
      grid.setEditCell(col, row);
  }
  grid.setCellText(col, row, value);
  grid.setCellLocked(col, row, def.readOnly);
}

Nx_String readField(const Nx_Spread& grid, int col, int row, const KvFieldDef& def) {
  if (def.kind == KvFieldDef::Kind::Check) {
    bool on = false;
    return checkText(grid.getCellBool(col, row, on) && on);
  }
  Nx_String text;
  grid.getCellText(col, row, text);
  return text;
}
