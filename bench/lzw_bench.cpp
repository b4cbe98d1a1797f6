// The decoder against ncompress's uncompress on the same bill-payment data
// file, in one run: output bytes per second of each, the whole uncompress
// step against the bare decode, and the heap the decoder takes for two file
// sizes. Prints the ratios after the table.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "lzw/lzw_decoder.h"
#include "lzw/lzw_encoder.h"
#include "lzw/received_file_packer.h"
#include "lzw/received_file_restore.h"
#include "lzw/uncompress_received_file.h"
#include "report/testing/data_file_generator.h"

extern char** environ;

// Heap use of the code under measurement, counted while `counting` is set.
namespace {
std::atomic<bool> counting{false};
std::atomic<std::size_t> allocatedBytes{0};
}  // namespace

void* operator new(std::size_t size) {
  if (counting.load(std::memory_order_relaxed)) allocatedBytes += size;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (counting.load(std::memory_order_relaxed)) allocatedBytes += size;
  return std::malloc(size == 0 ? 1 : size);
}
// Replacing the global operators pairs malloc with free by design.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

using namespace lumvex;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kDataBytes = 50ull << 20;
constexpr int kRuns = 9;

// ncompress's compress; Debian's /usr/bin/uncompress may be gzip's script.
std::string Ncompress() {
  const char* path = std::getenv("LUMVEX_NCOMPRESS");
  return path != nullptr ? path : "/usr/bin/compress";
}

