#pragma once
#include <compare>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/dcm_export.h"

// 8-bit text as stored (Windows-1252 content, raw bytes). Comparisons take a
// flag: false compares ASCII letters without case, true compares exactly.
class DCM_API Nx_String {
 public:
  Nx_String() = default;
  Nx_String(const char* text) : s_(text ? text : "") {}
  Nx_String(const char* text, int length);
  Nx_String(std::string text) : s_(std::move(text)) {}
  Nx_String(std::string_view text) : s_(text) {}
  Nx_String(char c, int count) : s_(count > 0 ? static_cast<size_t>(count) : 0, c) {}
  // Number to text with that many decimals. With keepZeros false, trailing
  // zeros and a trailing point are dropped and "-0" becomes "0".
  Nx_String(double value, int precision, bool keepZeros);
  explicit Nx_String(int value) : s_(std::to_string(value)) {}

  const char* c_str() const { return s_.c_str(); }
  const std::string& str() const { return s_; }
  std::string& str() { return s_; }
  operator std::string_view() const { return s_; }
  int length() const { return static_cast<int>(s_.size()); }
  bool isEmpty() const { return s_.empty(); }
  void setEmpty() { s_.clear(); }
  // The byte at i, or 0 outside the text.
  char operator[](int i) const {
    return i >= 0 && i < length() ? s_[static_cast<size_t>(i)] : '\0';
  }
  void setAt(int i, char c) {
    if (i >= 0 && i < length()) s_[static_cast<size_t>(i)] = c;
  }

  bool equal(const Nx_String& other, bool exact) const;
  int compare(const Nx_String& other, bool exact) const;
  // Position of sub at or after from, or -1.
  int find(const Nx_String& sub, bool exact, int from = 0) const;
  int find(char c, int from = 0) const;
  int reverseFind(char c) const;
  bool contains(const Nx_String& sub, bool exact) const { return find(sub, exact) >= 0; }
  bool hasSubString(const Nx_String& sub, bool exact) const { return contains(sub, exact); }
  bool startsWith(const Nx_String& prefix, bool exact) const;
  bool endsWith(const Nx_String& suffix, bool exact) const;

  Nx_String left(int n) const;
  Nx_String right(int n) const;
  Nx_String mid(int start, int n = -1) const;
  Nx_String upper() const;
  Nx_String lower() const;
  Nx_String trimmed() const;
  Nx_String& trim();
  // Replaces every occurrence of from; returns how many were replaced.
  int replace(const Nx_String& from, const Nx_String& to, bool exact = true);
  Nx_String& insert(int pos, const Nx_String& text);
  Nx_String& remove(int pos, int n);

  // Strict: the whole text is a decimal number (blanks allowed around it);
  // "nan", "inf" and hexadecimal are not numbers. A number too large for a
  // double is refused, one too small for it is 0.
  bool toDouble(double& value) const;
  bool toInt(int& value) const;
  // Lenient, as the C library's atof and atoi: the leading decimal number,
  // else 0 (also when the number is too large for the type).
  double toDouble() const;
  int toInt() const;

  Nx_String& operator+=(const Nx_String& o) {
    s_ += o.s_;
    return *this;
  }
  Nx_String& operator+=(const char* o) {
    s_ += o ? o : "";
    return *this;
  }
  Nx_String& operator+=(char c) {
    s_ += c;
    return *this;
  }
  friend Nx_String operator+(Nx_String a, const Nx_String& b) { return a += b; }
  friend Nx_String operator+(Nx_String a, const char* b) { return a += b; }
  friend Nx_String operator+(const char* a, const Nx_String& b) { return Nx_String(a) += b; }
  friend Nx_String operator+(Nx_String a, char b) { return a += b; }
  // Operators compare exactly.
  friend bool operator==(const Nx_String& a, const Nx_String& b) { return a.s_ == b.s_; }
  friend bool operator==(const Nx_String& a, const char* b) { return a.s_ == (b ? b : ""); }
  friend std::strong_ordering operator<=>(const Nx_String& a, const Nx_String& b) {
    return a.s_ <=> b.s_;
  }

 private:
  std::string s_;
};

template <>
struct std::hash<Nx_String> {
  size_t operator()(const Nx_String& s) const noexcept { return std::hash<std::string>()(s.str()); }
};
