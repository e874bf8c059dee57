#include "apps/ss-host/GlobalOptions.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {
// "--name VALUE" or "--name=VALUE"; false when this word is not the option.
bool takeValue(std::string_view word, std::string_view name, int& i, int argc,
               const char* const* argv, std::string& value, std::string& error) {
  if (word == name) {
    if (i + 1 >= argc) {
      error = "option '" + std::string(name) + "' needs a value";
      return true;
    }
    value = argv[++i];
    if (value.empty()) error = "option '" + std::string(name) + "' needs a value";
    return true;
  }
  if (word.size() > name.size() && word.substr(0, name.size()) == name &&
      word[name.size()] == '=') {
    value = std::string(word.substr(name.size() + 1));
    if (value.empty()) error = "option '" + std::string(name) + "' needs a value";
    return true;
  }
  return false;
}

// The host window's own options (with a value each), which the window reads.
bool isWindowOption(std::string_view word, int& i, int argc, const char* const* argv,
                    std::vector<std::string>& seen, std::string& error) {
  for (const char* name : {"--drawing", "--open", "--command", "--screenshot"}) {
    std::string value;
    if (takeValue(word, name, i, argc, argv, value, error)) {
      seen.emplace_back(name);
      return true;
    }
  }
  return false;
}
}  // namespace

GlobalOptions parseGlobalOptions(int argc, const char* const* argv) {
  GlobalOptions o;
  int i = 1;
  for (; i < argc && o.error.empty(); ++i) {
    std::string_view word = argv[i];
    if (word.empty() || word[0] != '-') break;  // the command word
    if (word == "--help" || word == "-h")
      o.help = true;
    else if (word == "--version")
      o.version = true;
    else if (word == "--gui")
      o.gui = true;
    else if (word == "--messages")
      o.messages = true;
    else if (takeValue(word, "--library", i, argc, argv, o.libraryDir, o.error))
      continue;
    else if (takeValue(word, "--config", i, argc, argv, o.configFile, o.error))
      continue;
    else if (isWindowOption(word, i, argc, argv, o.windowOptions, o.error))
      continue;
    else
      o.error = "unknown option '" + std::string(word) + "'";
  }
  if (!o.error.empty()) return o;
  if (i < argc) {
    o.command = argv[i];
    for (++i; i < argc; ++i) o.args.emplace_back(argv[i]);
  }
  if (o.command.empty() && !o.help && !o.version && !o.gui) o.error = "no command given";
  if (!o.command.empty() && o.gui) o.error = "--gui takes no command";
  if (!o.windowOptions.empty() && !o.gui && o.error.empty())
    o.error = "option '" + o.windowOptions.front() + "' needs --gui";
  return o;
}

std::string misplacedGlobalOption(const std::vector<std::string>& args, bool takesMessages) {
  for (const std::string& word : args) {
    if (word == "--messages" && !takesMessages) return word;
    for (const char* name : {"--library", "--config", "--gui", "--version"}) {
      const size_t n = std::strlen(name);
      if (word.compare(0, n, name) == 0 && (word.size() == n || word[n] == '=')) return name;
    }
  }
  return {};
}

const char* globalOptionsHelp() {
  return "Options (before the command):\n"
         "  --library DIR   the product library folder\n"
         "  --config FILE   read the settings from a configuration file first\n"
         "  --messages      also print the standards engine's messages for sheet authors\n"
         "  --gui           open the host window instead of running a command; with it\n"
         "                  --drawing FILE opens a drawing, --command NAME runs a\n"
         "                  command of the window's prompt\n"
         "  --help, -h      this text; COMMAND --help describes one command\n"
         "  --version       the program's version\n";
}
