#include "mapping/KvVariableSheet.h"

namespace {
KvVariableSheet::Factory& factory() {
  static KvVariableSheet::Factory f;
  return f;
}
}  // namespace

KvVariableSheet::~KvVariableSheet() = default;

void KvVariableSheet::setFactory(Factory f) {
  factory() = std::move(f);
}

std::unique_ptr<KvVariableSheet> KvVariableSheet::make() {
  return factory() ? factory()() : nullptr;
}
