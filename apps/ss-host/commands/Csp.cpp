// `ss-host csp [LISTS...] [--saw-cut MM] [--json] [--gui]`: the cutting-stock
// lists of one or more groups turned into cutting plans by the core's
// optimiser; with --gui the lists are edited in the dialog first.
#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <vector>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/HostCommand.h"
#include "apps/ss-host/HostText.h"
#include "apps/ss-host/commands/CspReport.h"
#include "common/SSExports.h"
#include "core/CspGroups.h"
#include "core/CspProblems.h"
#include "core/FileHelpers.h"
#include "core/Nx_Settings.h"
#include "core/PathHelpers.h"
#include "platform/base/Cp1252.h"

namespace {

const char kUsage[] = "csp [LISTS...] [--saw-cut MM] [--json] [--gui]";
const char kSummary[] = "Optimise the cutting-stock lists of groups into cutting plans";
constexpr double kDefaultSawCut = 3;

void printHelp() {
  std::printf(
      "Usage: ss-host [options] %s\n%s.\n\n"
      "LISTS are group folders (the newest parts list *.cut, shop-stock list *.shp and\n"
      "purchase list *.buy of each), a folder of group folders, or list files that\n"
      "make one group. Without LISTS: the group folders under the library's\n"
      "\"Cutting Stock\" (--library DIR).\n\n"
      "  --saw-cut MM  the width every saw cut takes (default 3)\n"
      "  --json        the plans as JSON\n"
      "  --gui         edit the lists in the cutting-stock dialog first (needs a display)\n\n"
      "Prints per group and profile each kind of bar with its pieces and offcut, the\n"
      "pieces that cannot be placed, bars used, waste, cost and the LP lower bound.\n"
      "Exit status: 0 when every piece is placed from sound lists, 1 when a list has\n"
      "bad lines, cannot be read or a piece cannot be placed, 2 for bad usage.\n",
      kUsage, kSummary);
}

using hosttext::utf8;

// The groups the arguments name, in order; list files given directly make
// one group of their own.
bool collectGroups(const std::vector<std::string>& lists, std::vector<CspGroupFiles>& groups) {
  CspGroupFiles loose;
  loose.name = "(files)";
  bool anyLoose = false;
  for (const std::string& arg : lists) {
    Nx_String path = base::utf8ToCp1252(arg);
    if (folderExists(path)) {
      CspGroupFiles group;
      if (cspGroupOfFolder(path, group))
        groups.push_back(group);
      else if (cspGroupsUnder(path, groups) == 0)
        std::fprintf(stderr, "ss-host csp: %s holds no list files\n", arg.c_str());
      continue;
    }
    if (!fileExists(path)) {
      std::fprintf(stderr, "ss-host csp: %s does not exist\n", arg.c_str());
      return false;
    }
    Nx_String extension = getExtension(path).lower();
    int list = -1;
    for (int l = 0; l < DlgCSP2Data::kListCount; ++l)
      if (extension == cspListExtension(l)) list = l;
    if (list < 0) {
      std::fprintf(stderr, "ss-host csp: %s is no list file (*.cut, *.shp, *.buy)\n", arg.c_str());
      return false;
    }
    loose.files[list] = path;
    anyLoose = true;
  }
  if (anyLoose) groups.push_back(loose);
  return true;
}

// Runs the dialog in a window of the GUI library, which lies beside this one.
bool editInWindow(DlgCSP2Data& data) {
  Dl_info self{};
  dladdr(reinterpret_cast<void*>(&editInWindow), &self);
  std::string folder = self.dli_fname ? self.dli_fname : "";
  folder = folder.substr(0, folder.rfind('/') + 1);
  void* gui = dlopen((folder + "libsshost-gui.so").c_str(), RTLD_NOW | RTLD_GLOBAL);
  using RunModal = int (*)(int (*)(void*), void*);
  auto run = gui ? reinterpret_cast<RunModal>(dlsym(gui, "sshostGuiRunModal")) : nullptr;
  if (!run) {
    std::fprintf(stderr, "ss-host csp: no window: %s\n", dlerror());
    return false;
  }
  int answer =
      run([](void* d) { return StartDlgCSP2(*static_cast<DlgCSP2Data*>(d)) ? 1 : 0; }, &data);
  dlclose(gui);
  return answer == 1;
}

cspreport::Report optimiseAll(const DlgCSP2Data& data, const std::vector<CspGroupFiles>& groups,
                              double sawCut, Nx_StringArray& faults) {
  cspreport::Report report;
  for (int g = 0; g < data.groupIds.length(); ++g) {
    cspreport::Group group;
    group.name = utf8(data.groupNames[g]);
    Nx_Array<Nx_StringArray> rows[DlgCSP2Data::kListCount];
    CspListSource sources[DlgCSP2Data::kListCount];
    for (int l = 0; l < DlgCSP2Data::kListCount; ++l) {
      data.getGroupRows(l, data.groupIds[g], rows[l]);
      // Rows edited in the dialog have no file to name.
      bool fromFile = g < static_cast<int>(groups.size()) && !groups[g].files[l].isEmpty();
      Nx_String name = fromFile ? groups[g].files[l]
                                : data.groupNames[g] + " (" + cspListExtension(l) + " list)";
      if (fromFile) group.files[l] = utf8(name);
      sources[l] = {&rows[l], name};
    }
    for (csp::Problem& problem : cspProblems(sources[0], sources[1], sources[2], sawCut, faults)) {
      problem.name = base::cp1252ToUtf8(problem.name);
      for (csp::Piece& piece : problem.pieces) piece.mark = base::cp1252ToUtf8(piece.mark);
      csp::Plan plan = csp::optimise(problem);
      group.profiles.push_back({std::move(problem), std::move(plan)});
    }
    report.groups.push_back(std::move(group));
  }
  for (const Nx_String& f : faults) report.faults.push_back(utf8(f));
  return report;
}

int runCsp(const std::vector<std::string>& args) {
  std::vector<std::string> lists;
  bool json = false, gui = false;
  double sawCut = kDefaultSawCut;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      printHelp();
      return kExitOk;
    }
    if (a == "--json") {
      json = true;
    } else if (a == "--gui") {
      gui = true;
    } else if (a == "--saw-cut" || a.rfind("--saw-cut=", 0) == 0) {
      std::string value = a.size() > 9 ? a.substr(10) : (i + 1 < args.size() ? args[++i] : "");
      if (!Nx_String(value).toDouble(sawCut) || !(sawCut >= 0) || sawCut > 1000) {
        std::fprintf(stderr, "ss-host csp: --saw-cut needs a width in mm, 0 or more\n");
        return kExitUsage;
      }
    } else if (!a.empty() && a[0] == '-') {
      std::fprintf(stderr, "ss-host csp: unknown option %s\n", a.c_str());
      return kExitUsage;
    } else {
      lists.push_back(a);
    }
  }
  if (lists.empty()) {
    if (gSettings.libDir.isEmpty()) {
      std::fprintf(stderr, "ss-host csp: no lists given and no library (--library DIR)\n");
      return kExitUsage;
    }
    lists.push_back(base::cp1252ToUtf8((gSettings.libDir + "Cutting Stock").str()));
  }

  std::vector<CspGroupFiles> groups;
  if (!collectGroups(lists, groups)) return kExitFailed;
  DlgCSP2Data data;
  Nx_StringArray faults;
  for (const CspGroupFiles& g : groups) addCspGroup(g, data, faults);
  if (gui && !editInWindow(data)) {
    std::fprintf(stderr, "ss-host csp: the dialog was cancelled; nothing optimised\n");
    return kExitFailed;
  }
  if (gui) groups.clear();  // the rows are the dialog's now
  cspreport::Report report = optimiseAll(data, groups, sawCut, faults);
  for (const std::string& f : report.faults) std::fprintf(stderr, "ss-host csp: %s\n", f.c_str());
  if (json)
    cspreport::printJson(report);
  else
    cspreport::printText(report);
  bool allPlaced = true;
  for (const cspreport::Group& g : report.groups)
    for (const cspreport::ProfilePlan& pp : g.profiles)
      allPlaced = allPlaced && pp.plan.unplaced.empty();
  return report.faults.empty() && allPlaced ? kExitOk : kExitFailed;
}

}  // namespace

SSHOST_COMMAND({"csp", kUsage, kSummary, &runCsp});
