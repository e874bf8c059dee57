#include "apps/ss-host/commands/EvalTrace.h"

#include "apps/ss-host/HostText.h"
#include "platform/base/Cp1252.h"

namespace eval {

namespace {

using hosttext::fileName;
using hosttext::utf8;

std::vector<std::pair<std::string, std::string>> variables(
    const std::vector<KvTraceVariable>& list) {
  std::vector<std::pair<std::string, std::string>> out;
  out.reserve(list.size());
  for (const KvTraceVariable& v : list) out.emplace_back(utf8(v.name), utf8(v.value));
  return out;
}

std::string listed(const std::vector<std::pair<std::string, std::string>>& list) {
  std::string out;
  for (const auto& [name, value] : list)
    out += (out.empty() ? "" : ", ") + name + "=" + (value.empty() ? "\"\"" : value);
  return out;
}

nlohmann::ordered_json pairsJson(const std::vector<std::pair<std::string, std::string>>& list) {
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (const auto& [name, value] : list) out.push_back({{"name", name}, {"value", value}});
  return out;
}

std::vector<std::pair<std::string, std::string>> pairsFromJson(const nlohmann::ordered_json& list) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const auto& v : list) out.emplace_back(v.at("name"), v.at("value"));
  return out;
}

}  // namespace

std::vector<TraceRow> traceRows(const KvRunTrace& trace) {
  std::vector<TraceRow> out;
  out.reserve(trace.size());
  for (const KvTraceRow& r : trace)
    out.push_back({fileName(utf8(r.sheet)), r.row, utf8(r.text), utf8(r.equation), utf8(r.value),
                   r.ok, variables(r.read), variables(r.written), traceRows(r.children)});
  return out;
}

void formatTrace(const std::vector<TraceRow>& rows, const std::string& indent, std::string& out,
                 bool named) {
  for (const TraceRow& r : rows) {
    out += indent + (named ? r.sheet + " row " : "row ") + std::to_string(r.row) + ": " + r.text +
           "\n";
    const std::string more = indent + "    ";
    std::string result = r.children.empty() ? r.equation : "";
    if (!r.value.empty()) result += " = " + r.value;
    if (!r.ok) result += result.empty() ? "FAILED" : "  FAILED";
    if (!result.empty()) out += more + result + "\n";
    if (!r.read.empty()) out += more + "read  " + listed(r.read) + "\n";
    if (!r.written.empty()) out += more + "wrote " + listed(r.written) + "\n";
    formatTrace(r.children, more, out, true);
  }
}

nlohmann::ordered_json traceJson(const std::vector<TraceRow>& rows) {
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (const TraceRow& r : rows) {
    nlohmann::ordered_json j;
    j["sheet"] = r.sheet;
    j["row"] = r.row;
    j["cell"] = r.text;
    j["equation"] = r.equation;
    j["value"] = r.value;
    j["ok"] = r.ok;
    j["read"] = pairsJson(r.read);
    j["written"] = pairsJson(r.written);
    j["children"] = traceJson(r.children);
    out.push_back(std::move(j));
  }
  return out;
}

std::vector<TraceRow> traceFromJson(const nlohmann::ordered_json& rows) {
  std::vector<TraceRow> out;
  for (const auto& j : rows)
    out.push_back({j.at("sheet"), j.at("row"), j.at("cell"), j.at("equation"), j.at("value"),
                   j.at("ok"), pairsFromJson(j.at("read")), pairsFromJson(j.at("written")),
                   traceFromJson(j.at("children"))});
  return out;
}

}  // namespace eval
