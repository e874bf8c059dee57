// End-to-end: `ss-host eval --trace`, `--all` in worker processes and
// `--watch`, on the sample library.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <nlohmann/json.hpp>
#include <thread>

#include "tests/e2e/HostRun.h"

namespace e2e {

namespace {

using nlohmann::ordered_json;

// The sample drawing's macros repeated, each copy named apart.
fs::path repeatedDrawing(const fs::path& folder, int times) {
  ordered_json root = ordered_json::parse(slurp(kDrawing));
  ordered_json macros = ordered_json::array();
  for (int i = 0; i < times; ++i)
    for (ordered_json m : root["macros"]) {
      m["name"] = m["name"].get<std::string>() + "-" + std::to_string(i);
      m["dialog"]["names"] = {m["name"]};
      macros.push_back(std::move(m));
    }
  root["macros"] = std::move(macros);
  fs::path file = folder / "Repeated.json";
  spit(file, root.dump(2) + "\n");
  return file;
}

// The macro of that name in a drawing file.
ordered_json macroIn(const fs::path& drawing, const std::string& name) {
  const ordered_json root = ordered_json::parse(slurp(drawing));
  for (const ordered_json& m : root["macros"])
    if (m["name"] == name) return m;
  return {};
}

using EvalTrace = HostTest;

TEST_F(EvalTrace, TheChildRunsRowsComeUnderTheCallChildRow) {
  Outcome r = ssHost(
      {"--library", kLibrary.string(), "eval", kDrawing.string(), "EP-101", "--trace", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  ordered_json trace = ordered_json::parse(r.out)["macros"][0]["sheets"][0]["trace"];
  ASSERT_EQ(trace.size(), 21u);
  EXPECT_EQ(trace[0]["cell"], "BeamDepth = SECTIONSIZE(BeamSection, 1)");
  EXPECT_EQ(trace[0]["read"][0]["name"], "BeamSection");
  EXPECT_EQ(trace[0]["written"][0]["value"], "300");
  const ordered_json& call = trace[16];
  EXPECT_EQ(call["cell"].get<std::string>().rfind("CallChild(", 0), 0u);
  ASSERT_EQ(call["children"].size(), 4u);
  EXPECT_EQ(call["children"][0]["sheet"], "BoltGroup.kvs");
  EXPECT_EQ(call["children"][1]["written"][0]["name"], "NrRows");
  EXPECT_EQ(call["children"][1]["written"][0]["value"], "3");
  // The child's Outputs come back to the caller's variables.
  ASSERT_EQ(call["written"].size(), 3u);
  EXPECT_EQ(call["written"][0]["name"], "BoltRows");
  EXPECT_EQ(call["written"][0]["value"], "3");
}

TEST_F(EvalTrace, TheTracedRunInTheDocumentationIsARealOne) {
  const std::string doc = slurp(kSource / "docs" / "standards-engine.md");
  const std::string begin = "<!-- trace of EP-101 -->\n```\n";
  size_t from = doc.find(begin);
  ASSERT_NE(from, std::string::npos);
  from += begin.size();
  const std::string shown = doc.substr(from, doc.find("```", from) - from);
  Outcome r =
      ssHost({"--library", kLibrary.string(), "eval", kDrawing.string(), "EP-101", "--trace"});
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string head = "    trace:\n";
  size_t at = r.out.find(head);
  ASSERT_NE(at, std::string::npos);
  at += head.size();
  EXPECT_EQ(shown, r.out.substr(at, r.out.find("\n\n", at) + 1 - at));
}

using EvalAll = HostTest;

TEST_F(EvalAll, OneAndTwoWorkersWriteWhatMacroByMacroRunsWrite) {
  const fs::path original = repeatedDrawing(temp, 5);
  const fs::path one = temp / "one.json", two = temp / "two.json", each = temp / "each.json";
  Outcome serial = ssHost({"--library", kLibrary.string(), "eval", original.string(), "--output",
                           each.string(), "--json"});
  ASSERT_EQ(serial.code, 0) << serial.err;
  Outcome r1 = ssHost({"--library", kLibrary.string(), "eval", original.string(), "--all", "--jobs",
                       "1", "--output", one.string(), "--json"});
  ASSERT_EQ(r1.code, 0) << r1.err;
  Outcome r2 = ssHost({"--library", kLibrary.string(), "eval", original.string(), "--all", "--jobs",
                       "2", "--output", two.string(), "--json"});
  ASSERT_EQ(r2.code, 0) << r2.err;
  EXPECT_EQ(slurp(one), slurp(each));
  EXPECT_EQ(slurp(two), slurp(each));
  EXPECT_NE(slurp(one), slurp(original));

  ordered_json a = ordered_json::parse(r1.out), b = ordered_json::parse(r2.out),
               c = ordered_json::parse(serial.out);
  EXPECT_EQ(a["summary"]["workers"], 1);
  EXPECT_EQ(b["summary"]["workers"], 2);
  EXPECT_EQ(a["summary"]["macros"], 20);
  EXPECT_EQ(a["summary"]["sheetsRun"], 20);
  EXPECT_GT(a["summary"]["valuesChanged"].get<int>(), 100);
  EXPECT_EQ(a["macros"], b["macros"]);
  EXPECT_EQ(a["macros"], c["macros"]);
  // Without --output the drawing itself is written; no progress bar off a terminal.
  fs::copy_file(original, temp / "inplace.json");
  Outcome r3 =
      ssHost({"--library", kLibrary.string(), "eval", (temp / "inplace.json").string(), "--all"});
  ASSERT_EQ(r3.code, 0) << r3.err;
  EXPECT_EQ(slurp(temp / "inplace.json"), slurp(each));
  EXPECT_TRUE(contains(r3.out, "20 macros evaluated by ")) << r3.out;
  EXPECT_TRUE(contains(r3.out, "20 sheets run, 0 failed sheets, 0 failed equations")) << r3.out;
  EXPECT_FALSE(contains(r3.err, "\r")) << r3.err;
}

TEST_F(EvalAll, MacrosOfOneSheetWithDifferentMappingLinesKeepTheirOwnBindings) {
  // A second line of the end plate's mapping with its width and height
  // crossed, for every other copy of the end plate macro.
  const fs::path library = libraryCopy();
  const fs::path map = library / "Connection Standards" / "EndPlate.map";
  std::string text = slurp(map);
  const std::string key = "Q7mTz2KcR9wLx4VbN8jHd3Fs=";
  const size_t from = text.find(key);
  ASSERT_NE(from, std::string::npos);
  std::string line = text.substr(from + key.size(), text.find('\n', from) - from - key.size());
  for (auto [a, b] :
       {std::pair{"Distance Width", "Distance @"}, std::pair{"Distance Height", "Distance Width"},
        std::pair{"Distance @", "Distance Height"}}) {
    const size_t at = line.find(a);
    ASSERT_NE(at, std::string::npos);
    line.replace(at, std::string(a).size(), b);
  }
  if (text.back() != '\n') text += '\n';
  spit(map, text + "Crossed=" + line + "\n");
  const fs::path original = repeatedDrawing(temp, 4);
  ordered_json root = ordered_json::parse(slurp(original));
  int crossed = 0;
  for (ordered_json& m : root["macros"])
    for (ordered_json& s : m["standards"])
      if (s["object"] == "Q7mTz2KcR9wLx4VbN8jHd3Fs" && crossed++ % 2 == 1) s["object"] = "Crossed";
  ASSERT_GE(crossed, 4);
  spit(original, root.dump(2) + "\n");

  const fs::path all = temp / "all.json", each = temp / "each.json";
  Outcome serial = inLibrary(library, {"eval", original.string(), "--output", each.string()});
  ASSERT_EQ(serial.code, 0) << serial.err;
  Outcome batch = inLibrary(
      library, {"eval", original.string(), "--all", "--jobs", "2", "--output", all.string()});
  ASSERT_EQ(batch.code, 0) << batch.err;
  EXPECT_EQ(slurp(all), slurp(each));
}

TEST_F(EvalAll, MacrosASheetPassesOverAreWrittenAsTheyWere) {
  // Only the end plates run; the workers write the other macros as loaded.
  const fs::path original = repeatedDrawing(temp, 2);
  const fs::path all = temp / "all.json", each = temp / "each.json";
  Outcome serial = ssHost({"--library", kLibrary.string(), "eval", original.string(), "--sheet",
                           "EndPlate", "--output", each.string()});
  ASSERT_EQ(serial.code, 0) << serial.err;
  Outcome batch = ssHost({"--library", kLibrary.string(), "eval", original.string(), "--sheet",
                          "EndPlate", "--all", "--jobs", "2", "--output", all.string()});
  ASSERT_EQ(batch.code, 0) << batch.err;
  EXPECT_TRUE(contains(batch.out, "4 macros evaluated by 2 workers")) << batch.out;
  EXPECT_EQ(slurp(all), slurp(each));
  EXPECT_EQ(macroIn(all, "BP-301-1"), macroIn(original, "BP-301-1"));
  EXPECT_NE(macroIn(all, "EP-102-1"), macroIn(original, "EP-102-1"));
}

TEST_F(EvalAll, AFailingMacroIsNamedTheOthersRunAndNothingIsSavedUnlessAsked) {
  fs::path library = libraryCopy();
  fs::path sheet = library / "Connection Standards" / "FinPlate.kvs";
  std::string text = slurp(sheet);
  text.replace(text.find("\nCalc\n"), 6, "\nCalcs\n");
  spit(sheet, text);
  const fs::path drawing = repeatedDrawing(temp, 2);
  const std::string before = slurp(drawing);

  Outcome r = inLibrary(library, {"eval", drawing.string(), "--all", "--jobs", "2"});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(contains(r.err, "FP-201-0, FinPlate failed: ")) << r.err;
  EXPECT_TRUE(contains(r.err, "--keep-going-save")) << r.err;
  EXPECT_TRUE(contains(r.out, "Failed: FP-201-0, FP-201-1\n")) << r.out;
  EXPECT_TRUE(contains(r.out, "8 macros evaluated by 2 workers: 8 sheets run, 2 failed sheets"))
      << r.out;
  EXPECT_EQ(slurp(drawing), before);
  // The file written while the macros ran went with the refusal.
  for (const auto& entry : fs::directory_iterator(drawing.parent_path()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();

  r = inLibrary(library, {"eval", drawing.string(), "--all", "--jobs", "2", "--keep-going-save"});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(contains(r.out, "Saved ")) << r.out << r.err;
  // The failed macros stay as they were; the others take their results.
  fs::path original = temp / "original.json";
  spit(original, before);
  EXPECT_EQ(macroIn(drawing, "FP-201-1"), macroIn(original, "FP-201-1"));
  EXPECT_NE(macroIn(drawing, "EP-101-1"), macroIn(original, "EP-101-1"));
}

TEST_F(EvalAll, ADrawingThatDoesNotLoadIsRefusedInTheWordsOfAOneByOneRun) {
  // The workers load the macros; the refusal is still the whole load's.
  const std::string text = slurp(repeatedDrawing(temp, 3));
  auto refusals = [&](const std::string& name, const std::string& content) {
    const fs::path drawing = temp / name;
    spit(drawing, content);
    Outcome each = ssHost({"--library", kLibrary.string(), "eval", drawing.string()});
    Outcome all =
        ssHost({"--library", kLibrary.string(), "eval", drawing.string(), "--all", "--jobs", "2"});
    EXPECT_EQ(each.code, 1) << each.err;
    EXPECT_EQ(all.code, 1) << all.err;
    EXPECT_EQ(all.err, each.err);
    EXPECT_EQ(slurp(drawing), content);
    for (const auto& entry : fs::directory_iterator(temp))
      EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
  };
  std::string badType = text;
  const size_t late = badType.rfind("\"type\": 231");
  ASSERT_NE(late, std::string::npos);
  badType.replace(late, 11, "\"type\": 239");
  refusals("type.json", badType);
  std::string sameName = text;
  sameName.replace(sameName.rfind("\"name\": \"EP-101-2\""), 20, "\"name\": \"ep-101-0\"");
  refusals("name.json", sameName);
  refusals("short.json", text.substr(0, text.size() - 40));
}

TEST_F(EvalAll, ADrawingLaidOutByAnotherProgramRunsAsItLoads) {
  // A byte order mark, one line, and a second macro list spelled with an
  // escape, which replaces the first: the batch runs what the load keeps.
  const ordered_json root = ordered_json::parse(slurp(repeatedDrawing(temp, 2)));
  ordered_json odd = root;
  ordered_json kept = root["macros"];
  kept.erase(kept.begin());
  const std::string content =
      "\xEF\xBB\xBF" + odd.dump().insert(odd.dump().size() - 1, ",\"macr\\u006fs\":" + kept.dump());
  const fs::path drawing = temp / "odd.json", each = temp / "each.json", all = temp / "all.json";
  spit(drawing, content);
  Outcome serial =
      ssHost({"--library", kLibrary.string(), "eval", drawing.string(), "--output", each.string()});
  ASSERT_EQ(serial.code, 0) << serial.err;
  Outcome batch = ssHost({"--library", kLibrary.string(), "eval", drawing.string(), "--all",
                          "--jobs", "2", "--output", all.string()});
  ASSERT_EQ(batch.code, 0) << batch.err;
  EXPECT_TRUE(contains(batch.out, "7 macros evaluated by 2 workers")) << batch.out;
  EXPECT_EQ(slurp(all), slurp(each));
}

TEST_F(EvalAll, GeneralVariablesSetForTheRunAreCheckedFirstAndReachEveryWorker) {
  const fs::path original = repeatedDrawing(temp, 2);
  const fs::path each = temp / "each.json", all = temp / "all.json";
  Outcome serial = ssHost({"--library", kLibrary.string(), "eval", original.string(), "--set",
                           "gen_PlateOverhang=20", "--output", each.string()});
  ASSERT_EQ(serial.code, 0) << serial.err;
  Outcome batch = ssHost({"--library", kLibrary.string(), "eval", original.string(), "--all",
                          "--set", "gen_PlateOverhang=20", "--output", all.string()});
  ASSERT_EQ(batch.code, 0) << batch.err;
  EXPECT_EQ(slurp(all), slurp(each));
  Outcome plain = ssHost({"--library", kLibrary.string(), "eval", original.string(), "--all",
                          "--output", (temp / "plain.json").string()});
  ASSERT_EQ(plain.code, 0) << plain.err;
  EXPECT_NE(slurp(temp / "plain.json"), slurp(all));
  Outcome unknown = ssHost({"--library", kLibrary.string(), "eval", original.string(), "--all",
                            "--set", "gen_Nope=5", "--output", (temp / "no.json").string()});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_TRUE(contains(unknown.err, "gen_Nope")) << unknown.err;
  EXPECT_FALSE(fs::exists(temp / "no.json"));
}

TEST_F(EvalAll, AnInterruptedBatchLeavesTheDrawingAndNothingBesideIt) {
  const fs::path drawing = repeatedDrawing(temp, 100);
  const std::string before = slurp(drawing);
  const pid_t pid =
      startProgram(kHost, {"--library", kLibrary.string(), "eval", drawing.string(), "--all"},
                   "/dev/null", "/dev/null");
  ASSERT_GT(pid, 0);
  // The file the batch writes as its macros come is there until it ends.
  auto temporaries = [&] {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(temp))
      n += entry.path().filename().string().find(".tmp") != std::string::npos;
    return n;
  };
  bool seen = false;
  for (int tries = 0; tries < 2000 && !seen; ++tries) {
    seen = temporaries() > 0;
    if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  kill(pid, SIGINT);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(seen) << "the batch ended before it could be interrupted";
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
  EXPECT_EQ(temporaries(), 0);
  EXPECT_EQ(slurp(drawing), before);
}

TEST_F(EvalAll, OptionsThatDoNotGoTogetherAreUsageErrors) {
  const std::string d = kDrawing.string();
  const std::vector<std::vector<std::string>> wrong = {
      {"eval", d, "--all", "--jobs", "0"}, {"eval", d, "--all", "--jobs", "x"},
      {"eval", d, "--jobs", "2"},          {"eval", d, "EP-101", "--all"},
      {"eval", d, "--keep-going-save"},    {"eval", d, "--watch", "--save"},
      {"eval", d, "--watch", "--all"},
  };
  for (std::vector<std::string> args : wrong) {
    args.insert(args.begin(), {"--library", kLibrary.string()});
    EXPECT_EQ(ssHost(args).code, 2) << args[3] << " " << args[4];
  }
}

using EvalWatch = HostTest;

// The table line of a variable, its columns one space apart.
std::string lineOf(const std::string& text, const std::string& variable) {
  size_t at = text.find("     " + variable + " ");
  if (at == std::string::npos) return {};
  std::istringstream line(text.substr(at, text.find('\n', at) - at));
  std::string out, word;
  while (line >> word) out += (out.empty() ? "" : " ") + word;
  return out;
}

// Waits until the file holds the text n times; false after a minute.
bool waitFor(const fs::path& file, const std::string& text, int n) {
  for (int tries = 0; tries < 600; ++tries) {
    std::string now = slurp(file);
    int seen = 0;
    for (size_t at = now.find(text); at != std::string::npos; at = now.find(text, at + 1)) ++seen;
    if (seen >= n) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

TEST_F(EvalWatch, AnEditedSheetIsRunAgainUntilInterrupted) {
  const fs::path library = libraryCopy();
  const fs::path drawing = temp / "Connections.json";
  fs::copy_file(kDrawing, drawing);
  const fs::path out = temp / "watch.out";
  const fs::path err = temp / "watch.err";
  const pid_t pid = startProgram(
      kHost, {"--library", library.string(), "eval", drawing.string(), "EP-101", "--watch"},
      out.string(), err.string());
  ASSERT_GT(pid, 0);

  const bool first = waitFor(err, "watching", 1);
  const fs::path sheet = library / "Connection Standards" / "EndPlate.kvs";
  std::string text = slurp(sheet);
  text.replace(text.find("BoltLines = 2"), 13, "BoltLines = 4");
  // As an editor saves: a new file renamed over the old one.
  spit(temp / "EndPlate.kvs.new", text);
  fs::rename(temp / "EndPlate.kvs.new", sheet);
  const bool second = waitFor(err, "watching", 2);
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(first) << slurp(err);
  ASSERT_TRUE(second) << slurp(err);
  EXPECT_TRUE(WIFEXITED(status)) << status;
  const std::string shown = slurp(out);
  const size_t rerun = shown.find("Macro EP-101", 1);
  ASSERT_NE(rerun, std::string::npos) << shown;
  EXPECT_EQ(lineOf(shown.substr(0, rerun), "BoltLines"), "BoltLines Output String 2 2");
  EXPECT_EQ(lineOf(shown.substr(rerun), "BoltLines"), "BoltLines Output String 2 4 *");
}

}  // namespace

}  // namespace e2e
