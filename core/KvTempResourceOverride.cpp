#include "core/KvTempResourceOverride.h"

#include "platform/ui/Resources.h"

KvTempResourceOverride::~KvTempResourceOverride() = default;

void KvTempResourceOverride::SaveDefaultResource(const Nx_String& module) {
  default_ = module;
}

bool KvTempResourceOverride::SetDefaultResource() {
  if (default_.isEmpty()) return false;
  Nx_String previous = ui::Resources::currentModule();
  if (previous == default_) return false;
  ui::Resources::setCurrentModule(default_.str());
  previous_.push_back(std::move(previous));
  return true;
}

void KvTempResourceOverride::RestoreOriginalResource() {
  if (previous_.empty()) return;
  ui::Resources::setCurrentModule(previous_.back().str());
  previous_.pop_back();
}