// Runs a program with its standard output going to `out`; true on exit 0.
bool Run(std::vector<std::string> argv, const std::filesystem::path& out) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> args;
  for (auto& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Fixture {
  testing::TempDir dir;
  std::uint64_t dataBytes = 0;
  std::uint64_t streamBytes = 0;
  std::uint64_t ncompressBytes = 0;
  std::string error;

  Fixture() {
    report::testing::DataFileOptions options;
    options.companies = 20;
    options.targetBytes = kDataBytes;
    const auto summary = report::testing::WriteDataFile(dir / "kordex.005", options);
    if (!summary) {
      error = "cannot write the data file";
      return;
    }
    const std::string data = testing::ReadFile(dir / "kordex.005");
    dataBytes = data.size();
    const std::string stream = lzw::EncodeLzw(data);
    streamBytes = stream.size();
    testing::WriteFile(dir / "stream.lzw", stream);
    std::filesystem::create_directory(dir / "abc01");
    testing::WriteFile(dir / "abc01/kordex$$.005", lzw::PackReceivedFile(stream));
    testing::WriteFile(dir / "quarter.lzw", lzw::EncodeLzw(data.substr(0, data.size() / 4)));
    if (!Run({Ncompress(), "-c", (dir / "kordex.005").string()}, dir / "kordex.005.Z")) {
      error = "ncompress's compress did not run: " + Ncompress();
      return;
    }
    ncompressBytes = std::filesystem::file_size(dir / "kordex.005.Z");
  }
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

std::map<std::string, std::vector<double>> runSeconds;

// The machine is shared: the median of the runs is steadier than the best.
double MedianSeconds(const std::string& name) {
  std::vector<double> runs = runSeconds[name];
  if (runs.empty()) return 0;
  std::nth_element(runs.begin(), runs.begin() + static_cast<std::ptrdiff_t>(runs.size() / 2), runs.end());
  return runs[runs.size() / 2];
}

// Times each iteration itself so that the ratios use the median of each.
template <typename Body>
void Measure(benchmark::State& state, const char* name, Body body) {
  Fixture& f = TheFixture();
  if (!f.error.empty()) {
    state.SkipWithError(f.error.c_str());
    return;
  }
  for (auto _ : state) {
    // Every run starts with no earlier output waiting to be written back.
    state.PauseTiming();
    ::sync();
    state.ResumeTiming();
    const auto start = Clock::now();
    if (!body(f)) {
      state.SkipWithError("run failed");
      return;
    }
    runSeconds[name].push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(static_cast<std::uint64_t>(state.iterations()) * f.dataBytes));
}

void BM_DecodeLzwFile(benchmark::State& state) {
  Measure(state, "decode", [](Fixture& f) { return lzw::DecodeLzwFile("stream.lzw", "decoded", {}, f.dir.path()).ok(); });
}

void BM_NcompressUncompress(benchmark::State& state) {
  Measure(state, "ncompress", [](Fixture& f) {
    return Run({Ncompress(), "-d", "-c", (f.dir / "kordex.005.Z").string()}, f.dir / "ncompress.out");
  });
}

void BM_UncompressReceivedFile(benchmark::State& state) {
  Measure(state, "uncompress", [](Fixture& f) {
    RecordingMessagePort messages;
    return lzw::UncompressReceivedFile(f.dir.path(), "abc01", 5, messages).done;
  });
}

void BM_RestoreReceivedFile(benchmark::State& state) {
  Measure(state, "restore", [](Fixture& f) {
    return lzw::RestoreReceivedFile("abc01/kordex$$.005", "abc01/kordex!!.005", f.dir.path()).ok;
  });
}

BENCHMARK(BM_DecodeLzwFile)->Unit(benchmark::kMillisecond)->Iterations(kRuns)->UseRealTime();
BENCHMARK(BM_NcompressUncompress)->Unit(benchmark::kMillisecond)->Iterations(kRuns)->UseRealTime();
BENCHMARK(BM_UncompressReceivedFile)->Unit(benchmark::kMillisecond)->Iterations(kRuns)->UseRealTime();
BENCHMARK(BM_RestoreReceivedFile)->Unit(benchmark::kMillisecond)->Iterations(kRuns)->UseRealTime();

std::size_t HeapOfDecode(Fixture& f, const char* stream) {
  allocatedBytes = 0;
  counting = true;
  const bool ok = lzw::DecodeLzwFile(stream, "heap.out", {}, f.dir.path()).ok();
  counting = false;
  return ok ? allocatedBytes.load() : 0;
}

std::size_t HeapOfUncompress(Fixture& f) {
  RecordingMessagePort messages;
  allocatedBytes = 0;
  counting = true;
  const bool ok = lzw::UncompressReceivedFile(f.dir.path(), "abc01", 5, messages).done;
  counting = false;
  return ok ? allocatedBytes.load() : 0;
}

bool SameOutput(Fixture& f) {
  return testing::ReadFile(f.dir / "decoded") == testing::ReadFile(f.dir / "kordex.005") &&
         testing::ReadFile(f.dir / "ncompress.out") == testing::ReadFile(f.dir / "kordex.005") &&
         testing::ReadFile(f.dir / "abc01/kordex.005") == testing::ReadFile(f.dir / "kordex.005");
}

void PrintRatios() {
  Fixture& f = TheFixture();
  if (!f.error.empty() || runSeconds.size() != 4) return;
  const double mb = static_cast<double>(f.dataBytes) / 1e6;
  const double decode = MedianSeconds("decode");
  const double ncompress = MedianSeconds("ncompress");
  const double uncompress = MedianSeconds("uncompress");
  std::printf("\nData file: %.1f MB of bill-payment records; our stream %.1f MB, ncompress's .Z %.1f MB\n", mb,
              static_cast<double>(f.streamBytes) / 1e6, static_cast<double>(f.ncompressBytes) / 1e6);
  std::printf("Outputs identical to the data file: %s\n", SameOutput(f) ? "yes" : "NO");
  std::printf("Median of %d runs, output MB/s: DecodeLzwFile %.0f, ncompress uncompress %.0f, whole uncompress step %.0f\n",
              kRuns, mb / decode, mb / ncompress, mb / uncompress);
  std::printf("Decode speed / uncompress speed:       %.2f (goal >= 1.50)\n", ncompress / decode);
  std::printf("Uncompress step time / bare decode:    %.2f (goal <= 1.15)\n", uncompress / decode);
  std::printf("Heap taken by DecodeLzwFile: %zu bytes for %.1f MB, %zu bytes for a quarter of it\n",
              HeapOfDecode(f, "stream.lzw"), mb, HeapOfDecode(f, "quarter.lzw"));
  std::printf("Heap taken by UncompressReceivedFile for %.1f MB: %zu bytes\n", mb, HeapOfUncompress(f));
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintRatios();
  return 0;
}
