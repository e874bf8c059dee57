#pragma once
#include <algorithm>
#include <cassert>
#include <initializer_list>
#include <vector>

// The host's value array: used for indices, flags, numbers and object ids.
template <typename T>
class AcArray {
 public:
  AcArray() = default;
  AcArray(std::initializer_list<T> items) : items_(items) {}
  explicit AcArray(int physicalLength) { items_.reserve(physicalLength > 0 ? physicalLength : 0); }

  int length() const { return static_cast<int>(items_.size()); }
  int logicalLength() const { return length(); }
  bool isEmpty() const { return items_.empty(); }
  bool isValid(int i) const { return i >= 0 && i < length(); }

  T& at(int i) {
    assert(isValid(i));
    return items_[static_cast<size_t>(i)];
  }
  const T& at(int i) const {
    assert(isValid(i));
    return items_[static_cast<size_t>(i)];
  }
  T& operator[](int i) { return at(i); }
  const T& operator[](int i) const { return at(i); }
  const T& first() const { return at(0); }
  const T& last() const { return at(length() - 1); }

  int append(const T& v) {
    items_.push_back(v);
    return length() - 1;
  }
  AcArray& append(const AcArray& other) {
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
    return *this;
  }
  // Out-of-range positions leave the array unchanged.
  AcArray& insertAt(int i, const T& v) {
    if (i >= 0 && i <= length()) items_.insert(items_.begin() + i, v);
    return *this;
  }
  AcArray& removeAt(int i) {
    if (isValid(i)) items_.erase(items_.begin() + i);
    return *this;
  }
  AcArray& removeLast() { return removeAt(length() - 1); }
  AcArray& removeAll() {
    items_.clear();
    return *this;
  }
  AcArray& setLogicalLength(int n) {
    items_.resize(static_cast<size_t>(std::max(0, n)));
    return *this;
  }
  AcArray& setAt(int i, const T& v) {
    if (isValid(i)) items_[static_cast<size_t>(i)] = v;
    return *this;
  }
  bool contains(const T& v, int start = 0) const { return find(v, start) >= 0; }
  int find(const T& v, int start = 0) const {
    for (int i = std::max(0, start); i < length(); ++i)
      if (items_[static_cast<size_t>(i)] == v) return i;
    return -1;
  }
  bool find(const T& v, int& index, int start = 0) const {
    int i = find(v, start);
    if (i < 0) return false;
    index = i;
    return true;
  }
  bool operator==(const AcArray& o) const { return items_ == o.items_; }

  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  const T* asArrayPtr() const { return items_.data(); }

 private:
  std::vector<T> items_;
};
