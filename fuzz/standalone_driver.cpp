// Runs a fuzz target without libFuzzer: every file named on the command line
// (or in a directory named there), then a fixed batch of mutations of them
// and of random bytes. Deterministic, so a failure repeats.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::string> LoadSeeds(int argc, char** argv) {
  std::vector<std::string> seeds;
  for (int i = 1; i < argc; ++i) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(argv[i])) {
      for (const auto& e : std::filesystem::directory_iterator(argv[i])) files.push_back(e.path());
    } else {
      files.emplace_back(argv[i]);
    }
    for (const auto& f : files) {
      std::ifstream in(f, std::ios::binary);
      seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  return seeds;
}

void Run(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> seeds = LoadSeeds(argc, argv);
  seeds.emplace_back();
  for (const auto& seed : seeds) Run(seed);

  std::mt19937 random(12345);
  auto byte = [&] { return static_cast<char>(random() & 0xFF); };
  for (int round = 0; round < 3000; ++round) {
    std::string input = seeds[random() % seeds.size()];
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int e = 0; e < edits; ++e) {
      const auto where = input.empty() ? 0 : random() % (input.size() + 1);
      switch (random() % 4) {
        case 0:
          input.insert(input.begin() + static_cast<long>(where), byte());
          break;
        case 1:
          if (where < input.size()) input[where] = byte();
          break;
        case 2:
          if (where < input.size()) input.erase(where, 1 + random() % 16);
          break;
        default:
          input.resize(random() % (input.size() + 64), byte());
          break;
      }
    }
    Run(input);
  }
  std::printf("%zu seeds and 3000 mutations ran\n", seeds.size());
  return 0;
}
