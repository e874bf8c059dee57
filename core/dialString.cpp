#include "core/dialString.h"

#include <map>

namespace {
const std::map<int, const char*>& table() {
  static const std::map<int, const char*> texts = {};
  return texts;
}
}  // namespace

Nx_String dialString(int number) {
  const auto& t = table();
  auto it = t.find(number);
  if (it != t.end()) return Nx_String(it->second);
  return "<text " + Nx_String(number) + ">";
}
