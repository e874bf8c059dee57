#pragma once
#include <string>
#include <vector>

#include "core/Nx_String.h"
#include "mapping/KvObjectMap.h"

// The parts of `ss-host mapping`, one file each.
namespace mappingcmd {

int show(const std::vector<std::string>& args);
int check(const std::vector<std::string>& args);
int set(const std::vector<std::string>& args);

// The mapping file of a resolved sheet, as the engine finds it.
std::string mappingPath(const std::string& sheet);
// "GROUP KIND NAME" as the entry reads (the macro itself for an empty group).
std::string describe(const KvObjectMap& entry);
std::string utf8(const Nx_String& text);
// A usage error or a failure of the command, with its message; the exit code.
int usage(const std::string& why);
int failure(const std::string& why);

}  // namespace mappingcmd
