#pragma once
#include <string>
#include <vector>

#include "core/cuttingstock/CuttingStock.h"

// What `ss-host csp` worked out, and its two ways of printing it. Texts are
// UTF-8 here (converted from the lists' Windows-1252 when collected).
namespace cspreport {

struct ProfilePlan {
  csp::Problem problem;
  csp::Plan plan;
};

struct Group {
  std::string name;
  std::string files[3];  // parts, shop stock, purchase; empty when none
  std::vector<ProfilePlan> profiles;
};

struct Report {
  std::vector<Group> groups;
  std::vector<std::string> faults;  // bad lines and unreadable files, by file and line
};

// Per profile each kind of bar with its pieces and offcut, what could not
// be placed, the profile's totals and bound; then the totals of all.
void printText(const Report& report);
void printJson(const Report& report);

}  // namespace cspreport
