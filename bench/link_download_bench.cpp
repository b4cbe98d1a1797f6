// A download over libpadx25 against hostsim emulating a 14400 bps line, with
// the real pauses (1500 ms before the PAD check, 500 ms before the first
// request, 250 ms before each request). Its wall time is set beside the
// floor measured in the same run: those pauses plus the line time of every
// reply byte (and its ETX) at ten bits a byte. What remains is the cost of
// dialling, of the library, of our code and of the uncompress step.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>

#include "bench/download_fixture.h"
#include "core/pacing.h"
#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "core/text_format.h"
#include "hostsim/testing/hostsim_process.h"
#include "link/download_transaction.h"
#include "link/lzw_uncompress_step.h"
#include "link/padx25_port.h"

namespace {

using namespace lumvex;
using namespace lumvex::link;
using Clock = std::chrono::steady_clock;

constexpr double kLineBitsPerSecond = 14400.0;

struct Bench : bench::ServedDownload {
  RecordingMessagePort messages;
  SleepingPacer pacer;
  LinkState state;
  LzwUncompressStep uncompress{store.path()};
  LinkControl control{LinkCopy::Download, pad, messages, pacer, store / "config.dat", state};
  DownloadTransaction download{control, messages, pacer, SystemClock::Instance(), uncompress, store.path()};

  void Clean() {
    ServedDownload::Clean();
    messages.Clear();
  }
  double FloorSeconds(bool withConnect) const {
    const double pauses = (withConnect ? 1.5 : 0.0) + 0.5 + 0.25 * static_cast<double>(pad.requests);
    return pauses + static_cast<double>(pad.replyBytes) * 10.0 / kLineBitsPerSecond;
  }
};

void Report(benchmark::State& state, const Bench& b, double wall, double floor) {
  state.counters["wall_s"] = benchmark::Counter(wall, benchmark::Counter::kAvgIterations);
  state.counters["floor_s"] = benchmark::Counter(floor, benchmark::Counter::kAvgIterations);
  state.counters["over_floor_pct"] = (wall / floor - 1.0) * 100.0;
  state.counters["requests"] = static_cast<double>(b.pad.requests);
  state.counters["reply_bytes"] = static_cast<double>(b.pad.replyBytes);
  // Requests travel unpaced in the emulation; on a real line they would add this.
  state.counters["request_line_s"] = static_cast<double>(b.pad.requestBytes) * 10.0 / kLineBitsPerSecond;
}

// Times one download per iteration and reports it beside its floor. With
// `withConnect` every iteration dials and hangs up; without, the link stays up.
void TimeDownloads(benchmark::State& state, bool withConnect) {
  Bench b;
  if (!b.host->started()) return state.SkipWithError(b.host->error().c_str());
  const DownloadEntries entries{"abc01", "123456", "654321", b.date};
  if (!withConnect) {
    b.Clean();
    if (b.download.Start(entries) != DownloadOutcome::Completed) return state.SkipWithError("first download failed");
  }
  double wall = 0, floor = 0;
  for (auto _ : state) {
    b.Clean();
    const auto start = Clock::now();
    const DownloadOutcome outcome = b.download.Start(entries);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    if (outcome != DownloadOutcome::Completed) return state.SkipWithError("download failed");
    wall += seconds;
    floor += b.FloorSeconds(withConnect);
    if (withConnect) b.control.LinkDisconnect();
  }
  if (!withConnect) b.control.LinkDisconnect();
  Report(state, b, wall, floor);
}

// Dial, transfer, uncompress: what the user waits for after "Are you sure ?".
void BM_DownloadWithConnect(benchmark::State& state) { TimeDownloads(state, true); }
BENCHMARK(BM_DownloadWithConnect)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// "Download Again": the link is up, the transfer alone.
void BM_DownloadAgain(benchmark::State& state) { TimeDownloads(state, false); }
BENCHMARK(BM_DownloadAgain)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
