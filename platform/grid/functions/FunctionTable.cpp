#include "platform/grid/functions/FunctionTable.h"

namespace grid {

FunctionTable::FunctionTable() {
  for (auto list : {mathFunctions(), roundingFunctions(), textFunctions(), lookupFunctions(),
                    informationFunctions(), statisticsFunctions(), logicalFunctions(),
                    dateFunctions(), conditionalFunctions(), referenceFunctions()}) {
    for (const FunctionInfo& f : list) {
      byName_.emplace(f.name, static_cast<int>(all_.size()));
      all_.push_back(&f);
    }
  }
  if_ = find("IF");
  ifError_ = find("IFERROR");
}

const FunctionTable& FunctionTable::instance() {
  static const FunctionTable table;
  return table;
}

int FunctionTable::find(std::string_view upperName) const {
  auto it = byName_.find(upperName);
  return it == byName_.end() ? -1 : it->second;
}

}  // namespace grid
