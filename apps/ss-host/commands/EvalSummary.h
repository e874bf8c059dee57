#pragma once
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "apps/ss-host/commands/EvalReport.h"

// The totals of a batch (`ss-host eval --all`), printed instead of a table
// per sheet.
namespace eval {

struct Summary {
  int macros = 0;
  int sheetsRun = 0;
  int sheetsFailed = 0;
  int failedEquations = 0;
  int valuesChanged = 0;
  std::vector<std::string> failedMacros;
};

Summary summarize(const Report& report);
// With the number of workers and, when the drawing was written, where.
std::string formatSummary(const Summary& summary, const Report& report, int jobs);
nlohmann::ordered_json summaryJson(const Summary& summary, int jobs);

}  // namespace eval
