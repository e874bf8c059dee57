#pragma once
#include <initializer_list>
#include <vector>

#include "core/Nx_String.h"
#include "core/dcm_export.h"

// List of texts. Lookups take the comparison flag of Nx_String.
class DCM_API Nx_StringArray {
 public:
  Nx_StringArray() = default;
  Nx_StringArray(std::initializer_list<Nx_String> items) : items_(items) {}
  virtual ~Nx_StringArray() = default;
  Nx_StringArray(const Nx_StringArray&) = default;
  Nx_StringArray(Nx_StringArray&&) noexcept = default;
  Nx_StringArray& operator=(const Nx_StringArray&) = default;
  Nx_StringArray& operator=(Nx_StringArray&&) noexcept = default;

  int length() const { return static_cast<int>(items_.size()); }
  bool isEmpty() const { return items_.empty(); }
  bool isValid(int i) const { return i >= 0 && i < length(); }
  // The index must be valid.
  Nx_String& operator[](int i) { return items_[static_cast<size_t>(i)]; }
  const Nx_String& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  Nx_String& at(int i) { return (*this)[i]; }
  const Nx_String& at(int i) const { return (*this)[i]; }

  int append(const Nx_String& s) {
    items_.push_back(s);
    return length() - 1;
  }
  void append(const Nx_StringArray& other) {
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
  }
  // Out-of-range positions print the array error line and change nothing.
  bool insertAt(int i, const Nx_String& s);
  bool removeAt(int i);
  void removeAll() { items_.clear(); }
  void setLength(int n) { items_.resize(n > 0 ? static_cast<size_t>(n) : 0); }
  void setAt(int i, const Nx_String& s) {
    if (isValid(i)) items_[static_cast<size_t>(i)] = s;
  }

  // Index of the first entry equal to s at or after from, or -1.
  int find(const Nx_String& s, bool exact, int from = 0) const;
  bool find(const Nx_String& s, int& index, bool exact) const;
  bool contains(const Nx_String& s, bool exact) const { return find(s, exact) >= 0; }

  // Same length and every entry equal by the comparison flag.
  bool equal(const Nx_StringArray& other, bool exact) const;
  bool operator==(const Nx_StringArray& o) const { return items_ == o.items_; }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  std::vector<Nx_String>& items() { return items_; }
  const std::vector<Nx_String>& items() const { return items_; }

 private:
  std::vector<Nx_String> items_;
};
