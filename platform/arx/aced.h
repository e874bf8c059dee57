#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/arx/acadstrc.h"
#include "platform/arx/arx_export.h"

// Ask the host to run a command once the current one ends.
ARX_API void acedPostCommand(const char* command);
// Ask the host to show its command prompt again.
ARX_API void acedPostCommandPrompt();
// Ask the host to repaint.
ARX_API void acedUpdateDisplay();

// What the host was asked to do; the host program drains it, tests read it.
struct ARX_API AcedHostRequests {
  std::vector<std::string> postedCommands;
  int promptRequests = 0;
  int displayUpdates = 0;
};
ARX_API AcedHostRequests& acedHostRequests();

// Base of objects kept in the system registry.
class ARX_API AcRxObject {
 public:
  virtual ~AcRxObject();
};

using AcRxFunctionPtr = std::function<void()>;

// Registered commands, in named groups.
class ARX_API AcEdCommandStack : public AcRxObject {
 public:
  Acad::ErrorStatus addCommand(const char* groupName, const char* globalName,
                               const char* localName, int flags, AcRxFunctionPtr fn);
  Acad::ErrorStatus removeCmd(const char* groupName, const char* globalName);
  Acad::ErrorStatus removeGroup(const char* groupName);
  bool hasGroup(const char* groupName) const;
  // Runs a command by its global or local name (without case); false when unknown.
  bool invoke(const char* name) const;
  std::vector<std::string> commandNames(const char* groupName) const;

 private:
  struct Command {
    std::string globalName, localName;
    int flags = 0;
    AcRxFunctionPtr fn;
  };
  std::map<std::string, std::vector<Command>> groups_;
};

// The system registry: named service objects, among them the command stack
// under "ACAD_REGISTERED_COMMANDS".
class ARX_API AcRxDictionary {
 public:
  AcRxObject* at(const char* key) const;

 private:
  friend ARX_API AcRxDictionary* acrxSysRegistry();
  AcRxDictionary();
  std::map<std::string, AcRxObject*> entries_;
};
ARX_API AcRxDictionary* acrxSysRegistry();
inline constexpr const char* ACRX_COMMAND_DOCK = "ACAD_REGISTERED_COMMANDS";

// The dynamic linker's view of loaded applications.
class ARX_API AcRxDynamicLinker {
 public:
  bool unlockApplication(void* appId);
  bool lockApplication(void* appId);
  bool isApplicationLocked(const void* appId) const;
  bool registerAppMDIAware(void* appId);
  bool isAppMDIAware(const void* appId) const;
  void forget(const void* appId);

 private:
  std::map<const void*, bool> unlocked_, mdiAware_;
};
ARX_API AcRxDynamicLinker* acrxDynamicLinker();
