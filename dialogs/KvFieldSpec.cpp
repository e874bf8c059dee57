#include "dialogs/KvFieldSpec.h"

#include <cmath>

#include "spreadsheet/Nx_Spread.h"

namespace {
constexpr int kDecimals = 6;
}

KvFieldSpec KvFieldSpec::text(Nx_String caption, bool required) {
  KvFieldSpec s;
  s.caption = std::move(caption);
  s.required = required;
  return s;
}

KvFieldSpec KvFieldSpec::whole(Nx_String caption, double min, double max) {
  KvFieldSpec s;
  s.caption = std::move(caption);
  s.kind = Kind::Int;
  s.min = min;
  s.max = max;
  return s;
}

KvFieldSpec KvFieldSpec::number(Nx_String caption, double min, double max) {
  KvFieldSpec s = whole(std::move(caption), min, max);
  s.kind = Kind::Number;
  return s;
}

KvFieldSpec KvFieldSpec::choice(Nx_String caption, Nx_StringArray choices) {
  KvFieldSpec s;
  s.caption = std::move(caption);
  s.kind = Kind::Choice;
  s.choices = std::move(choices);
  return s;
}

KvFieldSpec KvFieldSpec::check(Nx_String caption) {
  KvFieldSpec s;
  s.caption = std::move(caption);
  s.kind = Kind::Check;
  return s;
}

Nx_String numberText(double value) {
  return Nx_String(value, kDecimals, false);
}

Nx_String fieldProblem(const KvFieldSpec& spec, const Nx_String& text) {
  using Kind = KvFieldSpec::Kind;
  const Nx_String range = " from " + numberText(spec.min) + " to " + numberText(spec.max);
  switch (spec.kind) {
    case Kind::Text:
      return spec.required && text.trimmed().isEmpty() ? "a text" : "";
    case Kind::Int: {
      int value = 0;
      bool ok = text.toInt(value) && value >= spec.min && value <= spec.max;
      return ok ? "" : "a whole number" + range;
    }
    case Kind::Number: {
      double value = 0;
      bool ok = text.toDouble(value) && value >= spec.min && value <= spec.max;
      return ok ? "" : "a number" + range;
    }
    case Kind::Choice: {
      if (spec.choices.contains(text.trimmed(), true)) return "";
      Nx_String list;
      for (const Nx_String& c : spec.choices) list += (list.isEmpty() ? "" : ", ") + c;
      return "one of " + list;
    }
    case Kind::Check:
      return text == "1" || text == "0" ? "" : "checked or not";
  }
  return "";
}

Nx_String fieldValue(const KvFieldSpec& spec, const Nx_String& text) {
  double value = 0;
  if (spec.kind == KvFieldSpec::Kind::Number && text.toDouble(value)) return numberText(value);
  return text.trimmed();
}

void showField(Nx_Spread& grid, int col, int row, const KvFieldSpec& spec, const Nx_String& value) {
  using Kind = KvFieldSpec::Kind;
  // Numbers are typed into text cells and checked on OK, so that a wrong
  // one is named to the user instead of silently kept as it was.
  switch (spec.kind) {
    case Kind::Choice:
      grid.setComboCells(col, row, col, row, spec.choices, false);
      break;
    case Kind::Check:
      grid.setCheckCell(col, row);
      break;
    default:
      grid.setEditCell(col, row);
  }
  grid.setCellText(col, row, value);
  grid.setCellLocked(col, row, spec.readOnly);
}

Nx_String readField(const Nx_Spread& grid, int col, int row, const KvFieldSpec& spec) {
  if (spec.kind == KvFieldSpec::Kind::Check) {
    bool on = false;
    return checkText(grid.getCellBool(col, row, on) && on);
  }
  Nx_String text;
  grid.getCellText(col, row, text);
  return text;
}
