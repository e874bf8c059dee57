// Runs a fuzz target without libFuzzer: every file of a seed corpus, then a
// bounded number of deterministic mutations of them, so the normal test
// suite exercises the target briefly and reproducibly. Given a file (a
// finding), runs just that input in the normal build.
//   replay CORPUS_DIR|FILE [--mutations N] [--seconds S]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
struct Random {
  std::uint64_t state;
  std::uint64_t next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  }
  std::size_t below(std::size_t n) { return n ? static_cast<std::size_t>(next() % n) : 0; }
};

const char* kTokens[] = {"(",      ")",         ",",           ":",     "=",     "\"", "A1", "$B$2",
                         "R[-1]C", "SUM(",      "IF(",         "#REF!", "1e308", "{",  "}",  "[",
                         "]",      "\"cells\"", "\"formula\"", "\n",    ";",     "\t", "-",  "^",
                         "&",      "%"};

std::string mutate(const std::vector<std::string>& seeds, Random& rnd) {
  std::string s = seeds[rnd.below(seeds.size())];
  int steps = 1 + static_cast<int>(rnd.below(4));
  for (int i = 0; i < steps; ++i) {
    std::size_t at = rnd.below(s.size() + 1);
    switch (rnd.below(6)) {
      case 0:
        if (!s.empty()) s[rnd.below(s.size())] ^= static_cast<char>(1 << rnd.below(8));
        break;
      case 1:
        s.insert(at, 1, static_cast<char>(rnd.below(256)));
        break;
      case 2:
        if (!s.empty()) s.erase(rnd.below(s.size()), 1 + rnd.below(8));
        break;
      case 3:
        s.insert(at, kTokens[rnd.below(std::size(kTokens))]);
        break;
      case 4: {
        const std::string& other = seeds[rnd.below(seeds.size())];
        std::size_t from = rnd.below(other.size() + 1);
        s.insert(at, other.substr(from, rnd.below(64)));
        break;
      }
      default:
        if (!s.empty()) {
          std::size_t from = rnd.below(s.size());
          s.insert(at, s.substr(from, rnd.below(32)));
        }
    }
  }
  return s;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !std::strcmp(argv[1], "--help")) {
    std::fprintf(argc < 2 ? stderr : stdout,
                 "usage: %s CORPUS_DIR|FILE [--mutations N] [--seconds S]\n"
                 "Runs every input of CORPUS_DIR, then N mutations of them (default 2000,\n"
                 "at most S seconds, default 3); a FILE is run alone, unmutated.\n",
                 argv[0]);
    return argc < 2 ? 2 : 0;
  }
  long mutations = 2000;
  double seconds = 3;
  for (int i = 2; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--mutations"))
      mutations = std::atol(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--seconds"))
      seconds = std::atof(argv[i + 1]);
  }
  std::error_code error;
  std::vector<std::filesystem::path> paths;
  if (std::filesystem::is_directory(argv[1], error)) {
    for (auto it = std::filesystem::directory_iterator(argv[1], error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error))
      paths.push_back(it->path());
  } else if (std::filesystem::is_regular_file(argv[1], error)) {
    paths.emplace_back(argv[1]);
    mutations = 0;
  } else if (!error) {
    error = std::make_error_code(std::errc::no_such_file_or_directory);
  }
  if (error) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.message().c_str());
    return 2;
  }
  std::vector<std::string> seeds;
  for (const auto& path : paths) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
      return 2;
    }
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (seeds.empty()) {
    std::fprintf(stderr, "%s: no seeds\n", argv[1]);
    return 2;
  }
  for (const std::string& s : seeds)
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
  Random rnd{0x9E3779B97F4A7C15ULL};
  auto start = std::chrono::steady_clock::now();
  long run = 0;
  for (; run < mutations; ++run) {
    if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() > seconds)
      break;
    std::string input = mutate(seeds, rnd);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
  }
  std::printf("%zu seeds, %ld mutations\n", seeds.size(), run);
  return 0;
}
