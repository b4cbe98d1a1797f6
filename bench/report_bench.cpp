// Report generation and the fixed-record copy of a 200,000-item data file,
// each beside its I/O floor measured in the same run: reading the input and
// writing as many bytes as the routine writes, in large blocks.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "report/fixed_record_copy.h"
#include "report/report_generator.h"
#include "report/testing/data_file_generator.h"

namespace {

using namespace lumvex;
namespace fs = std::filesystem;

struct Fixture {
  testing::TempDir dir;
  fs::path data = dir / "kordex.005";
  FixedClock clock{LocalTime{2001, 1, 6, 9, 30, 0}};
  std::uintmax_t printBytes = 0;
  std::uintmax_t viewBytes = 0;
  std::uintmax_t copyBytes = 0;

  Fixture() {
    report::testing::DataFileOptions options;
    options.companies = 4;
    options.itemsPerCompany = 50'000;
    report::testing::WriteDataFile(data, options);
    RecordingMessagePort messages;
    report::GenerateReport(data, dir.path(), true, messages, clock);
    printBytes = fs::file_size(dir / "prnrep.txt");
    viewBytes = fs::file_size(dir / "report.txt");
    report::CopyFixedRecords(data, dir / "copy.dat", messages);
    copyBytes = fs::file_size(dir / "copy.dat");
  }
};

Fixture& Data() {
  static Fixture fixture;
  return fixture;
}

// Reads the input and writes `bytes` bytes, 256 KiB at a time.
bool IoFloor(const fs::path& input, const fs::path& output, std::uintmax_t bytes) {
  std::vector<char> block(1 << 18);
  std::FILE* in = std::fopen(input.c_str(), "rb");
  std::FILE* out = std::fopen(output.c_str(), "wb");
  if (in == nullptr || out == nullptr) return false;
  while (std::fread(block.data(), 1, block.size(), in) > 0) benchmark::DoNotOptimize(block.data());
  for (std::uintmax_t left = bytes; left > 0;) {
    const std::size_t n = left < block.size() ? static_cast<std::size_t>(left) : block.size();
    std::fwrite(block.data(), 1, n, out);
    left -= n;
  }
  std::fclose(in);
  return std::fclose(out) == 0;
}

void SetBytes(benchmark::State& state, std::uintmax_t written) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(fs::file_size(Data().data) + written));
}

void Floor(benchmark::State& state, std::uintmax_t written) {
  Fixture& f = Data();
  for (auto _ : state) {
    if (!IoFloor(f.data, f.dir / "floor.txt", written)) state.SkipWithError("floor failed");
  }
  SetBytes(state, written);
}

void Report(benchmark::State& state, bool viewMode) {
  Fixture& f = Data();
  RecordingMessagePort messages;
  for (auto _ : state) {
    if (!report::GenerateReport(f.data, f.dir.path(), viewMode, messages, f.clock)) {
      state.SkipWithError("report failed");
    }
  }
  SetBytes(state, f.printBytes + (viewMode ? f.viewBytes : 0));
}

void BM_FloorPrint(benchmark::State& state) { Floor(state, Data().printBytes); }
void BM_ReportPrint(benchmark::State& state) { Report(state, false); }
void BM_FloorView(benchmark::State& state) { Floor(state, Data().printBytes + Data().viewBytes); }
void BM_ReportView(benchmark::State& state) { Report(state, true); }
void BM_FloorCopy(benchmark::State& state) { Floor(state, Data().copyBytes); }

void BM_Copy(benchmark::State& state) {
  Fixture& f = Data();
  RecordingMessagePort messages;
  for (auto _ : state) {
    if (!report::CopyFixedRecords(f.data, f.dir / "copy.dat", messages)) state.SkipWithError("copy failed");
  }
  SetBytes(state, f.copyBytes);
}

BENCHMARK(BM_FloorPrint)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_ReportPrint)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_FloorView)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_ReportView)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_FloorCopy)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);

// Prints each routine's fastest time as a multiple of its floor's after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& run : runs) {
      // The fastest repetition: the machine is shared, and load only ever adds time.
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      const std::string& name = run.run_name.function_name;
      const double time = run.GetAdjustedRealTime();
      if (!times_.contains(name) || time < times_[name]) times_[name] = time;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    Ratio("report, print mode", "BM_ReportPrint", "BM_FloorPrint", 3.0);
    Ratio("report, view mode", "BM_ReportView", "BM_FloorView", 3.0);
    Ratio("copy", "BM_Copy", "BM_FloorCopy", 2.0);
  }

 private:
  void Ratio(const char* what, const std::string& routine, const std::string& floor, double goal) {
    if (!times_.contains(routine) || !times_.contains(floor)) return;
    const double ratio = times_[routine] / times_[floor];
    std::printf("%-20s %6.2f x its I/O floor (goal <= %.0f x): %s\n", what, ratio, goal,
                ratio <= goal ? "met" : "NOT MET");
  }
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::printf("200,000 items: %ju bytes in, prnrep.txt %ju, report.txt %ju, copy %ju bytes\n",
              fs::file_size(Data().data), Data().printBytes, Data().viewBytes, Data().copyBytes);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
