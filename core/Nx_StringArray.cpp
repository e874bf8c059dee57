#include "core/Nx_StringArray.h"

#include "core/Nx_Array.h"

bool Nx_StringArray::insertAt(int i, const Nx_String& s) {
  if (i < 0 || i > length()) {
    nxArrayReportBadInsert();
    return false;
  }
  items_.insert(items_.begin() + i, s);
  return true;
}

bool Nx_StringArray::removeAt(int i) {
  if (!isValid(i)) {
    nxArrayReportBadRemove();
    return false;
  }
  items_.erase(items_.begin() + i);
  return true;
}

int Nx_StringArray::find(const Nx_String& s, bool exact, int from) const {
  for (int i = from < 0 ? 0 : from; i < length(); ++i)
    if (items_[static_cast<size_t>(i)].equal(s, exact)) return i;
  return -1;
}

bool Nx_StringArray::find(const Nx_String& s, int& index, bool exact) const {
  int i = find(s, exact);
  if (i < 0) return false;
  index = i;
  return true;
}

bool Nx_StringArray::equal(const Nx_StringArray& other, bool exact) const {
  if (length() != other.length()) return false;
  for (int i = 0; i < length(); ++i)
    if (!items_[static_cast<size_t>(i)].equal(other.items_[static_cast<size_t>(i)], exact))
      return false;
  return true;
}
