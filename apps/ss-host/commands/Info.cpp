// `ss-host info`: what the host loaded and what the library folder holds.
#include <dlfcn.h>

#include <cstdio>
#include <filesystem>

#include "apps/ss-host/ElfSymbols.h"
#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/HostCommand.h"
#include "apps/ss-host/LibraryContents.h"
#include "apps/ss-host/ModuleExports.h"
#include "common/SSExports.h"
#include "core/Nx_Settings.h"

namespace {
const char kUsage[] = "info";
const char kSummary[] =
    "Show the loaded module, its exported entry points and what the library folder holds";

// The file the module was loaded from.
std::string loadedModulePath() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&acrxEntryPoint), &info) || !info.dli_fname) return {};
  std::error_code ec;
  std::filesystem::path p = std::filesystem::canonical(info.dli_fname, ec);
  return ec ? std::string(info.dli_fname) : p.string();
}

void printList(const char* title, const std::vector<std::string>& items) {
  std::printf("%s (%zu):\n", title, items.size());
  for (const std::string& item : items) std::printf("  %s\n", item.c_str());
}

int printModule() {
  const std::string path = loadedModulePath();
  if (path.empty()) {
    std::fprintf(stderr, "ss-host info: cannot tell where the module was loaded from\n");
    return kExitFailed;
  }
  std::vector<ElfSymbol> symbols;
  std::string error;
  if (!readExportedSymbols(path, symbols, error)) {
    std::fprintf(stderr, "ss-host info: %s\n", error.c_str());
    return kExitFailed;
  }
  const ModuleExports exports = classifyExports(symbols);
  std::printf("Module: %s\n", path.c_str());
  printList("Entry points", exports.entryPoints);
  printList("Data objects", exports.dataObjects);
  printList("Data classes", exports.dataClasses);
  return kExitOk;
}

int printLibrary() {
  const std::string libDir = gSettings.libDir.str();
  if (libDir.empty()) {
    std::printf("Library folder: not set (use --library DIR)\n");
    return kExitOk;
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(libDir, ec)) {
    std::fprintf(stderr, "ss-host info: library folder '%s' does not exist\n", libDir.c_str());
    return kExitFailed;
  }
  std::printf("Library folder: %s\n", libDir.c_str());
  for (const LibraryFiles& kind : scanLibraryFolder(libDir)) {
    if (!kind.folderExists) {
      std::printf("%s: none (no folder \"%s\")\n", kind.title, kind.folder.c_str());
      continue;
    }
    std::printf("%s in \"%s\" (%zu):\n", kind.title, kind.folder.c_str(), kind.files.size());
    for (const std::string& f : kind.files) std::printf("  %s\n", f.c_str());
  }
  return kExitOk;
}

int runInfo(const std::vector<std::string>& args) {
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    std::printf("Usage: ss-host [options] %s\n%s.\n", kUsage, kSummary);
    return kExitOk;
  }
  if (!args.empty()) {
    std::fprintf(stderr, "ss-host info: unexpected argument '%s'\n", args[0].c_str());
    return kExitUsage;
  }
  if (int code = printModule(); code != kExitOk) return code;
  return printLibrary();
}
}  // namespace

SSHOST_COMMAND({"info", kUsage, kSummary, &runInfo});
