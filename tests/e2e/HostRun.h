#pragma once
// Runs the built ss-host as a user does, in a temporary folder of its own.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace e2e {

namespace fs = std::filesystem;

inline const fs::path kHost = fs::path(SS_BINARY_DIR) / "bin" / "ss-host";
inline const fs::path kSource = SS_SOURCE_DIR;
inline const fs::path kLibrary = kSource / "examples" / "library";
inline const fs::path kDrawing = kLibrary / "Macros" / "Connections.json";

inline std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void spit(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

struct Outcome {
  int code = -1;
  std::string out, err;
};

// Starts a program with arguments, its standard output and error going to
// files; its process id, or -1.
inline pid_t startProgram(const fs::path& program, const std::vector<std::string>& args,
                          const std::string& outPath, const std::string& errPath) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::vector<std::string> words{program.string()};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const bool started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  return started ? pid : -1;
}

// Runs a program with arguments and waits for it; standard error, and
// standard output unless stdoutPath names where it goes, are read back from
// files in folder.
inline Outcome runProgram(const fs::path& program, const std::vector<std::string>& args,
                          const fs::path& folder, const std::string& stdoutPath = "") {
  const std::string outPath = stdoutPath.empty() ? (folder / "stdout").string() : stdoutPath;
  const std::string errPath = (folder / "stderr").string();
  Outcome r;
  const pid_t pid = startProgram(program, args, outPath, errPath);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid)
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (stdoutPath.empty()) r.out = slurp(outPath);
  r.err = slurp(errPath);
  return r;
}

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    temp = fs::temp_directory_path() /
           ("ss-cli-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(temp);
    fs::create_directories(temp);
  }
  void TearDown() override { fs::remove_all(temp); }

  // stdoutPath: where standard output goes (default: a file read back).
  Outcome ssHost(const std::vector<std::string>& args, const std::string& stdoutPath = "") {
    return runProgram(kHost, args, temp, stdoutPath);
  }
  Outcome inLibrary(const fs::path& library, std::vector<std::string> args) {
    args.insert(args.begin(), {"--library", library.string()});
    return ssHost(args);
  }
  // A copy of the sample library to change.
  fs::path libraryCopy() {
    fs::path copy = temp / "library";
    fs::copy(kLibrary, copy, fs::copy_options::recursive);
    return copy;
  }
  fs::path drawingCopy() {
    fs::path copy = temp / "Connections.json";
    fs::copy_file(kDrawing, copy, fs::copy_options::overwrite_existing);
    return copy;
  }

  fs::path temp;
};

}  // namespace e2e
