#pragma once
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "core/dcm_export.h"

// The two error lines of the owning arrays, printed on the command line.
DCM_API void nxArrayReportBadInsert();
DCM_API void nxArrayReportBadRemove();

// Growable array that owns heap-allocated elements. Storage grows in steps of
// the grow length, and at least doubles, so that appending n elements costs
// n moves, not n squared over the grow length. Inserting outside 0..length or removing outside
// 0..length-1 prints an error line and leaves the array unchanged.
template <typename T>
class Nx_Array {
 public:
  explicit Nx_Array(int growLength = 8) : grow_(growLength > 0 ? growLength : 8) {}
  Nx_Array(const Nx_Array& o) : grow_(o.grow_) {
    items_.reserve(o.items_.capacity());
    for (const auto& p : o.items_) items_.push_back(std::make_unique<T>(*p));
  }
  Nx_Array(Nx_Array&&) noexcept = default;
  Nx_Array& operator=(const Nx_Array& o) {
    if (this != &o) {
      Nx_Array copy(o);
      *this = std::move(copy);
    }
    return *this;
  }
  Nx_Array& operator=(Nx_Array&&) noexcept = default;
  virtual ~Nx_Array() = default;

  int length() const { return static_cast<int>(items_.size()); }
  bool isEmpty() const { return items_.empty(); }
  int growLength() const { return grow_; }
  bool isValid(int i) const { return i >= 0 && i < length(); }

  // Element access; the index must be valid.
  T& operator[](int i) { return *items_[static_cast<size_t>(i)]; }
  const T& operator[](int i) const { return *items_[static_cast<size_t>(i)]; }
  T& at(int i) { return (*this)[i]; }
  const T& at(int i) const { return (*this)[i]; }
  // Null for an invalid index.
  T* get(int i) { return isValid(i) ? items_[static_cast<size_t>(i)].get() : nullptr; }
  const T* get(int i) const { return isValid(i) ? items_[static_cast<size_t>(i)].get() : nullptr; }

  int append(std::unique_ptr<T> item) {
    reserveFor(1);
    items_.push_back(std::move(item));
    return length() - 1;
  }
  int append(const T& item) { return append(std::make_unique<T>(item)); }
  int append(T&& item) { return append(std::make_unique<T>(std::move(item))); }
  template <typename... Args>
  T& emplace(Args&&... args) {
    append(std::make_unique<T>(std::forward<Args>(args)...));
    return *items_.back();
  }

  bool insertAt(int i, std::unique_ptr<T> item) {
    if (i < 0 || i > length()) {
      nxArrayReportBadInsert();
      return false;
    }
    reserveFor(1);
    items_.insert(items_.begin() + i, std::move(item));
    return true;
  }
  bool insertAt(int i, const T& item) {
    if (i < 0 || i > length()) {
      nxArrayReportBadInsert();
      return false;
    }
    return insertAt(i, std::make_unique<T>(item));
  }
  // Removes and deletes the element.
  bool removeAt(int i) {
    if (!isValid(i)) {
      nxArrayReportBadRemove();
      return false;
    }
    items_.erase(items_.begin() + i);
    return true;
  }
  // Takes the element out without deleting it.
  std::unique_ptr<T> takeAt(int i) {
    if (!isValid(i)) {
      nxArrayReportBadRemove();
      return nullptr;
    }
    std::unique_ptr<T> p = std::move(items_[static_cast<size_t>(i)]);
    items_.erase(items_.begin() + i);
    return p;
  }
  void removeAll() { items_.clear(); }
  void swap(int i, int j) {
    if (isValid(i) && isValid(j))
      std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(j)]);
  }

  // Iteration over the elements themselves.
  template <typename It, typename V>
  class Iter {
   public:
    explicit Iter(It it) : it_(it) {}
    V& operator*() const { return **it_; }
    V* operator->() const { return it_->get(); }
    Iter& operator++() {
      ++it_;
      return *this;
    }
    bool operator!=(const Iter& o) const { return it_ != o.it_; }
    bool operator==(const Iter& o) const { return it_ == o.it_; }

   private:
    It it_;
  };
  using iterator = Iter<typename std::vector<std::unique_ptr<T>>::iterator, T>;
  using const_iterator = Iter<typename std::vector<std::unique_ptr<T>>::const_iterator, const T>;
  iterator begin() { return iterator(items_.begin()); }
  iterator end() { return iterator(items_.end()); }
  const_iterator begin() const { return const_iterator(items_.begin()); }
  const_iterator end() const { return const_iterator(items_.end()); }

 private:
  void reserveFor(int extra) {
    size_t need = items_.size() + static_cast<size_t>(extra);
    if (need > items_.capacity()) {
      size_t steps = (need + static_cast<size_t>(grow_) - 1) / static_cast<size_t>(grow_);
      items_.reserve(std::max(steps * static_cast<size_t>(grow_), items_.capacity() * 2));
    }
  }
  int grow_;
  std::vector<std::unique_ptr<T>> items_;
};
