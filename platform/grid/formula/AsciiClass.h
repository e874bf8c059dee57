#pragma once

// Character classes of formula text: ASCII only, whatever the locale.
namespace grid::ascii {

inline bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
inline bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace grid::ascii
