#pragma once
#include <string>
#include <utility>
#include <vector>

// `ss-host calc SHEET.kvs`: the standards sheet computed as CallChild would
// run it, its Inputs given with --set; prints every Input and Output and
// the run's diagnostics. The exit code.
int calcStandardsSheet(const std::string& file,
                       const std::vector<std::pair<std::string, std::string>>& sets, bool json);
