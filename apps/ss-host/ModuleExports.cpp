#include "apps/ss-host/ModuleExports.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace {
bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The runtime's and the linker's symbols, which every library carries.
bool isRuntime(const ElfSymbol& s) {
  static const std::string_view kLinker[] = {"_init", "_fini", "_edata", "_end", "__bss_start"};
  if (std::find(std::begin(kLinker), std::end(kLinker), s.name) != std::end(kLinker)) return true;
  if (startsWith(s.name, "__")) return true;  // sanitizer and compiler support
  std::string_view d = s.demangled;
  for (std::string_view lead :
       {"typeinfo name for ", "typeinfo for ", "vtable for ", "VTT for ", "guard variable for "})
    if (startsWith(d, lead)) d.remove_prefix(lead.size());
  return startsWith(d, "std::") || startsWith(d, "__gnu_cxx::") || startsWith(d, "__cxx");
}

// "vtable for X" and the like name the class X.
bool classOfRecord(const std::string& demangled, std::string& cls) {
  for (std::string_view lead : {"typeinfo name for ", "typeinfo for ", "vtable for ", "VTT for "})
    if (startsWith(demangled, lead)) {
      cls = demangled.substr(lead.size());
      return true;
    }
  return false;
}

// Thunks adjust "this" for a member of a class with several bases.
bool isThunk(const std::string& demangled, std::string& cls) {
  for (std::string_view lead :
       {"non-virtual thunk to ", "virtual thunk to ", "covariant return thunk to "})
    if (startsWith(demangled, lead)) {
      cls = classOfName(functionName(demangled.substr(lead.size())));
      return true;
    }
  return false;
}

void sortUnique(std::vector<std::string>& v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
}
}  // namespace

std::string functionName(const std::string& demangled) {
  // The parameter list is the bracket pair that closes last.
  size_t close = demangled.rfind(')');
  if (close == std::string::npos) return demangled;
  int depth = 0;
  for (size_t i = close + 1; i-- > 0;) {
    if (demangled[i] == ')')
      ++depth;
    else if (demangled[i] == '(' && --depth == 0)
      return demangled.substr(0, i);
  }
  return demangled;
}

std::string classOfName(const std::string& qualified) {
  int depth = 0;
  size_t last = std::string::npos;
  for (size_t i = 0; i + 1 < qualified.size(); ++i) {
    char c = qualified[i];
    if (c == '<' || c == '(')
      ++depth;
    else if ((c == '>' || c == ')') && depth > 0)
      --depth;
    else if (depth == 0 && c == ':' && qualified[i + 1] == ':')
      last = i++;
  }
  return last == std::string::npos ? std::string() : qualified.substr(0, last);
}

ModuleExports classifyExports(const std::vector<ElfSymbol>& symbols) {
  ModuleExports e;
  for (const ElfSymbol& s : symbols) {
    if (isRuntime(s)) continue;
    if (s.weak) {
      e.copies.push_back(s.demangled);
      continue;
    }
    std::string cls;
    if (classOfRecord(s.demangled, cls)) {
      e.dataClasses.push_back(cls);
    } else if (isThunk(s.demangled, cls)) {
      e.dataClasses.push_back(cls);
    } else if (s.kind == ElfSymbol::Kind::Function) {
      cls = classOfName(functionName(s.demangled));
      if (cls.empty())
        e.entryPoints.push_back(s.demangled);
      else
        e.dataClasses.push_back(cls);
    } else if (s.kind == ElfSymbol::Kind::Object) {
      cls = classOfName(s.demangled);
      if (cls.empty())
        e.dataObjects.push_back(s.demangled);
      else
        e.dataClasses.push_back(cls);
    } else {
      e.others.push_back(s.demangled);
    }
  }
  sortUnique(e.entryPoints);
  sortUnique(e.dataObjects);
  sortUnique(e.dataClasses);
  sortUnique(e.others);
  sortUnique(e.copies);
  return e;
}
