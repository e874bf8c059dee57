#pragma once
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "standards/KvRunTrace.h"

// The trace of a run (`ss-host eval --trace`): every Calc cell computed, in
// order, a child run's rows under its CallChild row. Texts are UTF-8.
namespace eval {

struct TraceRow {
  std::string sheet;  // the file name of the sheet
  int row = 0;
  std::string text;      // the cell
  std::string equation;  // as computed: variables as cell references
  std::string value;     // "" when none
  bool ok = false;
  std::vector<std::pair<std::string, std::string>> read;     // name, value
  std::vector<std::pair<std::string, std::string>> written;  // name, new value
  std::vector<TraceRow> children;
};

std::vector<TraceRow> traceRows(const KvRunTrace& trace);
// A row's cell, then what it computed, read and wrote, each on a line; a
// child run's rows indented under their CallChild row, with their sheet
// named (named: the rows are a child's).
void formatTrace(const std::vector<TraceRow>& rows, const std::string& indent, std::string& out,
                 bool named = false);
nlohmann::ordered_json traceJson(const std::vector<TraceRow>& rows);
std::vector<TraceRow> traceFromJson(const nlohmann::ordered_json& rows);

}  // namespace eval
