#include "platform/grid/formula/CompileMemo.h"

namespace grid {

namespace {

CompiledFormula copyOf(const CompiledFormula& f) {
  return CompiledFormula(f.code(), f.text());
}

}  // namespace

bool CompileMemo::compile(std::string_view text, int hostCol, int hostRow, CompiledFormula& out,
                          CompileError* error) {
  // The cell first: references compile relative to it.
  key_.assign(reinterpret_cast<const char*>(&hostCol), sizeof hostCol);
  key_.append(reinterpret_cast<const char*>(&hostRow), sizeof hostRow);
  key_.append(text);
  if (auto it = entries_.find(key_); it != entries_.end()) {
    out = copyOf(it->second);
    return true;
  }
  if (!parser_.compile(text, hostCol, hostRow, out, error)) return false;
  if (entries_.size() >= kMaxEntries) entries_.clear();
  entries_.emplace(key_, copyOf(out));
  return true;
}

}  // namespace grid
