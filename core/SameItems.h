#pragma once
#include "core/Nx_Array.h"

// Element-wise equality of two owning arrays.
template <class T>
bool sameItems(const Nx_Array<T>& a, const Nx_Array<T>& b) {
  if (a.length() != b.length()) return false;
  for (int i = 0; i < a.length(); ++i)
    if (!(a[i] == b[i])) return false;
  return true;
}
