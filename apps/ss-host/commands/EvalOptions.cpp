#include "apps/ss-host/commands/EvalOptions.h"

#include <filesystem>
#include <system_error>

#include "apps/ss-host/LibraryContents.h"
#include "apps/ss-host/commands/SheetArgument.h"
#include "core/Nx_Settings.h"

namespace eval {

namespace {

// "--name VALUE" or "--name=VALUE"; an empty value is an error.
bool optionValue(const std::vector<std::string>& args, size_t& i, const char* name,
                 std::string& value, std::string& error) {
  const std::string& word = args[i];
  const std::string prefix = std::string(name) + "=";
  if (word == name) {
    if (i + 1 >= args.size()) {
      error = std::string("option '") + name + "' needs a value";
      return true;
    }
    value = args[++i];
  } else if (word.compare(0, prefix.size(), prefix) == 0) {
    value = word.substr(prefix.size());
  } else {
    return false;
  }
  if (value.empty()) error = std::string("option '") + name + "' needs a value, not \"\"";
  return true;
}

constexpr int kMaxJobs = 256;

bool parseJobs(const std::string& text, int& jobs) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  jobs = std::stoi(text);
  return jobs >= 1 && jobs <= kMaxJobs;
}

}  // namespace

std::string parseOptions(const std::vector<std::string>& args, Options& o) {
  std::vector<std::string> positional;
  std::string error, value, sheet;
  for (size_t i = 0; i < args.size() && error.empty(); ++i) {
    const std::string& word = args[i];
    if (word == "--save") {
      o.save = true;
    } else if (word == "--force") {
      o.force = true;
    } else if (word == "--json") {
      o.json = true;
    } else if (word == "--trace") {
      o.trace = true;
    } else if (word == "--all") {
      o.all = true;
    } else if (word == "--keep-going-save") {
      o.keepGoingSave = true;
    } else if (word == "--watch") {
      o.watch = true;
    } else if (optionValue(args, i, "--jobs", value, error)) {
      if (error.empty() && !parseJobs(value, o.jobs))
        error = "--jobs takes a number of workers from 1 to " + std::to_string(kMaxJobs) +
                ", not '" + value + "'";
    } else if (word == "--messages") {
      gSettings.showStandardsMessages = true;
    } else if (optionValue(args, i, "--sheet", sheet, error) ||
               optionValue(args, i, "--output", o.output, error)) {
    } else if (optionValue(args, i, "--object", o.object, error)) {
      o.objectGiven = true;
    } else if (optionValue(args, i, "--set", value, error)) {
      size_t eq = value.find('=');
      if (error.empty() && (eq == std::string::npos || eq == 0))
        error = "--set takes NAME=VALUE, not '" + value + "'";
      else if (error.empty())
        o.sets.emplace_back(value.substr(0, eq), value.substr(eq + 1));
    } else if (!word.empty() && word[0] == '-') {
      error = "unknown option '" + word + "'";
    } else {
      positional.push_back(word);
    }
  }
  if (!error.empty()) return error;
  if (positional.empty()) return "no drawing given";
  if (positional.size() > 2) return "too many arguments: '" + positional[2] + "'";
  o.drawing = positional[0];
  if (positional.size() == 2) o.macro = positional[1];
  if (o.objectGiven && sheet.empty()) return "--object needs --sheet";
  if (o.all && !o.macro.empty()) return "--all runs every macro: give no MACRO";
  if (o.jobs > 0 && !o.all) return "--jobs goes with --all";
  if (o.keepGoingSave && !o.all) return "--keep-going-save goes with --all";
  if (o.watch && o.all) return "--watch and --all do not go together";
  if (o.watch && (o.save || !o.output.empty()))
    return "--watch shows the results and writes no drawing";
  if (o.save && !o.output.empty()) return "give --save or --output, not both";
  // A batch saves the drawing it changed, in place unless --output says where.
  if (o.all && o.output.empty()) o.save = true;
  if (o.force && !o.save && o.output.empty()) return "--force goes with --save or --output";
  o.sheet = sheet;
  std::error_code ec;
  if (gSettings.libDir.isEmpty() && !std::filesystem::is_regular_file(sheet, ec))
    return "the standards live in the library: give --library DIR";
  return {};
}

std::string checkLibraryAndSheet(Options& o) {
  // A library that is set but unusable is named before anything else.
  const std::string libDir = gSettings.libDir.str();
  if (!libDir.empty() || o.sheet.empty())
    if (std::string problem = standardsLibraryProblem(libDir); !problem.empty()) return problem;
  std::string error;
  if (!o.sheet.empty() && !sheetarg::resolveSheet(std::string(o.sheet), o.sheet, error))
    return error;
  return {};
}

}  // namespace eval
