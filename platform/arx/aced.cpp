#include "platform/arx/aced.h"

#include <strings.h>

#include <algorithm>

AcedHostRequests& acedHostRequests() {
  static AcedHostRequests requests;
  return requests;
}

void acedPostCommand(const char* command) {
  acedHostRequests().postedCommands.emplace_back(command ? command : "");
}
void acedPostCommandPrompt() { ++acedHostRequests().promptRequests; }
void acedUpdateDisplay() { ++acedHostRequests().displayUpdates; }

AcRxObject::~AcRxObject() = default;

namespace {
bool sameName(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }
}  // namespace

Acad::ErrorStatus AcEdCommandStack::addCommand(const char* groupName, const char* globalName,
                                               const char* localName, int flags,
                                               AcRxFunctionPtr fn) {
  if (!groupName || !globalName || !*globalName) return Acad::eInvalidInput;
  for (const auto& [group, cmds] : groups_)
    for (const Command& c : cmds)
      if (sameName(c.globalName, globalName)) return Acad::eInvalidInput;  // duplicate
  groups_[groupName].push_back(
      Command{globalName, localName ? localName : globalName, flags, std::move(fn)});
  return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const char* groupName, const char* globalName) {
  auto it = groups_.find(groupName ? groupName : "");
  if (it == groups_.end()) return Acad::eKeyNotFound;
  auto& cmds = it->second;
  auto c = std::find_if(cmds.begin(), cmds.end(),
                        [&](const Command& x) { return sameName(x.globalName, globalName); });
  if (c == cmds.end()) return Acad::eKeyNotFound;
  cmds.erase(c);
  if (cmds.empty()) groups_.erase(it);
  return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const char* groupName) {
  return groups_.erase(groupName ? groupName : "") ? Acad::eOk : Acad::eKeyNotFound;
}

bool AcEdCommandStack::hasGroup(const char* groupName) const {
  return groups_.count(groupName ? groupName : "") > 0;
}

bool AcEdCommandStack::invoke(const char* name) const {
  for (const auto& [group, cmds] : groups_)
    for (const Command& c : cmds)
      if (sameName(c.globalName, name) || sameName(c.localName, name)) {
        if (c.fn) c.fn();
        return true;
      }
  return false;
}

std::vector<std::string> AcEdCommandStack::commandNames(const char* groupName) const {
  std::vector<std::string> names;
  auto it = groups_.find(groupName ? groupName : "");
  if (it != groups_.end())
    for (const Command& c : it->second) names.push_back(c.globalName);
  return names;
}

AcRxDictionary::AcRxDictionary() {
  static AcEdCommandStack commandStack;
  entries_[ACRX_COMMAND_DOCK] = &commandStack;
}

AcRxObject* AcRxDictionary::at(const char* key) const {
  auto it = entries_.find(key ? key : "");
  return it == entries_.end() ? nullptr : it->second;
}

AcRxDictionary* acrxSysRegistry() {
  static AcRxDictionary registry;
  return &registry;
}

bool AcRxDynamicLinker::unlockApplication(void* appId) {
  unlocked_[appId] = true;
  return true;
}
bool AcRxDynamicLinker::lockApplication(void* appId) {
  unlocked_[appId] = false;
  return true;
}
bool AcRxDynamicLinker::isApplicationLocked(const void* appId) const {
  auto it = unlocked_.find(appId);
  return it == unlocked_.end() || !it->second;
}
bool AcRxDynamicLinker::registerAppMDIAware(void* appId) {
  mdiAware_[appId] = true;
  return true;
}
bool AcRxDynamicLinker::isAppMDIAware(const void* appId) const {
  auto it = mdiAware_.find(appId);
  return it != mdiAware_.end() && it->second;
}
void AcRxDynamicLinker::forget(const void* appId) {
  unlocked_.erase(appId);
  mdiAware_.erase(appId);
}

AcRxDynamicLinker* acrxDynamicLinker() {
  static AcRxDynamicLinker linker;
  return &linker;
}
