#pragma once
// Type of a spreadsheet variable, as its declaration cell names it.
enum KvValueType : int {
  kValueInt = 0,     // "Int": a whole number
  kValueDouble = 1,  // "Double": a real number
  kValueString = 2,  // "String": a text
};

// Whole and real numbers are handled alike wherever only the kind of value matters.
inline bool isNumericValueType(int type) {
  return type == kValueInt || type == kValueDouble;
}
